// The STEP file's module: the deck's solids as STEP (stepfile.cpp: AP214,
// one assembly of named components placing each piece's one solid, inches).
#pragma once

#include "kernelmodule.h"

namespace deckmodel {

jm::Status writeStepFile(const Deck &deck, const QString &path);
int solidsOf(const Deck &deck);

} // namespace deckmodel
