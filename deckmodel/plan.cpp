#include "plan.h"

#include "numbertext.h"
#include "outlines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace deckmodel {

namespace {

bool alongGridX(Side side) { return side == Side::Top || side == Side::Bottom; }

bool isLShape(int deckType) { return deckType >= 3 && deckType <= 6; }

// Grid coordinate -> inches along one axis of the picture.
using AxisMap = std::map<double, double>;

// Fixes the corners that dimension lines reach from the axis's first corner,
// then places the rest at `scale` from their nearest fixed neighbour.
// Returns false when a length does not fit the others.
bool mapAxis(const Outline &outline, bool xAxis, double a, double b, double scale, AxisMap &map)
{
    std::vector<double> grid;
    for (const QPointF &c : outline.corners)
        grid.push_back(xAxis ? c.x() : c.y());
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    map[grid.front()] = 0;
    for (bool changed = true; changed;) {
        changed = false;
        for (const Dimension &d : outline.dimensions) {
            if (alongGridX(d.side) != xAxis)
                continue;
            double from = xAxis ? d.from.x() : d.from.y(), to = xAxis ? d.to.x() : d.to.y();
            if (from > to)
                std::swap(from, to);
            const double length = (d.letter == u'A' ? a : b);
            const bool hasFrom = map.count(from), hasTo = map.count(to);
            if (hasFrom && hasTo && std::abs(map[to] - map[from] - length) > 1e-6)
                return false;
            if (hasFrom != hasTo) {
                hasFrom ? map[to] = map[from] + length : map[from] = map[to] - length;
                changed = true;
            }
        }
    }
    AxisMap fixed = map;
    for (double g : grid) {
        if (fixed.count(g))
            continue;
        auto above = fixed.lower_bound(g);
        auto below = above == fixed.begin() ? fixed.end() : std::prev(above);
        const bool useBelow = above == fixed.end() || (below != fixed.end() && g - below->first <= above->first - g);
        map[g] = useBelow ? below->second + (g - below->first) * scale : above->second - (above->first - g) * scale;
    }
    double last = -INFINITY;
    for (double g : grid) {
        if (map[g] <= last + 1e-6)
            return false;
        last = map[g];
    }
    return true;
}

// Picture (x right, y down) to plan: Z along the picture's x, X upwards.
Polygon toPlan(const Outline &outline, const AxisMap &mapX, const AxisMap &mapY)
{
    const double top = std::prev(mapY.end())->second;
    Polygon plan;
    for (const QPointF &c : outline.corners)
        plan.push_back({top - mapY.at(c.y()), mapX.at(c.x())});
    return counterClockwise(plan);
}

} // namespace

jm::Result<Polygon> shapePlan(int deckType, double aFeet, double bFeet)
{
    const QList<Outline> shapes = deckShapes();
    if (deckType < 1 || deckType > shapes.size())
        return jm::failure(QStringLiteral("There is no deck type %1.").arg(deckType));
    // An L is the union of its two legs, each A long and B wide from the
    // outer corner: the same outline with A and B the other way round, and
    // a square when they are equal.
    if (isLShape(deckType) && bFeet >= aFeet) {
        if (bFeet == aFeet)
            return shapePlan(1, aFeet, aFeet);
        std::swap(aFeet, bFeet);
    }
    const Outline &outline = shapes[deckType - 1];
    const double a = aFeet * 12, b = bFeet * 12;
    double scale = INFINITY;
    for (const Dimension &d : outline.dimensions) {
        const double grid = alongGridX(d.side) ? std::abs(d.to.x() - d.from.x()) : std::abs(d.to.y() - d.from.y());
        scale = std::min(scale, (d.letter == u'A' ? a : b) / grid);
    }
    AxisMap mapX, mapY;
    if (!mapAxis(outline, true, a, b, scale, mapX) || !mapAxis(outline, false, a, b, scale, mapY))
        return jm::failure(QStringLiteral("Deck type %1 cannot have A %2 feet and B %3 feet: its outline would fold onto itself.")
                               .arg(deckType)
                               .arg(numbertext::generalNumber(aFeet), numbertext::generalNumber(bFeet)));
    return toPlan(outline, mapX, mapY);
}

jm::Result<Polygon> stylePlan(int style, double widthFeet)
{
    const QList<Outline> styles = deckStyles();
    if (style < 1 || style > styles.size())
        return jm::failure(QStringLiteral("There is no 2D deck style %1.").arg(style));
    if (!(widthFeet > 0))
        return jm::failure(QStringLiteral("A deck width of %1 feet is no width.").arg(numbertext::generalNumber(widthFeet)));
    const Outline &outline = styles[style - 1];
    const Dimension &d = outline.dimensions.front();
    const double scale = widthFeet * 12 / std::abs(d.to.x() - d.from.x());
    AxisMap mapX, mapY;
    double left = INFINITY, top = INFINITY;
    for (const QPointF &c : outline.corners)
        left = std::min(left, c.x()), top = std::min(top, c.y());
    for (const QPointF &c : outline.corners) {
        mapX[c.x()] = (c.x() - left) * scale;
        mapY[c.y()] = (c.y() - top) * scale;
    }
    return toPlan(outline, mapX, mapY);
}

} // namespace deckmodel
