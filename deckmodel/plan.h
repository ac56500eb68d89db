// A deck's plan: its shape's or style's outline (outlines.h) scaled to the
// sizes the wizard wrote, in inches on the deck's X and Z.
//
// The picture's horizontal runs along Z and its upward direction along X, so
// seen from above with Z to the right and X up the plan looks like its
// picture. A 3D shape is stretched piecewise along each axis so that every
// dimension line measures its A or B; corners that no dimension line fixes
// (the 45-degree cuts) keep their distance to the nearest fixed corner at
// the smaller of the shape's scales, so cuts stay at 45 degrees. A 2D style
// is scaled alike in both directions so that its A line measures the width.
#pragma once

#include "geometry.h"
#include "result.h"

namespace deckmodel {

// Deck type 1 to 9, distances A and B in feet: the outline, or why there is none.
jm::Result<Polygon> shapePlan(int deckType, double aFeet, double bFeet);
// 2D style 1 to 19, width A in feet.
jm::Result<Polygon> stylePlan(int style, double widthFeet);

} // namespace deckmodel
