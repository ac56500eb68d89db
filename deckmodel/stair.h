// One straight stair from the deck's edge down to the ground, as members.
//
// Risers equal, as few as keep each at most 7 3/4 inches: ceil(rise / 7.75)
// of rise / count, where the rise is the decking's top above the ground; one
// tread fewer than risers, the deck itself the top landing. Each tread is the
// deck's own decking boards, as many side by side (with the deck's gap) as
// make it at least 10 inches deep: two 5.5-inch boards with a 0.25 gap make
// 11.25. Stringers are 2x12 (1.5 x 11.25), one every 18 inches or less across
// the width (three for 36 inches), the outer ones flush with the treads'
// ends, hung from the rim joist; each is drawn as one prism per tread, from
// the board's lower edge under the tread's middle up to the tread. A
// concrete landing pad 4 inches thick lies at the foot, its top at the
// ground, under the last tread and 36 inches beyond. A handrail on the side
// at the edge's far end when there are 4 risers or more, its top 36 inches
// above the nosings; guards on both sides when a tread stands more than 30
// inches above the ground. A stair rising more than 30 inches has its
// risers between treads closed by riser boards (1x8 ripped to the riser,
// standing on the lower tread's back edge under the upper tread's nosing),
// so no opening passes a 4-inch sphere. docs/deck-model.md has the figures.
#pragma once

#include "framing.h"
#include "guards.h"

#include <optional>

namespace deckmodel {

struct StairDesign {
    static constexpr double maxRiser = 7.75;
    static constexpr double minTread = 10;
    static constexpr double stringerWidth = 1.5, stringerDepth = 11.25;
    static constexpr double stringerSpacing = 18; // at most, centre to centre
    static constexpr double padThickness = 4, padBeyond = 36, padSide = 6;
    static constexpr double roomBeside = 2 * GuardDesign::post; // the edge each side of the stair: two posts
    static constexpr double guardAbove = 30;  // a tread higher than this needs guards
    static constexpr int handrailRisers = 4;  // a handrail from this many risers
    static constexpr double openRisersUpTo = 30; // a higher stair has its risers closed
    static constexpr double riserBoardThickness = 0.75, riserBoardDepth = 7.25; // 1x8, ripped to the riser
};

// The edge the dimension line A measures in the shape's picture (the first
// one the picture letters A): for the rectangle, the square and the L-shapes
// 3 and 4 the bottom edge (X = 0); for the L-shapes 5 and 6 and the cut
// shapes 7 to 9 the top edge (X at its largest).
int frontEdge(int deckType, const Polygon &outline);

// The layout with its edge and offset filled in: the front edge and its middle
// where the layout leaves them to the deck.
StairLayout resolvedLayout(const StairLayout &layout, int deckType, const Polygon &outline);

// Where along an edge a stair's centre may lie, in inches from its first
// corner; from > to when the edge is too short.
struct Reach {
    double from = 0, to = 0;
    bool fits() const { return from <= to + 1e-9; }
};
Reach stairReach(const Polygon &outline, int edge, double widthInches);

// Whether the resolved layout fits its edge: the refusal's record if not.
std::optional<Finding> stairRefusal(const Deck &deck, const StairLayout &layout);

// Places the resolved stair (deck.stair.layout) on its edge: the record's
// geometry, filled in before the guards leave its opening.
void placeStair(Deck &deck, const StairLayout &layout);

// The stair's members, its record and the guards or handrail on its sides;
// the record of what it would run into, if anything.
std::optional<Finding> addStair(Deck &deck, GuardNumbers &numbers);

} // namespace deckmodel
