// Boxes in isometric view: enough 3D for decks made of posts, beams, joists
// and boards, all of them axis-aligned blocks.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QVector3D>

namespace art {

// x runs to the lower right of the picture, y to the lower left, z up.
// Measures are in feet.
struct Box {
    QVector3D min, max;
    QColor colour;
};

enum class Render {
    Solid,      // shaded faces with darker edges
    Wireframe,  // every edge, see-through
    HiddenLine, // only the edges nothing stands in front of
    Flat,       // shaded faces, no edges
};

// The boxes drawn back to front, scaled to fill the picture less `margin`
// pixels each side and centred. `edge` colours the lines of Wireframe and
// HiddenLine.
QImage drawBoxes(const QList<Box> &boxes, QSize size, int margin, Render render, const QColor &edge = {});

} // namespace art
