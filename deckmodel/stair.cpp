#include "stair.h"

#include "membername.h"
#include "outlines.h"

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

using S = StairDesign;
constexpr double stairTouching = 1e-3;

QString rimOf(int edge) { return QStringLiteral("Rim joist %1").arg(edge + 1); }

bool overlaps(const Member &a, const Member &b)
{
    if (a.base >= b.top() - stairTouching || b.base >= a.top() - stairTouching)
        return false;
    const Box x = bounds(a.plan), y = bounds(b.plan);
    if (x.x0 >= y.x1 - stairTouching || y.x0 >= x.x1 - stairTouching || x.z0 >= y.z1 - stairTouching || y.z0 >= x.z1 - stairTouching)
        return false;
    return overlapArea(a.plan, b.plan) > stairTouching;
}

} // namespace

int frontEdge(int deckType, const Polygon &outline)
{
    Side side = Side::Bottom;
    const QList<Outline> shapes = deckShapes();
    if (deckType >= 1 && deckType <= shapes.size())
        for (const Dimension &d : shapes[deckType - 1].dimensions)
            if (d.letter == u'A') {
                side = d.side;
                break;
            }
    // The picture's bottom is the plan's lowest X, its top the highest, its
    // left the lowest Z, its right the highest.
    const Box box = bounds(outline);
    const auto onSide = [&](Point p) {
        switch (side) {
        case Side::Bottom: return std::abs(p.x - box.x0) < 1e-6;
        case Side::Top: return std::abs(p.x - box.x1) < 1e-6;
        case Side::Left: return std::abs(p.z - box.z0) < 1e-6;
        case Side::Right: return std::abs(p.z - box.z1) < 1e-6;
        }
        return false;
    };
    int best = 0;
    double longest = -1;
    for (int i = 0; i < int(outline.size()); ++i) {
        const Point p = outline[size_t(i)], q = outline[(size_t(i) + 1) % outline.size()];
        const double length = std::hypot(q.x - p.x, q.z - p.z);
        if (onSide(p) && onSide(q) && length > longest)
            best = i, longest = length;
    }
    return best;
}

StairLayout resolvedLayout(const StairLayout &layout, int deckType, const Polygon &outline)
{
    StairLayout resolved = layout;
    if (resolved.edge < 0)
        resolved.edge = frontEdge(deckType, outline);
    if (resolved.offsetInches < 0 && resolved.edge < int(outline.size()))
        resolved.offsetInches = edgeOf(outline, resolved.edge).lengthInches / 2;
    return resolved;
}

Reach stairReach(const Polygon &outline, int edge, double widthInches)
{
    const double length = edgeOf(outline, edge).lengthInches;
    return {S::roomBeside + widthInches / 2, length - S::roomBeside - widthInches / 2};
}

std::optional<Finding> stairRefusal(const Deck &deck, const StairLayout &layout)
{
    const QString file = deck.parameters.fileName;
    // Below the code's width (or no number at all) nothing of it is made: a
    // stair of no width would be members of no size.
    if (!(layout.widthInches >= S::minWidth))
        return Finding{Rule::StairTooNarrow, file, {}, {}, {layout.widthInches, S::minWidth}};
    if (layout.edge < 0 || layout.edge >= int(deck.outline.size()))
        return Finding{Rule::StairOffDeck, file, {}, {}, {double(layout.edge + 1), double(deck.outline.size())}};
    const Reach reach = stairReach(deck.outline, layout.edge, layout.widthInches);
    if (reach.fits() && layout.offsetInches >= reach.from - 1e-9 && layout.offsetInches <= reach.to + 1e-9)
        return std::nullopt;
    return Finding{Rule::StairDoesNotFit, file, {rimOf(layout.edge)}, {},
                   {edgeOf(deck.outline, layout.edge).lengthInches, layout.widthInches, layout.offsetInches, reach.from, reach.to}};
}

