// The deck as binary glTF 2.0, written here without the geometry kernel:
// every member is a prism (its plan at its base, raised by its thickness),
// so each face is a flat polygon cut into triangles.
//
// In metres with Y up, one buffer in the file itself. A node per member,
// named as the member, in the members' order where they stand (the ledger's
// hangers after them), then the house wall where the deck hangs on one.
// Members that are one piece moved (sharedshapes.h) share the piece's mesh,
// named as the piece; each node turns it about Y and moves it. One material
// a kind, in its colour (modelcolours.h), named as the kind ("Balusters").
// Each face has corners of its own, with the face's outward normal, and its
// triangles wind counter-clockwise seen from outside.
//
// A member that is no solid (no thickness, a plan without area or not a
// simple polygon, a length that is not a number) is a node of its name
// alone, without a mesh or a place: the file is whole all the same.
#pragma once

#include "framing.h"

#include <QByteArray>

namespace deckmodel {

QByteArray glbOf(const Deck &deck);

} // namespace deckmodel
