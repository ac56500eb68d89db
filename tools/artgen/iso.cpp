#include "iso.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <functional>

namespace art {
namespace {

const qreal cos30 = qCos(qDegreesToRadians(30.0));

QPointF project(QVector3D p)
{
    return QPointF((p.x() - p.y()) * cos30, (p.x() + p.y()) * 0.5 - p.z());
}

// Two boxes' pictures overlap exactly when their ranges of x - y, y - z and
// x - z all overlap: those three measures bound the hexagon a box projects to.
bool picturesOverlap(const Box &a, const Box &b)
{
    const auto overlap = [](qreal lo1, qreal hi1, qreal lo2, qreal hi2) { return lo1 < hi2 - 1e-4 && lo2 < hi1 - 1e-4; };
    return overlap(a.min.x() - a.max.y(), a.max.x() - a.min.y(), b.min.x() - b.max.y(), b.max.x() - b.min.y())
        && overlap(a.min.y() - a.max.z(), a.max.y() - a.min.z(), b.min.y() - b.max.z(), b.max.y() - b.min.z())
        && overlap(a.min.x() - a.max.z(), a.max.x() - a.min.z(), b.min.x() - b.max.z(), b.max.x() - b.min.z());
}

// The viewer looks from +x, +y, +z: a box lies behind another when they are
// apart along some axis and it is on the lower side.
bool behind(const Box &a, const Box &b)
{
    return a.max.x() <= b.min.x() + 1e-4 || a.max.y() <= b.min.y() + 1e-4 || a.max.z() <= b.min.z() + 1e-4;
}

QList<Box> backToFront(const QList<Box> &boxes)
{
    const qsizetype n = boxes.size();
    QList<QList<qsizetype>> before(n); // before[i]: boxes that must be drawn before i
    for (qsizetype i = 0; i < n; ++i)
        for (qsizetype j = 0; j < n; ++j)
            if (i != j && picturesOverlap(boxes[i], boxes[j]) && behind(boxes[j], boxes[i]) && !behind(boxes[i], boxes[j]))
                before[i] << j;
    QList<Box> order;
    QList<int> state(n, 0); // 0 new, 1 in progress, 2 placed
    std::function<void(qsizetype)> place = [&](qsizetype i) {
        if (state[i] != 0)
            return; // a cycle cannot occur between boxes that do not intersect
        state[i] = 1;
        for (qsizetype j : before[i])
            place(j);
        state[i] = 2;
        order << boxes[i];
    };
    for (qsizetype i = 0; i < n; ++i)
        place(i);
    return order;
}

struct Corners {
    QPointF p[8]; // index bits: 1 = max x, 2 = max y, 4 = max z
};

Corners cornersOf(const Box &b, const std::function<QPointF(QVector3D)> &toPicture)
{
    Corners c;
    for (int i = 0; i < 8; ++i)
        c.p[i] = toPicture(QVector3D(i & 1 ? b.max.x() : b.min.x(), i & 2 ? b.max.y() : b.min.y(),
                                     i & 4 ? b.max.z() : b.min.z()));
    return c;
}

// The three faces turned to the viewer, with their shading.
struct Face {
    int corner[4];
    int darker;
};
const Face visibleFaces[3] = {
    {{4, 5, 7, 6}, 100}, // top
    {{1, 3, 7, 5}, 125}, // +x side
    {{2, 3, 7, 6}, 150}, // +y side
};
const int edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                          {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

} // namespace

QImage drawBoxes(const QList<Box> &boxes, QSize size, int margin, Render render, const QColor &edge)
{
    QRectF extent;
    for (const Box &b : boxes)
        for (int i = 0; i < 8; ++i) {
            const QPointF p = project(QVector3D(i & 1 ? b.max.x() : b.min.x(), i & 2 ? b.max.y() : b.min.y(),
                                                i & 4 ? b.max.z() : b.min.z()));
            extent = extent.isNull() ? QRectF(p, QSizeF(1e-6, 1e-6)) : extent.united(QRectF(p, QSizeF(1e-6, 1e-6)));
        }
    const qreal scale = qMin((size.width() - 2 * margin) / extent.width(), (size.height() - 2 * margin) / extent.height());
    const QPointF offset = QPointF(size.width(), size.height()) / 2 - extent.center() * scale;
    const auto toPicture = [&](QVector3D p) { return project(p) * scale + offset; };

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Box &b : backToFront(boxes)) {
        const Corners c = cornersOf(b, toPicture);
        if (render == Render::Wireframe) {
            painter.setPen(QPen(edge, 1));
            for (const auto &e : edges)
                painter.drawLine(c.p[e[0]], c.p[e[1]]);
            continue;
        }
        for (const Face &f : visibleFaces) {
            const QPolygonF face{c.p[f.corner[0]], c.p[f.corner[1]], c.p[f.corner[2]], c.p[f.corner[3]]};
            switch (render) {
            case Render::Solid:
                painter.setPen(QPen(b.colour.darker(220), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                painter.setBrush(b.colour.darker(f.darker));
                break;
            case Render::HiddenLine:
                painter.setPen(QPen(edge, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                painter.setBrush(Qt::white);
                break;
            case Render::Flat:
            case Render::Wireframe: // drawn as edges above
                painter.setPen(QPen(b.colour.darker(f.darker), 0.6));
                painter.setBrush(b.colour.darker(f.darker));
                break;
            }
            painter.drawPolygon(face);
        }
    }
    return image;
}

} // namespace art
