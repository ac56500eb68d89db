// The kernel module's files: the deck's solids as STEP (AP214, one assembly
// of named components placing each piece's one solid, inches) or binary glTF
// (a node per member, a mesh per piece).
#pragma once

#include "kernelmodule.h"

namespace deckmodel {

jm::Status writeSolidFile(const Deck &deck, const QString &path, SolidFormat format);
int solidsOf(const Deck &deck);

} // namespace deckmodel
