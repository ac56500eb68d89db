// Deck outlines seen from above: polygons on a unit grid (y grows downwards,
// as on the screen) and the dimension lines that letter them. Each outline is
// defined once, in outlines.cpp; the drawing takes everything from it.
#pragma once

#include <QChar>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPolygonF>

namespace art {

enum class Side { Top, Bottom, Left, Right };

// The distance between two corners of the outline, measured along the side's
// axis (x for Top and Bottom, y for Left and Right) and drawn just outside
// the outline on that side.
struct Dimension {
    QPointF from;
    QPointF to;
    Side side;
    QChar letter;
};

struct Outline {
    int id = 0;
    QPolygonF corners;
    QList<Dimension> dimensions;
};

// Bitmaps 101 to 109: the nine 3D deck shapes.
QList<Outline> deckShapes();
// Bitmaps 300 to 318: the nineteen 2D deck styles.
QList<Outline> deckStyles();

struct PlanStyle {
    QSize size;
    int unit;            // pixels per grid square
    qreal outlineWidth;
    QColor dimensionLine;
    QColor letter;
};

PlanStyle shapeStyle();
PlanStyle styleStyle();

// The outline on its grid with its dimensions, centred in the picture.
// Returns a null image (and says why in `problem`) when a dimension does not
// run between two corners or anything would fall outside the picture.
QImage drawPlan(const Outline &outline, const PlanStyle &style, QString *problem);

} // namespace art
