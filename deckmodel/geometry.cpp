#include "geometry.h"

#include <algorithm>
#include <numeric>
#include <cmath>

namespace deckmodel {

double cross(Point o, Point a, Point b) { return (a.x - o.x) * (b.z - o.z) - (a.z - o.z) * (b.x - o.x); }

namespace {

constexpr double tiny = 1e-9;

// Drops repeated corners and corners in the middle of a straight edge.
Polygon tidy(const Polygon &polygon)
{
    Polygon out;
    out.reserve(polygon.size());
    for (const Point &p : polygon)
        if (out.empty() || std::hypot(p.x - out.back().x, p.z - out.back().z) > 1e-7)
            out.push_back(p);
    while (out.size() > 1 && std::hypot(out.front().x - out.back().x, out.front().z - out.back().z) <= 1e-7)
        out.pop_back();
    bool changed = true;
    while (changed && out.size() >= 3) {
        changed = false;
        for (size_t i = 0; i < out.size(); ++i) {
            const Point &a = out[(i + out.size() - 1) % out.size()], &b = out[i], &c = out[(i + 1) % out.size()];
            if (std::abs(cross(a, b, c)) < 1e-7) {
                out.erase(out.begin() + long(i));
                changed = true;
                break;
            }
        }
    }
    return out.size() >= 3 ? out : Polygon{};
}

// Sutherland-Hodgman against one half-plane: keeps the points where
// inside(p) >= 0, in `out` (its room reused).
template<typename Inside>
void clipHalfInto(Polygon &out, const Polygon &polygon, Inside inside)
{
    out.clear();
    out.reserve(polygon.size() + 2);
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double da = inside(a), db = inside(b);
        if (da >= 0)
            out.push_back(a);
        if ((da >= 0) != (db >= 0)) {
            const double t = da / (da - db);
            out.push_back({a.x + t * (b.x - a.x), a.z + t * (b.z - a.z)});
        }
    }
}

template<typename Inside>
Polygon clipHalf(const Polygon &polygon, Inside inside)
{
    Polygon out;
    clipHalfInto(out, polygon, inside);
    return out;
}

std::vector<Interval> run(const Polygon &polygon, double at, bool alongX)
{
    // A line through a corner would count it twice or not at all: move it a hair.
    for (const Point &p : polygon)
        if (std::abs((alongX ? p.z : p.x) - at) < 1e-7)
            at += 2e-7;
    std::vector<double> crossings;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double ca = alongX ? a.z : a.x, cb = alongX ? b.z : b.x;
        if ((ca < at) == (cb < at))
            continue;
        const double t = (at - ca) / (cb - ca);
        crossings.push_back(alongX ? a.x + t * (b.x - a.x) : a.z + t * (b.z - a.z));
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<Interval> runs;
    for (size_t i = 0; i + 1 < crossings.size(); i += 2)
        runs.push_back({crossings[i], crossings[i + 1]});
    return runs;
}

double distanceToSegment(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dz = b.z - a.z, length2 = dx * dx + dz * dz;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.z - a.z) * dz) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.z - (a.z + t * dz));
}

} // namespace

double signedArea(const Polygon &polygon)
{
    double twice = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.z - b.x * a.z;
    }
    return twice / 2;
}

double area(const Polygon &polygon) { return std::abs(signedArea(polygon)); }

Box bounds(const Polygon &polygon)
{
    Box box{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (const Point &p : polygon) {
        box.x0 = std::min(box.x0, p.x), box.x1 = std::max(box.x1, p.x);
        box.z0 = std::min(box.z0, p.z), box.z1 = std::max(box.z1, p.z);
    }
    return box;
}

Polygon counterClockwise(Polygon polygon)
{
    if (signedArea(polygon) < 0)
        std::reverse(polygon.begin(), polygon.end());
    return polygon;
}

Polygon clip(const Polygon &polygon, const Box &box)
{
    Polygon out = clipHalf(polygon, [&](Point p) { return p.x - box.x0; });
    out = clipHalf(out, [&](Point p) { return box.x1 - p.x; });
    out = clipHalf(out, [&](Point p) { return p.z - box.z0; });
    out = clipHalf(out, [&](Point p) { return box.z1 - p.z; });
    return tidy(out);
}

Polygon inset(const Polygon &polygon, double distance)
{
    // Each edge's line moved inwards (to the left of a counter-clockwise edge);
    // a corner of the inset is where two neighbouring lines meet.
    const Polygon ccw = counterClockwise(polygon);
    const size_t n = ccw.size();
    struct Line { Point p; double dx, dz; };
    std::vector<Line> lines;
    for (size_t i = 0; i < n; ++i) {
        const Point a = ccw[i], b = ccw[(i + 1) % n];
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        const double dx = (b.x - a.x) / length, dz = (b.z - a.z) / length;
        lines.push_back({{a.x - dz * distance, a.z + dx * distance}, dx, dz});
    }
    Polygon out;
    for (size_t i = 0; i < n; ++i) {
        const Line &l1 = lines[(i + n - 1) % n], &l2 = lines[i];
        const double denominator = l1.dx * l2.dz - l1.dz * l2.dx;
        if (std::abs(denominator) < tiny) {
            out.push_back(l2.p);
            continue;
        }
        const double t = ((l2.p.x - l1.p.x) * l2.dz - (l2.p.z - l1.p.z) * l2.dx) / denominator;
        out.push_back({l1.p.x + t * l1.dx, l1.p.z + t * l1.dz});
    }
    return out;
}

std::vector<Interval> runAlongX(const Polygon &polygon, double z) { return run(polygon, z, true); }
std::vector<Interval> runAlongZ(const Polygon &polygon, double x) { return run(polygon, x, false); }

bool contains(const Polygon &polygon, Point point, double tolerance)
{
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point a = polygon[i], b = polygon[j];
        if (distanceToSegment(point, a, b) <= tolerance)
            return true;
        if ((a.z > point.z) != (b.z > point.z) && point.x < (b.x - a.x) * (point.z - a.z) / (b.z - a.z) + a.x)
            inside = !inside;
    }
    return inside;
}

