// What Next on the deck shape and size page leaves in the program folder for
// the 3D finish: the deck type, the three sizes, and the three dimension lines
// that head the deck parameter file of the deck's shape.
#pragma once

#include "textfiles.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace handoff {

inline const QString DeckTypeFile = QStringLiteral("DeckType.txt");
inline const QString SizesFile = QStringLiteral("Sizes.txt");

// The three sizes exactly as their boxes hold them.
struct Sizes {
    QString a;      // deckLength, distance A
    QString b;      // deckWidth, distance B
    QString height; // deckHeight
};

// A 16-bit integer as a line by itself: the sign's place (a blank or "-"),
// the digits, one blank, CR LF. Deck type 3 gives " 3 \r\n".
QByteArray integerLine(qint16 value);

// DeckType.txt: the deck type as an integer line.
inline QByteArray deckTypeBytes(qint16 deckType) { return integerLine(deckType); }

// Sizes.txt: B, A, height, one to a line.
QStringList sizesLines(const Sizes &sizes);
QByteArray sizesBytes(const Sizes &sizes);

// Lines 1 to 3 of the deck parameter file: A, B, height, each followed by its
// fixed comment. The values are not padded, so the comments move with them.
QStringList dimensionLines(const Sizes &sizes);
QByteArray dimensionBytes(const Sizes &sizes);

// Writes DeckType.txt, reads the deck type back from it, writes the head of
// that type's deck parameter file, then Sizes.txt; each file whole or not at
// all. Stops at the first failure and returns it.
[[nodiscard]] std::optional<textfiles::Failure> write(const QString &folder, qint16 deckType, const Sizes &sizes);

} // namespace handoff
