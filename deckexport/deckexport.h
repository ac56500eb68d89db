// Writing a deck to files. Callers hand over the plain member list; this
// writes STEP through the geometry kernel's module (AP214, a named component
// per member placing the one solid of its piece, inches), binary glTF
// without it (glbfile.h: a node per member, a mesh per piece), or the
// takeoff as CSV, or the code check as JSON or text. Every file is written
// whole or not at all.
#pragma once

#include "codecheck.h"
#include "framing.h"
#include "pricelist.h"
#include "result.h"

#include <QString>

#include <optional>

namespace deckmodel {

enum class Format { Step, Glb, Csv, CheckJson, CheckText };

// By the file name's extension (.step or .stp, .glb, .csv, .json, .txt), any case.
std::optional<Format> formatOf(const QString &path);

// Fails with one line saying why. The code check is made with `settings`,
// its suggested framing with it; the takeoff's footings too, priced from
// `prices` with `wastePercent` on the decking.
jm::Status writeDeck(const Deck &deck, const QString &path, Format format, const CodeSettings &settings = {},
                     const PriceList &prices = {}, double wastePercent = 10);

// Only turns the members into solids, for measuring the kernel's share.
int buildSolids(const Deck &deck);

// Reads the deck at `input` (a program folder or a deck parameter file),
// builds and checks it, and writes `output` in the format its extension
// names. Fails with one line saying why; a deck that fails the code check
// is still written (the check ran).
jm::Status renderDeck(const QString &input, const QString &output, const CodeSettings &settings = {});

} // namespace deckmodel
