// A window's size and place and its panels' arrangement (which dock where,
// how wide, which tab in front) remembered between runs, in the viewer's
// config file beside the panels' sizes (panellayout.h): saved when the
// window closes, restored when it is made.
#pragma once

#include <QString>

class QMainWindow;

namespace deckviewer {

// Restores what was saved under `name` (a word of letters) now, once the
// window's panels are all added, and saves it when the window closes.
void rememberLayout(QMainWindow *window, const QString &name);

} // namespace deckviewer
