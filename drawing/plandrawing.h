// The 2D road's drawing: a deck outline in plan with dimension lines in feet
// and inches and its area (the numbers written as lengthtext.h writes them).
#pragma once

#include "drawing.h"

#include <QPolygonF>
#include <QString>

#include <vector>

namespace deckview {

// A dimension line between two points of the outline, drawn `offset` feet to
// the left of from -> to as seen on the drawing (y grows downwards).
struct DimensionLine {
    QPointF from, to;
    double offset = 2;
};

struct PlanDrawing {
    QPolygonF outline; // feet, y downwards as on paper
    std::vector<DimensionLine> dimensions;
};

// The overall width above the outline and the overall depth on its left.
std::vector<DimensionLine> overallDimensions(const QPolygonF &outline);

// The plan fitted into the viewport: outline as visible lines, dimension and
// extension lines thin with slashes at their ends, each measure written along
// its line (an upright one turned to read from the bottom up), the area ("Area: 192 sq ft") at the outline's centre.
Drawing planDrawing(const PlanDrawing &plan, QSize viewport);

// How far a fitted plan is zoomed and moved: a point p of the fitted drawing
// is shown at p * factor + offset (pixels). The default shows it fitted.
struct PlanZoom {
    double factor = 1;
    QPointF offset;

    // Zooms by `by`, keeping the drawing's point under the pixel `at` still.
    void zoomAt(double by, QPointF at);
};

// The drawing as zoomed; the text keeps its size.
Drawing zoomed(Drawing drawing, const PlanZoom &zoom);

} // namespace deckview
