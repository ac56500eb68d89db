#include "plandrawing.h"

#include "geometry.h"
#include "lengthtext.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace deckview {

namespace {

// The area of a simple polygon in square feet, either winding.
double squareFeetOf(const QPolygonF &polygon)
{
    deckmodel::Polygon points;
    for (const QPointF &p : polygon)
        points.push_back({p.x(), p.y()});
    return deckmodel::area(points);
}

} // namespace

std::vector<DimensionLine> overallDimensions(const QPolygonF &outline)
{
    const QRectF box = outline.boundingRect();
    // Left of left-to-right is up; left of bottom-to-top is the left side.
    return {{box.topLeft(), box.topRight(), 2}, {box.bottomLeft(), box.topLeft(), 2}};
}

namespace {
QPointF centroid(const QPolygonF &polygon)
{
    double twice = 0, cx = 0, cy = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF &p = polygon[i], &q = polygon[(i + 1) % polygon.size()];
        const double cross = p.x() * q.y() - q.x() * p.y();
        twice += cross;
        cx += (p.x() + q.x()) * cross;
        cy += (p.y() + q.y()) * cross;
    }
    if (std::abs(twice) < 1e-12)
        return polygon.boundingRect().center();
    return {cx / (3 * twice), cy / (3 * twice)};
}

QPointF leftOf(QPointF from, QPointF to)
{
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    return length > 0 ? QPointF(d.y(), -d.x()) / length : QPointF();
}

void addDimension(Drawing &drawing, const DimensionLine &dimension, double scale, QPointF origin)
{
    const QPointF from = origin + dimension.from * scale, to = origin + dimension.to * scale;
    const QPointF n = leftOf(from, to);
    if (n.isNull())
        return;
    const QPointF u(-n.y(), n.x());
    const double offset = dimension.offset * scale;
    const QPointF a = from + n * offset, b = to + n * offset;
    const double sign = offset < 0 ? -1 : 1;
    constexpr double Gap = 4, Overshoot = 5, Tick = 5, TextDistance = 9;
    drawing.lines.push_back({from + n * (sign * Gap), a + n * (sign * Overshoot), Stroke::Thin});
    drawing.lines.push_back({to + n * (sign * Gap), b + n * (sign * Overshoot), Stroke::Thin});
    drawing.lines.push_back({a, b, Stroke::Thin});
    const QPointF slash = (u + n) * (Tick / std::numbers::sqrt2);
    drawing.lines.push_back({a - slash, a + slash, Stroke::Thin});
    drawing.lines.push_back({b - slash, b + slash, Stroke::Thin});
    // Text reads left to right, or from the bottom up on an upright line.
    double angle = std::atan2(u.y(), u.x()) * 180 / std::numbers::pi;
    if (angle >= 89.5)
        angle -= 180;
    else if (angle < -90.5)
        angle += 180;
    drawing.labels.push_back({(a + b) / 2 + n * (sign * TextDistance),
                              lengthtext::feetAndInchesFromInches(QLineF(dimension.from, dimension.to).length() * 12), angle});
}
} // namespace

Drawing planDrawing(const PlanDrawing &plan, QSize viewport)
{
    Drawing drawing;
    drawing.viewport = viewport;
    if (plan.outline.size() < 3)
        return drawing;
    // Fit the outline with its dimension lines, leaving room for their text.
    QRectF extent = plan.outline.boundingRect();
    double reach = 0;
    for (const DimensionLine &d : plan.dimensions)
        reach = std::max(reach, std::abs(d.offset));
    extent.adjust(-reach, -reach, reach, reach);
    constexpr double TextRoom = 30;
    const double scale = std::min((viewport.width() - 2 * TextRoom) / std::max(extent.width(), 1e-9),
                                  (viewport.height() - 2 * TextRoom) / std::max(extent.height(), 1e-9));
    if (scale <= 0)
        return drawing;
    const QPointF origin = QPointF(viewport.width(), viewport.height()) / 2 - extent.center() * scale;

    for (qsizetype i = 0; i < plan.outline.size(); ++i)
        drawing.lines.push_back({origin + plan.outline[i] * scale,
                                 origin + plan.outline[(i + 1) % plan.outline.size()] * scale, Stroke::Visible});
    for (const DimensionLine &d : plan.dimensions)
        addDimension(drawing, d, scale, origin);
    drawing.labels.push_back(
        {origin + centroid(plan.outline) * scale, QStringLiteral("Area: ") + lengthtext::squareFeetText(squareFeetOf(plan.outline))});
    return drawing;
}

void PlanZoom::zoomAt(double by, QPointF at)
{
    offset = at - (at - offset) * by;
    factor *= by;
}

Drawing zoomed(Drawing drawing, const PlanZoom &zoom)
{
    for (Segment2 &s : drawing.lines) {
        s.a = s.a * zoom.factor + zoom.offset;
        s.b = s.b * zoom.factor + zoom.offset;
    }
    for (Label &l : drawing.labels)
        l.at = l.at * zoom.factor + zoom.offset;
    return drawing;
}

} // namespace deckview
