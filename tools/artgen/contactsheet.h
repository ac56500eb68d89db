// One picture of every resource file, each labelled with its id, for looking
// the artwork over.
#pragma once

#include <QImage>
#include <QString>

namespace art {

// Reads the files under `resources` (the folder that holds bitmaps/,
// pictures/, cursor200.cur and icon1.ico). Missing files show as gaps.
QImage contactSheet(const QString &resources);

} // namespace art
