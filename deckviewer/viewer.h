// What deckviewer does, and deckhost with --open or --render: write a deck's
// model, takeoff or drawing to a file and end, or show the deck in the
// viewer's window until it is closed.
#pragma once

#include "vieweroptions.h"

namespace deckviewer {

// The window's name, which its title begins with.
inline const QString WindowName = QStringLiteral("Joistmaster Deck Viewer");

// Who runs the viewer, as its messages name it.
struct Program {
    QString name; // begins every error line on stderr: "deckviewer"
    QString self; // "\"deck.dxf\" names no format <self> writes"
};

// The exit code: a render's (0 written, 1 not), or the window's event loop's.
int run(const Program &program, const Options &options, int &argc, char **argv);

} // namespace deckviewer
