// The hidden lines' module: Open CASCADE's polygonal algorithm on
// the members' solids, each distinct piece built and meshed once.
#pragma once

#include "kernelmodule.h"

namespace deckmodel {

std::unique_ptr<HiddenLineKernel> polygonalHiddenLines(const std::vector<Member> &members);

} // namespace deckmodel