double stairMembers(const Deck &deck, const StairLayout &layout)
{
    const DeckParameters &p = deck.parameters;
    const double risers = std::ceil(p.height * 12 / S::maxRiser - 1e-9);
    const double boards = std::ceil((S::minTread + p.deckingGap) / (p.deckingWidth + p.deckingGap) - 1e-9);
    const double stringers = std::ceil(layout.widthInches / S::stringerSpacing - 1e-9) + 1;
    return (risers - 1) * (boards + stringers) + 1;
}

void placeStair(Deck &deck, const StairLayout &layout)
{
    Stair &stair = deck.stair;
    stair = Stair{};
    stair.layout = layout;
    const Edge edge = edgeOf(deck.outline, layout.edge);
    stair.start = edge.start;
    stair.along = edge.along;
    stair.out = edge.out;
    const DeckParameters &p = deck.parameters;
    const double rise = p.height * 12;
    stair.risers = int(std::ceil(rise / S::maxRiser - 1e-9));
    stair.present = layout.present && stair.risers >= 2;
    stair.riserInches = rise / std::max(1, stair.risers);
    // As many boards as make a tread at least the least depth.
    const int boards = std::max(1, int(std::ceil((S::minTread + p.deckingGap) / (p.deckingWidth + p.deckingGap) - 1e-9)));
    stair.treadInches = boards * p.deckingWidth + (boards - 1) * p.deckingGap;
}

