// The designs a person saved or opened lately, newest first, for File >
// Open Recent: kept in the viewer's settings file (checksettings.h) as their
// paths, at most ten; a design no longer readable is left out of the menu.
// Each is told apart from the host's copies and from the others by its name,
// shape, size and the time it was saved.
#pragma once

#include "design.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace deckviewer {

inline constexpr int RecentDesignsKept = 10;

struct RecentDesign {
    QString path;
    design::Design design;
    QDateTime savedAt; // the file's last change
};

void rememberDesign(const QString &path);
QList<RecentDesign> recentDesigns();
// "Back deck (design): rectangle, 16' 0" x 12' 0", saved 12/7/26 9:40 PM"
QString recentDesignLabel(const RecentDesign &recent);
// A design's shape and size: "rectangle, 16' 0\" x 12' 0\"", "2D deck 3, 24' 6\" wide".
QString shapeAndSize(const design::Design &design);

} // namespace deckviewer
