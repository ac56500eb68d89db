// Where the viewer's designs come from: a design file as it was saved, or a
// new design made from what the wizard left (a wizard folder, a saved copy of
// one, or a deck parameter file) with the stair the person placed on that
// file before (savedstairs.h) and the check settings and waste allowance in
// use. The wizard's files are only read.
#pragma once

#include "design.h"

namespace deckviewer {

// A design file read as it is; anything else made into a new design at the
// present time with `settings` and `wastePercent`.
jm::Result<design::Design> designFrom(const QString &path, const deckmodel::CodeSettings &settings, double wastePercent);

// The deck parameter file a new design from `path` was made from, the key of
// its saved stair; empty for a design file or a 2D deck.
QString wizardDeckFile(const QString &path);

} // namespace deckviewer
