// Deck outlines seen from above: polygons on a unit grid (y grows downwards,
// as on the screen) and the dimension lines that letter them. The shape and
// style pictures are drawn from these, and a deck's plan is one of them
// scaled to its sizes (plan.h), so picture and model cannot drift apart.
#pragma once

#include <QChar>
#include <QList>
#include <QPointF>

namespace deckmodel {

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
    int id = 0;               // the picture's resource number
    QList<QPointF> corners;   // clockwise on the screen
    QList<Dimension> dimensions;
};

// Bitmaps 101 to 109: the nine 3D deck shapes, deck type n is entry n - 1.
QList<Outline> deckShapes();
// Bitmaps 300 to 318: the nineteen 2D deck styles, style n is entry n - 1.
QList<Outline> deckStyles();

} // namespace deckmodel
