#include "stairedges.h"

#include "framing.h"
#include "guards.h"
#include "lengthtext.h"
#include "stair.h"

#include <algorithm>
#include <cmath>

namespace stairedges {

using deckmodel::Point;
using deckmodel::Polygon;

namespace {
// A direction counts along an axis when its share of it is more than this.
constexpr double axisShare = 0.3;
// How far outside its edge a label stands, inches.
constexpr double labelOut = 18;

struct Facing {
    QString across; // "front", "back" or empty
    QString side;   // "left", "right" or empty
};

Facing facingOf(Point out)
{
    Facing facing;
    if (std::abs(out.x) > axisShare)
        facing.across = out.x < 0 ? QStringLiteral("front") : QStringLiteral("back");
    if (std::abs(out.z) > axisShare)
        facing.side = out.z < 0 ? QStringLiteral("left") : QStringLiteral("right");
    // One way only: the stronger one.
    if (!facing.across.isEmpty() && !facing.side.isEmpty() && std::abs(std::abs(out.x) - std::abs(out.z)) > 0.5)
        (std::abs(out.x) > std::abs(out.z) ? facing.side : facing.across).clear();
    return facing;
}

QString baseName(Point out)
{
    const Facing f = facingOf(out);
    if (f.across.isEmpty() || f.side.isEmpty())
        return (f.across.isEmpty() ? f.side : f.across) + QStringLiteral(" edge");
    const bool fortyFive = std::abs(std::abs(out.x) - std::abs(out.z)) < 0.05;
    return QStringLiteral("%1 edge at the %2 %3")
        .arg(fortyFive ? QStringLiteral("45-degree") : QStringLiteral("slanted"), f.across, f.side);
}

Point middleOf(const Polygon &outline, int edge)
{
    const deckmodel::Edge e = deckmodel::edgeOf(outline, edge);
    return {e.start.x + e.along.x * e.lengthInches / 2, e.start.z + e.along.z * e.lengthInches / 2};
}

// Where among the edges of the same name this one lies: across the picture
// (left to right) for a front, back or slanted edge, up it (front to back)
// for a left or right one.
QString placeAmong(const Polygon &outline, int edge, const std::vector<int> &same)
{
    const Facing f = facingOf(deckmodel::edgeOf(outline, edge).out);
    const bool bySide = !f.across.isEmpty();
    const auto key = [&](int i) { const Point m = middleOf(outline, i); return bySide ? m.z : m.x; };
    std::vector<int> order = same;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    const int at = int(std::find(order.begin(), order.end(), edge) - order.begin());
    const int count = int(order.size());
    if (at == 0)
        return bySide ? QStringLiteral("at the left") : QStringLiteral("at the front");
    if (at == count - 1)
        return bySide ? QStringLiteral("at the right") : QStringLiteral("at the back");
    if (count == 3)
        return QStringLiteral("in the middle");
    return QStringLiteral("%1 from the %2").arg(at + 1).arg(bySide ? QStringLiteral("left") : QStringLiteral("front"));
}

QString feet(double inches)
{
    return lengthtext::feetAndInchesFromInches(inches);
}
} // namespace

QString edgeName(const Polygon &outline, int edge)
{
    const QString name = baseName(deckmodel::edgeOf(outline, edge).out);
    std::vector<int> same;
    for (int i = 0; i < int(outline.size()); ++i)
        if (baseName(deckmodel::edgeOf(outline, i).out) == name)
            same.push_back(i);
    return same.size() < 2 ? name : name + u' ' + placeAmong(outline, edge, same);
}

QString startEnd(const Polygon &outline, int edge)
{
    const Point along = deckmodel::edgeOf(outline, edge).along;
    if (std::abs(along.z) >= std::abs(along.x) - 1e-6)
        return along.z > 0 ? QStringLiteral("left") : QStringLiteral("right");
    return along.x > 0 ? QStringLiteral("front") : QStringLiteral("back");
}

std::vector<StairEdge> stairEdges(const deckmodel::Deck &deck)
{
    std::vector<StairEdge> edges;
    const double width = deck.stair.present ? deck.stair.layout.widthInches : deckmodel::StairLayout().widthInches;
    // Named and labelled where the deck stands (a deck framed turned keeps its edges' numbers).
    const Polygon outline = deckmodel::planPolygon(deck, deck.outline);
    for (int i = 0; i < int(outline.size()); ++i) {
        const deckmodel::Reach reach = deckmodel::stairReach(outline, i, width);
        if (!reach.fits())
            continue;
        const deckmodel::Edge edge = deckmodel::edgeOf(outline, i);
        QString name = edgeName(outline, i);
        name[0] = name[0].toUpper();
        StairEdge e;
        e.edge = i;
        e.words = QStringLiteral("%1, %2 long").arg(name, feet(edge.lengthInches));
        e.name = name;
        e.fromEnd = startEnd(outline, i);
        e.lengthInches = edge.lengthInches;
        e.fromInches = reach.from;
        e.toInches = reach.to;
        const Point middle = middleOf(outline, i);
        e.labelAt = {middle.x + edge.out.x * labelOut, middle.z + edge.out.z * labelOut};
        e.labelHeightInches = deck.parameters.height * 12;
        edges.push_back(e);
    }
    return edges;
}

QString refusal(const StairEdge &edge, double offsetInches, double stairWidthInches)
{
    if (offsetInches >= edge.fromInches - 1e-9 && offsetInches <= edge.toInches + 1e-9)
        return {};
    const QString why = offsetInches > edge.lengthInches + 1e-9
        ? QStringLiteral("%1 is past the end of the %2 %3")
              .arg(feet(offsetInches), feet(edge.lengthInches), edge.name.toLower())
        : QStringLiteral("At %1 from the %2 corner the stair would not fit")
              .arg(feet(offsetInches), edge.fromEnd);
    return QStringLiteral("%1. Its centre can be from %2 to %3 from the %4 corner, so that the %5 stair and room "
                          "for the guard posts beside it (%6 each side) lie on the edge. The stair stays where it was.")
        .arg(why, feet(edge.fromInches), feet(edge.toInches), edge.fromEnd, feet(stairWidthInches),
             lengthtext::inchesText(deckmodel::StairDesign::roomBeside));
}

} // namespace stairedges
