#include "guards.h"

#include "catalogue.h"
#include "membername.h"

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

using G = GuardDesign;

Point pointAt(Point origin, Point along, Point across, double t, double s)
{
    return {origin.x + along.x * t + across.x * s, origin.z + along.z * t + across.z * s};
}

// Post centres from `from` to `to` (the line's ends, posts within), the ends'
// posts flush with them, the rest evenly between, at most the spacing apart.
std::vector<double> postCentres(double from, double to)
{
    const double first = from + G::post / 2, last = to - G::post / 2;
    if (last - first < G::post - 1e-9)
        return {(from + to) / 2};
    const int gaps = int(std::ceil((last - first) / G::postSpacing - 1e-9));
    std::vector<double> at;
    for (int i = 0; i <= gaps; ++i)
        at.push_back(first + (last - first) * i / gaps);
    return at;
}

// The shortest stretch between two posts' faces that holds a rail.
constexpr double leastBay = 0.25;

struct LineBuilder {
    Deck &deck;
    const GuardLine &line;
    GuardNumbers &numbers;

    double surface(double t) const { return line.surfaceInches - line.slope * t; }
    double topDepth() const { return line.handrail ? G::handrailDepth : G::railDepth; }
    double bottomGap() const { return line.onStair ? G::stairBottomGap : G::deckBottomGap; }

    Polygon plan(double from, double to, double near, double far) const
    {
        return stripRectangle(line.start, line.along, line.across, from, to, near, far);
    }
    void add(Kind kind, const QString &name, Polygon polygon, double base, double top, int step = 0)
    {
        deck.members.push_back({kind, name, std::move(polygon), base, top - base, step});
    }

    void post(double centre)
    {
        const QString name = line.onStair ? numbered(u"Stair post", ++numbers.stairPost)
                                          : numbered(u"Guard post", ++numbers.post);
        add(Kind::GuardPost, name, plan(centre - G::post / 2, centre + G::post / 2, 0, G::post), line.postBase,
            surface(centre) + G::height);
    }

    // A rail between two posts' faces: one piece on the level; along a slope
    // steps of at most stepRun, each the prism that holds its slice of the
    // sloped rail (from the rail's underside at the slice's low end to its top
    // at the high end), so that the steps meet face to face. `heights` gives
    // the rail's underside and top over a point. Returns the steps' names.
    std::vector<QString> rail(Kind kind, const QString &name, double from, double to,
                              std::pair<double, double> (LineBuilder::*heights)(double) const)
    {
        const int steps = stepCount(from, to);
        const double near = (G::post - G::railWidth) / 2;
        std::vector<QString> names;
        for (int s = 0; s < steps; ++s) {
            const double a = from + (to - from) * s / steps, b = from + (to - from) * (s + 1) / steps;
            const auto [base, top] = slice(heights, a, b);
            names.push_back(steps == 1 && !line.onStair ? name : numbered(name + QStringLiteral(" step"), s + 1));
            add(kind, names.back(), plan(a, b, near, near + G::railWidth), base, top, line.onStair ? s + 1 : 0);
        }
        if (line.onStair)
            deck.slopedPieces.push_back({kind, name, (to - from) * std::sqrt(1 + line.slope * line.slope)});
        return names;
    }
    int stepCount(double from, double to) const
    {
        return line.slope == 0 ? 1 : std::max(1, int(std::ceil((to - from) / G::stepRun - 1e-9)));
    }
    std::pair<double, double> slice(std::pair<double, double> (LineBuilder::*heights)(double) const, double a, double b) const
    {
        const auto ha = (this->*heights)(a), hb = (this->*heights)(b);
        return {std::min(ha.first, hb.first), std::max(ha.second, hb.second)};
    }
    std::pair<double, double> topRail(double t) const
    {
        const double top = surface(t) + G::height;
        return {top - topDepth(), top};
    }
    std::pair<double, double> bottomRail(double t) const
    {
        const double base = surface(t) + bottomGap();
        return {base, base + G::railDepth};
    }
    // The step of a rail over `t`, by the same division as rail(): its ends.
    std::pair<double, double> stepOver(double from, double to, double t) const
    {
        const int steps = stepCount(from, to);
        const double run = (to - from) / steps;
        const int s = std::clamp(int(std::floor((t - from) / run)), 0, steps - 1);
        return {from + run * s, from + run * (s + 1)};
    }
    // A baluster from a to b stands on the highest bottom rail step it meets
    // and reaches the lowest top rail step.
    std::pair<double, double> balusterHeights(double from, double to, double a, double b) const
    {
        double base = -INFINITY, top = INFINITY;
        for (double t : {a, b}) {
            const auto [sa, sb] = stepOver(from, to, t);
            base = std::max(base, slice(&LineBuilder::bottomRail, sa, sb).second);
            top = std::min(top, slice(&LineBuilder::topRail, sa, sb).first);
        }
        return {base, top};
    }

