// The stairs a person placed, kept as one JSON object keyed by each deck
// file's absolute path: {"<path>": {"present": true, "edge": 2,
// "offsetInches": 96, "widthInches": 36}, ...}. Read leniently, written
// whole; a record's sizes are checked by the framing (stairRefusal) before
// anything is made of them. Plain data, no files.
#pragma once

#include "extras.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace deckmodel {

// The stair kept for a deck; nothing when the bytes hold no JSON object or no
// record for it, or its record is no object. A field missing or of another
// type reads as the default's.
std::optional<StairLayout> stairLayoutIn(const QByteArray &bytes, const QString &deckKey);

// The bytes with the deck's record set to the layout, the other decks' kept
// (none when the bytes hold no JSON object).
QByteArray withStairLayout(const QByteArray &bytes, const QString &deckKey, const StairLayout &layout);

} // namespace deckmodel