std::optional<Finding> addStair(Deck &deck, GuardNumbers &numbers)
{
    Stair &stair = deck.stair;
    if (!stair.present)
        return std::nullopt;
    const DeckParameters &p = deck.parameters;
    const size_t before = deck.members.size();
    const double rise = p.height * 12, h = stair.riserInches, run = stair.treadInches;
    const double s0 = stair.layout.offsetInches - stair.layout.widthInches / 2;
    const double s1 = stair.layout.offsetInches + stair.layout.widthInches / 2;
    const int treads = stair.risers - 1;
    // u along the edge from its first corner, t outwards from the edge.
    const auto plan = [&](double u0, double u1, double t0, double t1) {
        return stripRectangle(stair.start, stair.along, stair.out, u0, u1, t0, t1);
    };
    const auto add = [&](Kind kind, const QString &name, Polygon polygon, double base, double top, int step = 0) {
        deck.members.push_back({kind, name, std::move(polygon), base, top - base, step});
    };

    // Treads, from the top: the deck's boards across the stair, front board last.
    const int boards = int(std::lround((run + p.deckingGap) / (p.deckingWidth + p.deckingGap)));
    for (int i = 1; i <= treads; ++i) {
        stair.treads.emplace_back();
        const double top = rise - i * h;
        for (int k = 0; k < boards; ++k) {
            const double t0 = (i - 1) * run + k * (p.deckingWidth + p.deckingGap);
            stair.treads.back().push_back(QStringLiteral("Tread %1 board %2").arg(i).arg(k + 1));
            add(Kind::Tread, stair.treads.back().back(), plan(s0, s1, t0, t0 + p.deckingWidth), top - p.deckingThickness, top);
        }
    }

    // Riser boards between the treads where the stair rises more than 30
    // inches: each on the lower tread's back edge, up to the upper tread's
    // underside, its face under the upper tread's nosing.
    if (rise > S::openRisersUpTo + 1e-9)
        for (int i = 2; i <= treads; ++i) {
            stair.riserBoards.push_back(QStringLiteral("Riser %1").arg(i - 1));
            add(Kind::Riser, stair.riserBoards.back(), plan(s0, s1, (i - 1) * run, (i - 1) * run + S::riserBoardThickness),
                rise - i * h, rise - (i - 1) * h - p.deckingThickness);
        }

    // Stringers under the treads: the board's top edge through the notches'
    // outer corners, its lower edge a board's depth below across the slope.
    const int stringers = int(std::ceil(stair.layout.widthInches / S::stringerSpacing - 1e-9)) + 1;
    const double slopeDepth = S::stringerDepth * std::hypot(run, h) / run;
    for (int j = 0; j < stringers; ++j) {
        const double u0 = s0 + (stair.layout.widthInches - S::stringerWidth) * j / (stringers - 1);
        const QString name = QStringLiteral("Stringer %1").arg(j + 1);
        for (int i = 1; i <= treads; ++i) {
            const double top = rise - i * h - p.deckingThickness;
            const double middle = (i - 0.5) * run;
            const double base = std::max(0.0, rise - p.deckingThickness - middle * h / run - slopeDepth);
            add(Kind::Stringer, numbered(name + QStringLiteral(" step"), i), plan(u0, u0 + S::stringerWidth, (i - 1) * run, i * run),
                base, top, i);
        }
        stair.stringers.push_back(name + QStringLiteral(" step 1"));
        deck.slopedPieces.push_back({Kind::Stringer, name, std::hypot(treads * run, stair.risers * h)});
    }

    // The pad under the last tread and beyond the foot, its top at the ground.
    stair.pad = QStringLiteral("Landing pad");
    add(Kind::LandingPad, stair.pad, plan(s0 - S::padSide, s1 + S::padSide, (treads - 1) * run, treads * run + S::padBeyond),
        -S::padThickness, 0);

    // Its sides: the handrail on the far side, guards on both where a tread is high.
    const bool guarded = rise - h > S::guardAbove + 1e-9;
    const bool handrail = stair.risers >= S::handrailRisers;
    for (int side = 0; side < 2; ++side) {
        const bool far = side == 1;
        if (!guarded && !(far && handrail))
            continue;
        GuardLine line;
        line.start = {stair.start.x + stair.along.x * (far ? s1 : s0), stair.start.z + stair.along.z * (far ? s1 : s0)};
        line.along = stair.out;
        line.across = far ? stair.along : Point{-stair.along.x, -stair.along.z};
        line.lengthInches = treads * run + GuardDesign::post;
        line.sharedFirstPost = stair.edgePosts.size() == 2 ? stair.edgePosts[size_t(side)] : QString();
        line.postBase = 0;
        line.surfaceInches = rise;
        line.slope = h / run;
        line.balusters = guarded;
        line.handrail = far && handrail;
        line.onStair = true;
        const size_t bays = deck.guardBays.size();
        addGuardLine(deck, line, numbers);
        if (line.handrail)
            for (size_t b = bays; b < deck.guardBays.size(); ++b)
                stair.handrail.insert(stair.handrail.end(), deck.guardBays[b].topRail.begin(), deck.guardBays[b].topRail.end());
    }

    // Nothing of it may stand in the deck or in another member; only members
    // near the stair are looked at.
    Box reach = bounds(deck.members[before].plan);
    for (size_t i = before; i < deck.members.size(); ++i) {
        const Box b = bounds(deck.members[i].plan);
        reach = {std::min(reach.x0, b.x0), std::max(reach.x1, b.x1), std::min(reach.z0, b.z0), std::max(reach.z1, b.z1)};
    }
    std::vector<size_t> near;
    for (size_t j = 0; j < before; ++j) {
        const Box b = bounds(deck.members[j].plan);
        if (b.x0 < reach.x1 && reach.x0 < b.x1 && b.z0 < reach.z1 && reach.z0 < b.z1)
            near.push_back(j);
    }
    for (size_t i = before; i < deck.members.size(); ++i) {
        const Member &m = deck.members[i];
        if (overlapArea(m.plan, deck.outline) > stairTouching)
            return Finding{Rule::StairBlocked, p.fileName, {rimOf(stair.layout.edge), m.name, QStringLiteral("the deck")}};
        for (size_t j : near)
            if (overlaps(m, deck.members[j]))
                return Finding{Rule::StairBlocked, p.fileName, {rimOf(stair.layout.edge), m.name, deck.members[j].name}};
    }
    return std::nullopt;
}

} // namespace deckmodel