    void bay(double from, double to, const QString &firstPost, const QString &lastPost)
    {
        GuardBay bay;
        bay.along = line.along;
        bay.posts = {firstPost, lastPost};
        bay.onStair = line.onStair;
        const QString top = line.handrail ? numbered(u"Handrail", ++numbers.handrail)
                            : line.onStair ? numbered(u"Stair top rail", ++numbers.stairRail)
                                           : numbered(u"Top rail", ++numbers.topRail);
        bay.topRail = rail(line.handrail ? Kind::Handrail : Kind::GuardRail, top, from, to, &LineBuilder::topRail);
        if (line.balusters) {
            const QString bottom = line.onStair ? numbered(u"Stair bottom rail", ++numbers.stairRail)
                                                : numbered(u"Bottom rail", ++numbers.bottomRail);
            bay.bottomRail = rail(Kind::GuardRail, bottom, from, to, &LineBuilder::bottomRail);
            const double clear = to - from;
            const int count = std::max(0, int(std::ceil((clear - G::balusterGap) / (G::baluster + G::balusterGap) - 1e-9)));
            const double gap = (clear - count * G::baluster) / (count + 1);
            const double near = (G::post - G::baluster) / 2;
            for (int k = 1; k <= count; ++k) {
                const double a = from + k * gap + (k - 1) * G::baluster, b = a + G::baluster;
                const auto [base, top] = balusterHeights(from, to, a, b);
                bay.balusters.push_back(numbered(u"Baluster", ++numbers.baluster));
                add(Kind::Baluster, bay.balusters.back(), plan(a, b, near, near + G::baluster), base, top);
            }
        }
        deck.guardBays.push_back(std::move(bay));
    }
};

} // namespace

bool guardsWanted(const DeckParameters &p, bool below30)
{
    return below30 || p.height * 12 > 30 + 1e-9;
}

Polygon stripRectangle(Point origin, Point along, Point across, double from, double to, double near, double far)
{
    return counterClockwise({pointAt(origin, along, across, from, near), pointAt(origin, along, across, to, near),
                             pointAt(origin, along, across, to, far), pointAt(origin, along, across, from, far)});
}

Edge edgeOf(const Polygon &outline, int edge)
{
    const size_t n = outline.size(), i = size_t(edge) % n;
    const Point p = outline[i], q = outline[(i + 1) % n], before = outline[(i + n - 1) % n];
    Edge e;
    e.start = p;
    e.lengthInches = std::hypot(q.x - p.x, q.z - p.z);
    e.along = {(q.x - p.x) / e.lengthInches, (q.z - p.z) / e.lengthInches};
    e.out = {e.along.z, -e.along.x}; // the outline runs counter-clockwise: inside on the left
    // A turn to the right at the start corner: an inside corner.
    const double inX = p.x - before.x, inZ = p.z - before.z;
    e.insideCornerAtStart = inX * e.along.z - inZ * e.along.x < -1e-9;
    return e;
}

std::pair<QString, QString> addGuardLine(Deck &deck, const GuardLine &line, GuardNumbers &numbers)
{
    LineBuilder builder{deck, line, numbers};
    const std::vector<double> centres = postCentres(0, line.lengthInches);
    QString first, previous;
    for (size_t i = 0; i < centres.size(); ++i) {
        if (i == 0 && !line.sharedFirstPost.isEmpty()) {
            first = previous = line.sharedFirstPost;
            continue;
        }
        builder.post(centres[i]);
        const QString current = deck.members.back().name;
        // Posts that (almost) touch have no bay between them: a rail of no
        // length would be a member of no size.
        if (i == 0)
            first = current;
        else if (const double from = centres[i - 1] + GuardDesign::post / 2, to = centres[i] - GuardDesign::post / 2;
                 to - from >= leastBay)
            builder.bay(from, to, previous, current);
        previous = current;
    }
    return {first, previous};
}

void addGuards(Deck &deck, GuardNumbers &numbers)
{
    const Polygon &outline = deck.outline;
    const DeckParameters &p = deck.parameters;
    const int n = int(outline.size());
    // From an edge that starts at an outside corner, so that the post at an
    // inside corner is laid before the edge that shares it.
    int first = 0;
    while (first < n && edgeOf(outline, first).insideCornerAtStart)
        ++first;
    QString lastPost;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        // The house closes the edge the deck hangs on.
        if (deck.ledger.present && deck.ledger.attachment.edge == i) {
            lastPost.clear();
            continue;
        }
        const Edge edge = edgeOf(outline, i);
        GuardLine line;
        line.along = edge.along;
        line.across = edge.out;
        line.postBase = p.height * 12 - p.deckingThickness - p.joistHeight; // the rim's underside
        line.surfaceInches = p.height * 12;
        // The stair's edge: a guard each side of its opening.
        std::vector<std::pair<double, double>> runs{{0, edge.lengthInches}};
        const bool stairHere = deck.stair.present && deck.stair.layout.edge == i;
        if (stairHere) {
            const double half = deck.stair.layout.widthInches / 2;
            runs = {{0, deck.stair.layout.offsetInches - half}, {deck.stair.layout.offsetInches + half, edge.lengthInches}};
        }
        for (size_t r = 0; r < runs.size(); ++r) {
            line.start = {edge.start.x + edge.along.x * runs[r].first, edge.start.z + edge.along.z * runs[r].first};
            line.lengthInches = runs[r].second - runs[r].first;
            line.sharedFirstPost = r == 0 && edge.insideCornerAtStart ? lastPost : QString();
            const auto [firstPost, last] = addGuardLine(deck, line, numbers);
            if (stairHere)
                deck.stair.edgePosts.push_back(r == 0 ? last : firstPost);
            lastPost = last;
        }
    }
}

double guardRimDepthInches()
{
    static const double depth = deckfile::lumberNamed(u"2x8")->depthInches;
    return depth;
}

bool rimTooShallowForGuards(const Deck &deck)
{
    const bool guarded = std::any_of(deck.members.begin(), deck.members.end(), [&](const Member &m) {
        return m.kind == Kind::GuardPost && std::abs(m.base - (deck.parameters.height * 12 - deck.parameters.deckingThickness
                                                              - deck.parameters.joistHeight)) < 1e-6;
    });
    return guarded && deck.parameters.joistHeight < guardRimDepthInches() - 1e-9;
}

} // namespace deckmodel
