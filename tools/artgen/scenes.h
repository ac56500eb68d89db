// The pictures that belong to the pages: decks in isometric view, the flat
// plan of the start page and the slogan banner.
#pragma once

#include "iso.h"

#include <QImage>

namespace art {

// Start page: a wooden deck on posts (137 x 154) and a deck in plan (147 x 140).
QImage deckOnPosts();
QImage deckPlan();

// The deck frame with one kind of part picked out in orange.
enum class Part { Joists, Beams, Posts, Decking };
QImage frameWith(Part part, QSize size);

// One small deck in the three viewing modes (117 x 157).
QImage viewingMode(Render render);

// 58 x 202, reading from bottom to top.
QImage banner();

} // namespace art
