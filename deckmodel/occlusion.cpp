#include "occlusion.h"

#include "geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace deckmodel {

namespace {

struct ViewPoint {
    double u = 0, v = 0;
};
using Shadow = std::vector<ViewPoint>; // convex, counter-clockwise

inline double leftTurn(ViewPoint o, ViewPoint a, ViewPoint b)
{
    return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u);
}

double shadowArea(const Shadow &p)
{
    double twice = 0;
    for (size_t i = 0; i < p.size(); ++i)
        twice += p[i].u * p[(i + 1) % p.size()].v - p[(i + 1) % p.size()].u * p[i].v;
    return twice / 2;
}

// The convex hull, counter-clockwise, of the points (monotone chain).
Shadow hullAround(std::vector<ViewPoint> points)
{
    std::sort(points.begin(), points.end(), [](ViewPoint a, ViewPoint b) { return a.u < b.u || (a.u == b.u && a.v < b.v); });
    if (points.size() < 3)
        return {};
    Shadow hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && leftTurn(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && leftTurn(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

// Whether the point is inside the convex outline or on its edge.
inline bool inside(const Shadow &outline, ViewPoint p)
{
    for (size_t i = 0; i < outline.size(); ++i)
        if (leftTurn(outline[i], outline[(i + 1) % outline.size()], p) < 0)
            return false;
    return true;
}

// A member seen along the eye.
struct SeenMember {
    Shadow outline;  // the hull of its corners in the view plane
    Shadow grown;    // the same grown by the margin
    double u0 = 0, u1 = 0, v0 = 0, v1 = 0; // the grown outline's bounds
    std::array<double, 3> low{}, high{};   // its box in X, Y, Z
    bool hides = false;                    // a convex solid: the outline is exact
};

// Whether `front` is nearer the eye than `back` wherever the two overlap in
// the view: a plane square to an axis parts them with `front` on the eye's side.
inline bool inFront(const SeenMember &front, const SeenMember &back, const std::array<double, 3> &eye)
{
    constexpr double Square = 1e-9; // an eye this close to the plane sees no side of it
    for (int axis = 0; axis < 3; ++axis) {
        if (eye[axis] > Square && front.low[axis] >= back.high[axis])
            return true;
        if (eye[axis] < -Square && front.high[axis] <= back.low[axis])
            return true;
    }
    return false;
}

// The part of the convex `piece` on the right of the line from a to b goes to
// `outside`; the piece keeps its part on the left.
void splitOff(Shadow &piece, ViewPoint a, ViewPoint b, std::vector<Shadow> &outside)
{
    bool anyLeft = false, anyRight = false;
    for (const ViewPoint &p : piece) {
        const double side = leftTurn(a, b, p);
        anyLeft = anyLeft || side > 0;
        anyRight = anyRight || side < 0;
    }
    if (!anyRight)
        return; // all of it on the left
    if (!anyLeft) {
        outside.push_back(std::move(piece));
        piece.clear();
        return;
    }
    // Each side keeps at most every corner and the two crossings.
    Shadow left, right;
    left.reserve(piece.size() + 2);
    right.reserve(piece.size() + 2);
    for (size_t i = 0; i < piece.size(); ++i) {
        const ViewPoint p = piece[i], q = piece[(i + 1) % piece.size()];
        const double sp = leftTurn(a, b, p), sq = leftTurn(a, b, q);
        if (sp >= 0)
            left.push_back(p);
        if (sp <= 0)
            right.push_back(p);
        if ((sp > 0 && sq < 0) || (sp < 0 && sq > 0)) {
            const double t = sp / (sp - sq);
            const ViewPoint x{p.u + t * (q.u - p.u), p.v + t * (q.v - p.v)};
            left.push_back(x);
            right.push_back(x);
        }
    }
    // Slivers far thinner than any line drawn are rounding, not area.
    constexpr double Sliver = 1e-6;
    if (right.size() >= 3 && shadowArea(right) > Sliver)
        outside.push_back(std::move(right));
    piece = left.size() >= 3 && shadowArea(left) > Sliver ? std::move(left) : Shadow{};
}

// Whether every point of `points` is on the right of (or on) some edge of
// the convex `outline`: then the two share no area.
bool beyondAnEdge(const Shadow &outline, const Shadow &points)
{
    for (size_t i = 0; i < outline.size(); ++i) {
        const ViewPoint a = outline[i], b = outline[(i + 1) % outline.size()];
        if (a.u == b.u && a.v == b.v)
            continue; // a corner twice: no edge
        if (std::all_of(points.begin(), points.end(), [&](ViewPoint p) { return leftTurn(a, b, p) <= 0; }))
            return true;
    }
    return false;
}

// What is left of the pieces once `cover` is taken away, as convex pieces.
// `left` is room to work in, its pieces of no account.
void takeAway(std::vector<Shadow> &pieces, const SeenMember &cover, std::vector<Shadow> &left)
{
    left.clear();
    for (Shadow &piece : pieces) {
        double u0 = piece[0].u, u1 = u0, v0 = piece[0].v, v1 = v0;
        for (const ViewPoint &p : piece) {
            u0 = std::min(u0, p.u), u1 = std::max(u1, p.u);
            v0 = std::min(v0, p.v), v1 = std::max(v1, p.v);
        }
        const Shadow &c = cover.outline;
        if (u1 <= cover.u0 || u0 >= cover.u1 || v1 <= cover.v0 || v0 >= cover.v1 || beyondAnEdge(c, piece)
            || beyondAnEdge(piece, c)) {
            left.push_back(std::move(piece));
            continue;
        }
        for (size_t i = 0; i < c.size() && !piece.empty(); ++i)
            splitOff(piece, c[i], c[(i + 1) % c.size()], left);
        // What stayed on the left of every edge is inside the cover: gone.
    }
    pieces.swap(left);
}

} // namespace

std::vector<bool> hiddenWhole(const std::vector<Member> &members, Direction eye, Direction right)
{
    const Direction up{eye.y * right.z - eye.z * right.y, eye.z * right.x - eye.x * right.z,
                       eye.x * right.y - eye.y * right.x};
    const std::array<double, 3> toEye{eye.x, eye.y, eye.z};
    std::vector<SeenMember> seen(members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const Member &m = members[i];
        SeenMember &s = seen[i];
        if (m.plan.size() < 3 || !(m.thickness > 0))
            continue;
        std::vector<ViewPoint> corners, grown;
        s.low = {m.plan[0].x, m.base, m.plan[0].z};
        s.high = {m.plan[0].x, m.top(), m.plan[0].z};
        for (const Point &p : m.plan) {
            for (const double y : {m.base, m.top()}) {
                const ViewPoint f{p.x * right.x + y * right.y + p.z * right.z, p.x * up.x + y * up.y + p.z * up.z};
                corners.push_back(f);
                for (const double du : {-HiddenWholeMarginIn, HiddenWholeMarginIn})
                    for (const double dv : {-HiddenWholeMarginIn, HiddenWholeMarginIn})
                        grown.push_back({f.u + du, f.v + dv});
            }
            s.low[0] = std::min(s.low[0], p.x), s.high[0] = std::max(s.high[0], p.x);
            s.low[2] = std::min(s.low[2], p.z), s.high[2] = std::max(s.high[2], p.z);
        }
        s.outline = hullAround(corners);
        s.grown = hullAround(grown);
        if (s.grown.empty())
            continue;
        s.u0 = s.u1 = s.grown[0].u;
        s.v0 = s.v1 = s.grown[0].v;
        for (const ViewPoint &f : s.grown) {
            s.u0 = std::min(s.u0, f.u), s.u1 = std::max(s.u1, f.u);
            s.v0 = std::min(s.v0, f.v), s.v1 = std::max(s.v1, f.v);
        }
        s.hides = s.outline.size() >= 3 && isConvex(m.plan);
    }

    // The members that may hide others, and by the cells of a grid over the
    // view that their outlines' bounds meet.
    double u0 = INFINITY, u1 = -INFINITY, v0 = INFINITY, v1 = -INFINITY;
    for (const SeenMember &s : seen)
        if (s.hides)
            u0 = std::min(u0, s.u0), u1 = std::max(u1, s.u1), v0 = std::min(v0, s.v0), v1 = std::max(v1, s.v1);
    constexpr int Cells = 48;
    const double cellU = std::max(u1 - u0, 1.0) / Cells, cellV = std::max(v1 - v0, 1.0) / Cells;
    const auto cellsOf = [&](const SeenMember &s) {
        const auto clamp = [](double cell) { return std::clamp(int(std::floor(cell)), 0, Cells - 1); };
        return std::array<int, 4>{clamp((s.u0 - u0) / cellU), clamp((s.u1 - u0) / cellU), clamp((s.v0 - v0) / cellV),
                                  clamp((s.v1 - v0) / cellV)};
    };
    std::vector<std::vector<size_t>> grid(size_t(Cells * Cells));
    std::vector<size_t> covers;
    std::vector<int> sizeClass(seen.size(), 0);
    for (size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i].hides)
            continue;
        covers.push_back(i);
        sizeClass[i] = std::ilogb(std::max(shadowArea(seen[i].outline), 1e-9));
        const auto [a0, a1, b0, b1] = cellsOf(seen[i]);
        for (int a = a0; a <= a1; ++a)
            for (int b = b0; b <= b1; ++b)
                grid[size_t(a * Cells + b)].push_back(i);
    }
    // The covers in the order they are taken away from a member: the largest
    // outlines first (by powers of two of their area), each size in order
    // across the view, so that what is left stays in few pieces and is often
    // gone before the small ones come. A member's covers are picked from
    // these in this order.
    std::sort(covers.begin(), covers.end(), [&](size_t a, size_t b) {
        if (sizeClass[a] != sizeClass[b])
            return sizeClass[a] > sizeClass[b];
        const double ca = seen[a].u0 + seen[a].u1, cb = seen[b].u0 + seen[b].u1;
        return ca < cb || (ca == cb && a < b);
    });

    // More pieces than this and the member is taken as seen.
    constexpr size_t MostPieces = 512;
    std::vector<bool> hidden(members.size(), false);
    std::vector<size_t> fronts;
    std::vector<Shadow> left, room; // what is left of a member's outline
    for (size_t i = 0; i < seen.size(); ++i) {
        const SeenMember &back = seen[i];
        if (back.grown.empty() || !(back.u0 < u1 && back.u1 > u0 && back.v0 < v1 && back.v1 > v0))
            continue;
        // A corner of the grown outline that nothing in front covers is seen:
        // most members are given up here, each corner looked up in its cell.
        const auto coveredInCell = [&](ViewPoint p) {
            if (!(p.u >= u0 && p.u <= u1 && p.v >= v0 && p.v <= v1))
                return false;
            const int a = std::clamp(int(std::floor((p.u - u0) / cellU)), 0, Cells - 1);
            const int b = std::clamp(int(std::floor((p.v - v0) / cellV)), 0, Cells - 1);
            const std::vector<size_t> &cell = grid[size_t(a * Cells + b)];
            return std::any_of(cell.begin(), cell.end(), [&](size_t c) {
                return c != i && inFront(seen[c], back, toEye) && inside(seen[c].outline, p);
            });
        };
        if (!std::all_of(back.grown.begin(), back.grown.end(), coveredInCell))
            continue;
        fronts.clear();
        for (const size_t c : covers) {
            const SeenMember &front = seen[c];
            if (c != i && front.u1 > back.u0 && front.u0 < back.u1 && front.v1 > back.v0 && front.v0 < back.v1
                && inFront(front, back, toEye))
                fronts.push_back(c);
        }
        left.assign(1, back.grown);
        for (const size_t c : fronts) {
            takeAway(left, seen[c], room);
            if (left.empty() || left.size() > MostPieces)
                break;
        }
        hidden[i] = left.empty();
    }
    return hidden;
}

} // namespace deckmodel