bool isConvex(const Polygon &polygon)
{
    const double sign = signedArea(polygon) < 0 ? -1 : 1;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const size_t n = polygon.size();
        if (sign * cross(polygon[i], polygon[(i + 1) % n], polygon[(i + 2) % n]) < -1e-9)
            return false;
    }
    return true;
}

namespace {
// Four corners whose edges run along X and Z in turn: a box standing square.
bool isSquareBox(const Polygon &p)
{
    if (p.size() != 4)
        return false;
    const auto alongX = [&](size_t i) { return p[i].z == p[(i + 1) % 4].z && p[i].x != p[(i + 1) % 4].x; };
    const auto alongZ = [&](size_t i) { return p[i].x == p[(i + 1) % 4].x && p[i].z != p[(i + 1) % 4].z; };
    for (size_t i = 0; i < 4; ++i)
        if (!((alongX(i) && alongZ((i + 1) % 4)) || (alongZ(i) && alongX((i + 1) % 4))))
            return false;
    return true;
}
} // namespace

PlanBox planBoxOf(const Polygon &polygon)
{
    return {&polygon, bounds(polygon), isSquareBox(polygon)};
}

double overlapArea(const Polygon &a, const Polygon &b)
{
    return overlapArea(planBoxOf(a), planBoxOf(b));
}

double overlapArea(const PlanBox &planA, const PlanBox &planB)
{
    // Polygons whose boxes do not overlap share nothing; two square boxes
    // (most members) share the overlap of their boxes. Both are common in
    // the checks and the takeoff, which compare members pair by pair.
    const Box &boxA = planA.box, &boxB = planB.box;
    const double across = std::min(boxA.x1, boxB.x1) - std::max(boxA.x0, boxB.x0);
    const double along = std::min(boxA.z1, boxB.z1) - std::max(boxA.z0, boxB.z0);
    if (across <= 0 || along <= 0)
        return 0.0;
    if (planA.square && planB.square)
        return across * along;
    const Polygon &a = *planA.plan, &b = *planB.plan;
    const bool bConvex = isConvex(b);
    const Polygon &subject = bConvex ? a : b;
    const Polygon clipper = counterClockwise(bConvex ? b : a);
    // Clipped edge by edge between two polygons that keep their room.
    Polygon out = subject, next;
    for (size_t i = 0; i < clipper.size() && !out.empty(); ++i) {
        const Point p = clipper[i], q = clipper[(i + 1) % clipper.size()];
        clipHalfInto(next, out, [&](Point r) { return cross(p, q, r); });
        out.swap(next);
    }
    return out.size() >= 3 ? area(out) : 0.0;
}

std::vector<std::array<int, 3>> triangulated(const Polygon &p)
{
    std::vector<int> left(p.size());
    std::iota(left.begin(), left.end(), 0);
    double area = 0;
    for (size_t i = 0; i < p.size(); ++i)
        area += p[i].x * p[(i + 1) % p.size()].z - p[(i + 1) % p.size()].x * p[i].z;
    if (area < 0)
        std::reverse(left.begin(), left.end());
    std::vector<std::array<int, 3>> triangles;
    while (left.size() > 3) {
        const size_t n = left.size();
        size_t ear = n;
        for (size_t i = 0; i < n && ear == n; ++i) {
            const int a = left[(i + n - 1) % n], b = left[i], c = left[(i + 1) % n];
            if (cross(p[a], p[b], p[c]) <= 1e-12)
                continue;
            bool empty = true;
            for (const int q : left)
                if (q != a && q != b && q != c && cross(p[a], p[b], p[q]) >= 0 && cross(p[b], p[c], p[q]) >= 0
                    && cross(p[c], p[a], p[q]) >= 0)
                    empty = false;
            if (empty)
                ear = i;
        }
        if (ear == n)
            return {};
        triangles.push_back({left[(ear + n - 1) % n], left[ear], left[(ear + 1) % n]});
        left.erase(left.begin() + long(ear));
    }
    if (left.size() == 3 && cross(p[left[0]], p[left[1]], p[left[2]]) > 1e-12)
        triangles.push_back({left[0], left[1], left[2]});
    return triangles;
}

} // namespace deckmodel
