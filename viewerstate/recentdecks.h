// What the substitute host remembers of each wizard folder, in the user's
// state folder ($XDG_STATE_HOME/joistmaster, else ~/.local/state/joistmaster),
// never in the wizard's folder: the last symbols it was asked to load and to
// open there, and a copy of the wizard's files at each such call (the last
// ten a folder), so that a later wizard, which deletes them, does not lose a
// finished design. Every file is written whole or not at all, and no link in
// the state folder is followed.
//
// Layout: folders/<key>/folder.txt (the wizard folder's path), last.txt
// (the symbols), decks/<yyyyMMdd-HHmmss-zzz>/ (the wizard's files as they
// were and symbols.txt). A saved copy's folder opens like a wizard folder.
#pragma once

#include "result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace recentdecks {

inline constexpr int KeptPerFolder = 10;

// The symbols asked for, as the calls named them ("...\Deck 3.dc").
struct Asked {
    QString loaded; // LoadSymbol's
    QString opened; // OpenSymbolFile's
};

struct SavedDeck {
    QString folder;   // opens with deckviewer --open
    QDateTime at;     // when the call came, local time to the millisecond
    QString deckName; // "Deck_L-Shape", "Deck 3"
};

QString stateFolder();

// Records a call's symbols for the wizard folder and keeps a copy of its files
// (none when they and the symbols are those of the newest copy).
jm::Status remember(const QString &wizardFolder, const Asked &asked);

// What a folder was last asked for: a saved copy's own symbols, or those
// remembered for a wizard folder; nothing when neither is known.
std::optional<Asked> askedIn(const QString &folder);

// The folder's saved copies, newest first.
QList<SavedDeck> recentDecks(const QString &wizardFolder);

// The deck's name as a person knows it: the 2D style loaded, else the shape's family.
QString deckNameOf(const Asked &asked);

} // namespace recentdecks
