// Line drawings in 2D: the segments of a wireframe, a hidden-line view or a
// plan, in viewport pixels, and the clean-up a hidden-line kernel's output needs
// before it is drawn.
#pragma once

#include <QPointF>

#include <vector>

namespace deckview {

// Highlight: a visible edge of a member picked out, drawn over the rest.
enum class Stroke { Visible, Hidden, Thin, Highlight };

struct Segment2 {
    QPointF a, b;
    Stroke stroke = Stroke::Visible;
};

struct CleanTolerance {
    double distance = 0.01; // how far apart two lines may lie and still be one
    double angle = 1e-4;    // radians
};

// Merges collinear segments of one stroke that overlap or touch into one,
// removes the parts of hidden segments that lie under visible ones, and drops
// segments shorter than the tolerance or not finite, so that no piece of a line is drawn
// twice. Thin segments are passed through at the end. Each result runs along
// its line's direction, taken with x growing (y growing when upright); all
// visible segments come first, then the hidden ones.
std::vector<Segment2> cleanSegments(const std::vector<Segment2> &segments, CleanTolerance tolerance = {});

} // namespace deckview
