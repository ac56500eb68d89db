// The solid files' modules: the deck's solids as STEP (stepfile.cpp: AP214,
// one assembly of named components placing each piece's one solid, inches)
// in one, as binary glTF (glbfile.cpp: a node per member, a mesh per piece)
// in the other, so that neither binds the other's libraries.
#pragma once

#include "kernelmodule.h"

namespace deckmodel {

// Each writes its own format and refuses the other.
jm::Status writeStepFile(const Deck &deck, const QString &path, SolidFormat format);
jm::Status writeGlbFile(const Deck &deck, const QString &path, SolidFormat format);
int solidsOf(const Deck &deck); // in the STEP module

} // namespace deckmodel
