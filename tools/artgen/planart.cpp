// Drawing an outline: grid, dimensions, then the outline over them.
#include "plan.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace art {
namespace {

const QColor white(255, 255, 255);
const QColor gridGrey(208, 208, 208);
const QColor black(0, 0, 0);

constexpr int dimensionGap = 13;  // from the outline's extreme to the dimension line
constexpr int extensionGap = 3;   // between a corner and its extension line
constexpr int overshoot = 3;      // extension lines run this far past the dimension line
constexpr int arrowLength = 5;
constexpr int arrowHalfWidth = 3;

bool horizontal(Side side) { return side == Side::Top || side == Side::Bottom; }

QFont letterFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

// Space a lettered dimension takes beyond the outline on its side.
int dimensionReach()
{
    return dimensionGap + QFontMetrics(letterFont()).height() / 2 + 2;
}

// Maps grid squares to pixel centres of the picture.
struct Mapping {
    QPoint origin;
    int unit;
    qreal centre; // 0.5 puts odd-width lines on whole pixels
    QPointF operator()(QPointF p) const
    {
        return QPointF(origin.x() + p.x() * unit + centre, origin.y() + p.y() * unit + centre);
    }
};

void drawGrid(QPainter &painter, const Mapping &map, QSize size)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(gridGrey, 1));
    const int firstX = map.origin.x() % map.unit, firstY = map.origin.y() % map.unit;
    for (int x = firstX; x < size.width(); x += map.unit)
        painter.drawLine(x, 0, x, size.height() - 1);
    for (int y = firstY; y < size.height(); y += map.unit)
        painter.drawLine(0, y, size.width() - 1, y);
}

void drawArrowHead(QPainter &painter, QPointF tip, QPointF towards)
{
    const QPointF along = (towards - tip) / std::hypot(towards.x() - tip.x(), towards.y() - tip.y());
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip + along * arrowLength;
    painter.drawPolygon(QPolygonF{tip, base + across * arrowHalfWidth, base - across * arrowHalfWidth});
}

void drawLetter(QPainter &painter, QPointF centre, QChar letter, const QColor &colour)
{
    painter.setFont(letterFont());
    const QFontMetrics metrics(painter.font());
    const int w = metrics.horizontalAdvance(letter), h = metrics.ascent();
    const QRectF box(centre.x() - w / 2.0 - 2, centre.y() - h / 2.0 - 2, w + 4, h + 4);
    painter.fillRect(box.toAlignedRect(), white);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(colour);
    painter.drawText(QPointF(centre.x() - w / 2.0, centre.y() + h / 2.0), QString(letter));
}

void drawDimension(QPainter &painter, const Mapping &map, const QRectF &bounds, const Dimension &d,
                   const PlanStyle &style)
{
    const QPointF a = map(d.from), b = map(d.to);
    const QPointF topLeft = map(bounds.topLeft()), bottomRight = map(bounds.bottomRight());
    QPointF lineA, lineB, outward;
    switch (d.side) {
    case Side::Top:
        lineA = {a.x(), topLeft.y() - dimensionGap}, lineB = {b.x(), topLeft.y() - dimensionGap}, outward = {0, -1};
        break;
    case Side::Bottom:
        lineA = {a.x(), bottomRight.y() + dimensionGap}, lineB = {b.x(), bottomRight.y() + dimensionGap};
        outward = {0, 1};
        break;
    case Side::Left:
        lineA = {topLeft.x() - dimensionGap, a.y()}, lineB = {topLeft.x() - dimensionGap, b.y()}, outward = {-1, 0};
        break;
    case Side::Right:
        lineA = {bottomRight.x() + dimensionGap, a.y()}, lineB = {bottomRight.x() + dimensionGap, b.y()};
        outward = {1, 0};
        break;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(style.dimensionLine, 1));
    painter.setBrush(style.dimensionLine);
    painter.drawLine(a + outward * extensionGap, lineA + outward * overshoot);
    painter.drawLine(b + outward * extensionGap, lineB + outward * overshoot);
    painter.drawLine(lineA, lineB);
    drawArrowHead(painter, lineA, lineB);
    drawArrowHead(painter, lineB, lineA);
    painter.setBrush(Qt::NoBrush);
    drawLetter(painter, (lineA + lineB) / 2, d.letter, style.letter);
}

} // namespace

PlanStyle shapeStyle()
{
    return {QSize(214, 151), 8, 3, QColor(0, 0, 255), QColor(0, 0, 255)};
}

PlanStyle styleStyle()
{
    return {QSize(213, 153), 7, 3, QColor(255, 0, 0), QColor(0, 0, 255)};
}

QImage drawPlan(const Outline &outline, const PlanStyle &style, QString *problem)
{
    for (const Dimension &d : outline.dimensions) {
        if (!outline.corners.contains(d.from) || !outline.corners.contains(d.to)) {
            *problem = QStringLiteral("a dimension of %1 does not run between two corners").arg(outline.id);
            return {};
        }
        if (horizontal(d.side) ? d.from.x() == d.to.x() : d.from.y() == d.to.y()) {
            *problem = QStringLiteral("a dimension of %1 measures nothing").arg(outline.id);
            return {};
        }
    }

    // The outline with room for the dimensions on the sides that have them.
    const QRectF bounds = QPolygonF(outline.corners).boundingRect();
    int reach[4] = {0, 0, 0, 0};
    for (const Dimension &d : outline.dimensions)
        reach[int(d.side)] = dimensionReach();
    const int margin = qCeil(style.outlineWidth / 2) + 1;
    const int top = reach[int(Side::Top)] + margin, bottom = reach[int(Side::Bottom)] + margin;
    const int left = reach[int(Side::Left)] + margin, right = reach[int(Side::Right)] + margin;
    const int width = qRound(bounds.width() * style.unit) + left + right;
    const int height = qRound(bounds.height() * style.unit) + top + bottom;
    if (width > style.size.width() || height > style.size.height()) {
        *problem = QStringLiteral("%1 needs %2 x %3 pixels").arg(outline.id).arg(width).arg(height);
        return {};
    }

    const QPoint corner((style.size.width() - width) / 2 + left, (style.size.height() - height) / 2 + top);
    const Mapping map{corner - QPoint(qRound(bounds.left() * style.unit), qRound(bounds.top() * style.unit)),
                      style.unit, int(style.outlineWidth) % 2 ? 0.5 : 0.0};

    QImage image(style.size, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    drawGrid(painter, map, style.size);
    for (const Dimension &d : outline.dimensions)
        drawDimension(painter, map, bounds, d, style);

    QPolygonF shape;
    for (const QPointF &p : outline.corners)
        shape << map(p);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(black, style.outlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolygon(shape);
    return image;
}

} // namespace art
