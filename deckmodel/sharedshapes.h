// Members that are the same piece moved: one shape placed many times. Two
// members share a piece when they are of one kind, equally thick, and one's
// plan is the other's moved along the ground and turned by a quarter turn, a
// half or three quarters about the vertical. A big deck's 880 balusters are
// one piece placed 880 times, its equal joists another; the model files and
// the hidden lines build, mesh and write each piece once.
#pragma once

#include "framing.h"

#include <vector>

namespace deckmodel {

// Where one member's piece goes: turned counter-clockwise (seen from above,
// X to the right and Z up) by `quarterTurns` about the vertical through the
// origin, then moved by (xIn, yIn, zIn); yIn is the member's base.
struct Placement {
    int piece = 0; // index into SharedShapes::pieces
    int quarterTurns = 0; // 0 to 3
    double xIn = 0, yIn = 0, zIn = 0;
};

struct SharedShapes {
    // Each piece as a member standing on the ground with a corner of its plan
    // at the origin, in the order first met, named by its kind and its number
    // among that kind's pieces: "Balusters, piece 1".
    std::vector<Member> pieces;
    std::vector<Placement> placements; // one a member, in the members' order
};

// Lengths within a millionth of an inch count as equal.
SharedShapes sharedShapesOf(const std::vector<Member> &members);

// A plan point turned counter-clockwise by `quarterTurns` about the origin.
Point turned(Point p, int quarterTurns);

} // namespace deckmodel
