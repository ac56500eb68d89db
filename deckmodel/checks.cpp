// The model checks run on every deck built: members must not overlap, every
// joist must bear, every post must carry a beam, the decking must cover the
// outline but for its gaps, and nothing may stick out of the outline.
#include "framing.h"

#include "numbertext.h"

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

constexpr double touching = 1e-3; // inches, or square inches for areas

bool boxesOverlap(const Box &a, const Box &b)
{
    return a.x0 < b.x1 - touching && b.x0 < a.x1 - touching && a.z0 < b.z1 - touching && b.z0 < a.z1 - touching;
}

bool isUprightRectangle(const Polygon &polygon, const Box &box)
{
    const auto onCorner = [&](Point p) { return (p.x == box.x0 || p.x == box.x1) && (p.z == box.z0 || p.z == box.z1); };
    return polygon.size() == 4 && std::all_of(polygon.begin(), polygon.end(), onCorner)
        && std::abs(area(polygon) - (box.x1 - box.x0) * (box.z1 - box.z0)) < touching;
}

// The area two plans share: at once for two upright rectangles (a joist
// across a beam), by clipping otherwise.
double sharedArea(const Polygon &a, const Polygon &b)
{
    const Box ba = bounds(a), bb = bounds(b);
    const double across = std::min(ba.x1, bb.x1) - std::max(ba.x0, bb.x0);
    const double along = std::min(ba.z1, bb.z1) - std::max(ba.z0, bb.z0);
    if (across <= 0 || along <= 0)
        return 0;
    return isUprightRectangle(a, ba) && isUprightRectangle(b, bb) ? across * along : overlapArea(a, b);
}

bool standsOn(const Member &upper, const Member &lower)
{
    return std::abs(upper.base - lower.top()) < touching && sharedArea(upper.plan, lower.plan) > touching;
}

Point centre(const Polygon &polygon)
{
    const Box b = bounds(polygon);
    return {(b.x0 + b.x1) / 2, (b.z0 + b.z1) / 2};
}

QString sqft(double squareInches) { return numbertext::generalNumber(std::round(squareInches / 144 * 100) / 100); }

} // namespace

int beamsUnder(const Deck &deck, const Member &joist)
{
    // A beam line counts once, however many of its plies carry the joist.
    // One pass over the members: a file may ask for hundreds of beam lines.
    std::vector<bool> carries(deck.beamLines.size());
    for (const Member &m : deck.members)
        if (m.kind == Kind::BeamPly && standsOn(joist, m)) {
            const double z = centre(m.plan).z;
            for (size_t line = 0; line < carries.size(); ++line)
                carries[line] = carries[line] || std::abs(z - deck.beamLines[line]) <= deck.parameters.beamPly;
        }
    return int(std::count(carries.begin(), carries.end(), true));
}

int endsOnRims(const Deck &deck, const Member &joist)
{
    const Point c = centre(joist.plan);
    int ends = 0;
    for (const Interval &run : runAlongZ(joist.plan, c.x))
        for (Point end : {Point{c.x, run.from}, Point{c.x, run.to}})
            for (const Member &m : deck.members)
                if (m.kind == Kind::RimJoist && std::abs(m.base - joist.base) < touching && contains(m.plan, end, touching)) {
                    ++ends;
                    break;
                }
    return ends;
}

QStringList checkDeck(const Deck &deck)
{
    QStringList problems;
    const std::vector<Member> &members = deck.members;
    std::vector<Box> boxes;
    for (const Member &m : members)
        boxes.push_back(bounds(m.plan));

    // Past a few overlaps the framing is wrong throughout; finding them all,
    // or checking further, could take minutes on a hand-edited file.
    constexpr qsizetype mostOverlaps = 20;
    for (size_t i = 0; i < members.size() && problems.size() < mostOverlaps; ++i)
        for (size_t j = i + 1; j < members.size() && problems.size() < mostOverlaps; ++j) {
            const Member &a = members[i], &b = members[j];
            if (a.base >= b.top() - touching || b.base >= a.top() - touching || !boxesOverlap(boxes[i], boxes[j]))
                continue;
            if (sharedArea(a.plan, b.plan) > touching)
                problems << QStringLiteral("%1 and %2 overlap.").arg(a.name, b.name);
        }
    if (problems.size() == mostOverlaps)
        return problems;

    for (const Member &m : members) {
        if (m.kind == Kind::Joist) {
            const int beams = beamsUnder(deck, m);
            if (beams < 2 && !(beams == 1 && endsOnRims(deck, m) > 0))
                problems << QStringLiteral("%1 rests on %2 beam lines and %3 rim joists.").arg(m.name).arg(beams).arg(endsOnRims(deck, m));
        }
        if (m.kind == Kind::Post) {
            bool carries = false;
            for (const Member &beam : members)
                carries = carries || (beam.kind == Kind::BeamPly && std::abs(beam.base - m.top()) < touching
                                      && contains(beam.plan, centre(m.plan), touching));
            if (!carries)
                problems << QStringLiteral("%1 stands under no beam.").arg(m.name);
        }
        for (const Point &p : m.plan)
            if (!contains(deck.outline, p, touching)) {
                problems << QStringLiteral("%1 lies outside the deck's outline.").arg(m.name);
                break;
            }
    }

    // What the decking leaves open may not exceed its gaps across the deck (one
    // per board: the last board may leave one at the far edge).
    double covered = 0;
    int boards = 0;
    for (const Member &m : members)
        if (m.kind == Kind::DeckingBoard)
            covered += area(m.plan), ++boards;
    const Box extent = bounds(deck.outline);
    const double open = area(deck.outline) - covered;
    const double gaps = boards * deck.parameters.deckingGap * (extent.x1 - extent.x0);
    if (open > gaps + 1)
        problems << QStringLiteral("The decking leaves %1 square feet of the deck uncovered; its gaps account for %2.")
                        .arg(sqft(open), sqft(gaps));
    return problems;
}

} // namespace deckmodel
