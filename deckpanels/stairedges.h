// The edges of a deck's outline named as a person sees the deck, in the
// shape's picture and the 3D view's Front button: the front is the side at
// the picture's bottom (the lowest X, where the Front view looks from), the
// back the top, left and right as the picture has them (the lowest Z on the
// left). A slanted edge faces two ways ("the 45-degree edge at the front
// left"); of two edges facing the same way, each is told by where it lies
// ("the back edge at the left"). A place along an edge is measured from one
// of its ends, named the same way ("from its left corner").
#pragma once

#include "framing.h"
#include "stairpanel.h"

#include <QString>

#include <vector>

namespace stairedges {

// The edge's name with "edge" in it, lower case: "front edge", "back edge
// at the left", "45-degree edge at the front left".
QString edgeName(const deckmodel::Polygon &outline, int edge);
// The side its first corner lies on, where its offsets are measured from:
// "left", "right", "front" or "back".
QString startEnd(const deckmodel::Polygon &outline, int edge);

// The edges a stair of the deck's width fits on, in the outline's order,
// with their words, reach and where the view labels them.
std::vector<StairEdge> stairEdges(const deckmodel::Deck &deck);

// Why a centre typed at `offsetInches` cannot be taken on the edge, or
// nothing when it can.
QString refusal(const StairEdge &edge, double offsetInches, double stairWidthInches);

} // namespace stairedges
