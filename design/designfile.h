// The design file: one JSON object, versioned, written whole or not at all
// and read with the same care as the wizard's files (only a regular file of
// at most textfiles::LargestFileBytes, every value checked against the
// limits the deck parameter file's reader keeps). docs/design-file.md has
// its fields.
//
// {"format": "Joistmaster deck design", "version": 1, "kind": "3d",
//  "shape": {...}, "framing": {...}, "decking": {...}, "materials": [...],
//  "viewingMode": ..., "stair": {...}, "guards": {...}, "code": {...},
//  "wastePercent": ..., "project": {...}, "origin": {...}}, and from
// version 2 "attachment": {"edge", "to", "fastener", "sheathingIn"}.
#pragma once

#include "design.h"

#include <QByteArray>

namespace design {

// A design that hangs on the house is written as version 2 (with its
// "attachment"), any other as version 1, which every earlier Joistmaster
// reads; both are read.
inline constexpr int FormatVersion = 2;
inline constexpr int FreeStandingVersion = 1;
inline const QString FormatName = QStringLiteral("Joistmaster deck design");

// The most characters a project fact may hold (the notes ten times more),
// and a material line.
inline constexpr qsizetype LongestText = 1000;
inline constexpr qsizetype LongestNotes = 10000;

// The file's bytes: indented JSON, keys in order, numbers as short as they
// round-trip, LF line ends.
QByteArray designBytes(const Design &design);

// A design from a file's bytes; `fileName` names it in a refusal, which says
// which field is wrong and why ("\"deck.jmdeck\": framing.joistSpacingIn is
// 200 inches, above the 120 inches a design may hold.").
jm::Result<Design> readDesignBytes(const QByteArray &bytes, const QString &fileName);

// The design at `path`, through the one file reader.
jm::Result<Design> readDesign(const QString &path);

// The design as the whole new content of `path` (outputfile.h: never through
// a link, never half written).
jm::Status writeDesign(const QString &path, const Design &design);

} // namespace design
