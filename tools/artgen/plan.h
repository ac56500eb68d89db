// Drawing the deck outlines of deckmodel/outlines.h as the shape and style
// pictures.
#pragma once

#include "outlines.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPolygonF>

namespace art {

using deckmodel::Dimension;
using deckmodel::Outline;
using deckmodel::Side;
using deckmodel::deckShapes;
using deckmodel::deckStyles;

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
