// The program's pictures, cursor and icon. The numbered ones are reached by
// their integer id: bitmaps 101 to 109 (3D deck shapes) and 300 to 318 (2D deck
// styles), cursor 200 (the pointing hand), icon 1 (the hammer).
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace resources {

QPixmap bitmap(int id);
QCursor cursor(int id);
QIcon icon(int id);

// The path inside the program of a numbered resource, e.g. ":/bitmap/101".
QString bitmapPath(int id);
QString cursorPath(int id);
QString iconPath(int id);

// The pictures that belong to the pages themselves.
enum class Picture { Banner, Deck2D, Deck3D, Joists, Beams, Posts, Decking, Wireframe, HiddenLine, Shaded };
QPixmap picture(Picture which);
QString picturePath(Picture which);

} // namespace resources
