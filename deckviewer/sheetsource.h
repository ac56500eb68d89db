// Where a drawing set's sheets come from: the deck the viewer shows (a
// framed 3D deck, or the 2D road's plan), and the command line's
// `--render FILE --sheets all --out set.pdf`.
#pragma once

#include "drawingset.h"
#include "showdeck.h"

#include <QPageSize>

#include <optional>

namespace deckviewer {

// The paper of the user's locale: Letter where it is used, else A4.
deckview::Paper localePaper();

// Every sheet of a shown deck, or why there is none: on `paper`, or with
// none asked on the locale's paper, or its larger one where the plans would
// be drawn below 1/8" = 1'-0".
jm::Result<std::vector<deckview::Sheet>> sheetsOf(const ShownDeck &shown, std::optional<deckview::Paper> paper,
                                                  const deckmodel::CodeSettings &settings = {});
// The printer's paper as a drawing set's: Letter, A4, Tabloid (or Ledger) or
// A3; none for any other.
std::optional<deckview::Paper> paperOfPrinter(const QPageSize &size);

// The window's File > Drawing Set... and Print Drawing Set... for the shown
// deck (none for a deck that could not be shown): the set on the locale's
// paper, or on the printer's.
void offerDrawingSet(deckview::DeckWindow &window, const ShownDeck &shown, const deckmodel::CodeSettings &settings = {});

// Reads and frames the deck at `input` and writes the sheets `which` names
// ("all", "framing", "plan,footing") to `output` (.pdf or .svg).
jm::Status writeDrawingSet(const QString &input, const QString &which, std::optional<deckview::Paper> paper,
                           const QString &output,
                           const deckmodel::CodeSettings &settings = {});

} // namespace deckviewer
