// The sizes a person gives the viewer's panels (the widths of a list's
// columns, where a divider stands) remembered between runs, in the same
// file as the code check's settings ($XDG_CONFIG_HOME/joistmaster/
// deckviewer.conf), in its [layout] group: one line a name, the sizes in
// pixels separated by commas ("check_columns=90, 170, 420").
#pragma once

#include <QList>
#include <QString>

namespace deckviewer {

// The sizes saved under the name; none when there are none, or when the
// line holds anything but whole numbers from 1 to 10000.
QList<int> savedSizes(const QString &name);
void saveSizes(const QString &name, const QList<int> &sizes);

} // namespace deckviewer
