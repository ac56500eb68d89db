// The catalogue of the nineteen 2D deck styles: a ring the page steps through
// in either direction, each style with its picture among the program's bitmaps.
// The host symbol of each style is host::styleSymbolPath.
#pragma once

#include "catalogue.h"

#include <QtGlobal>

namespace styles {

inline constexpr qint16 First = deckfile::FirstStyle;
inline constexpr qint16 Last = deckfile::LastStyle;

// Style n shows bitmap 299 + n: 300 to 318.
constexpr int bitmapId(qint16 style) { return 299 + style; }

constexpr qint16 next(qint16 style) { return style == Last ? First : qint16(style + 1); }
constexpr qint16 previous(qint16 style) { return style == First ? Last : qint16(style - 1); }

} // namespace styles
