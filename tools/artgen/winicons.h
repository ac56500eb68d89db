// The pointing-hand cursor and the hammer icon, written as Windows .cur and
// .ico files byte by byte (Qt writes neither 1-bpp cursors nor 4-bpp icons).
#pragma once

#include <QByteArray>
#include <QImage>

namespace art {

// 32 x 32, 1 bit per pixel, hot spot at the fingertip.
QByteArray handCursor();
// 32 x 32 and 16 x 16, 16 colours each.
QByteArray hammerIcon();

// The drawings themselves, for the contact sheet and the checks.
QImage handImage();
QImage hammerImage(int size);

} // namespace art
