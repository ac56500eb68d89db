// Members that other members hide whole, seen from far away along a
// direction: plain geometry on the members' prisms, without the kernel.
//
// A member every point of which lies behind other members adds no visible
// line to a view, and whatever it hides is hidden already by what hides it,
// so the hidden-line pass may leave it out when the view's hidden lines are
// not drawn. The answer is on the safe side: a member counts as hidden whole
// only when its outline seen along the eye, grown by a margin, lies inside
// the outlines of members that are in front of all of it (across a plane
// square to X, Y or Z that parts the two, the other one on the eye's side).
// Only members with a convex plan hide others, since their outline is the
// hull of their corners.
#pragma once

#include "framing.h"
#include "hiddenline.h"

#include <vector>

namespace deckmodel {

// How far (inches, in the view plane) a member's outline must lie inside
// the outlines in front of it.
inline constexpr double HiddenWholeMarginIn = 0.01;

// For each member, whether the others hide it whole seen from the direction
// `eye` (towards the viewer, unit); `right` is the view plane's X, at right
// angles to `eye`.
std::vector<bool> hiddenWhole(const std::vector<Member> &members, Direction eye, Direction right);

} // namespace deckmodel
