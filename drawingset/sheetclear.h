// Whether a sheet is legible, as data: every text's box against every line,
// every outline's edges, every circle, every filled shape and every other
// text's box; and the placer that moves a text that crosses something to the
// nearest clear place (with a leader back to where it was, when it had to go
// far), or drops it where no place is clear.
#pragma once

#include "sheet.h"

#include <QRectF>

#include <vector>

namespace deckview {

// What a text's box crosses: a line, an outline's edge or a filled outline,
// a circle, or another text's box (the earlier of the two is `text`).
struct TextCrossing {
    enum class With { Line, Shape, Circle, Text };
    size_t text = 0;
    With with = With::Line;
    size_t other = 0; // the index in the sheet's lines, shapes, circles or texts
};
std::vector<TextCrossing> crossingsOf(const Sheet &sheet);

// The crossing in words for a failing test or a log: "framing: \"J: 2x6\" crosses line 12".
QString crossingWords(const Sheet &sheet, const TextCrossing &crossing);

// Every text that crosses something moved to the nearest clear place inside
// `room` (texts right of `room`, the title strip's, stay where they are and
// are kept clear of first), or to `sheet.dropped` where none is within reach.
void settleTexts(Sheet &sheet, const QRectF &room);

} // namespace deckview
