// The guards and the stair measured against the residential code's rules for
// them, from the members as built: the guard's height above the walking
// surface (R312.1.2), its largest clear opening (R312.1.3), the risers
// (R311.7.5.1), the treads (R311.7.5.2), the stair's width (R311.7.2) and the
// handrail's height (R311.7.8). Each row a CodeCheck record (codecheck.h), in
// that order; the code check lists them with its own.
#pragma once

#include "codecheck.h"

#include <vector>

namespace deckmodel {

std::vector<CodeCheck> guardAndStairChecks(const Deck &deck);

} // namespace deckmodel
