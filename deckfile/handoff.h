// The files the wizard leaves in its program folder and how each is written
// and read back: DeckType.txt and Sizes.txt (the shape page's answers, for
// the 3D finish), the deck parameter file of the deck's family, and
// DeckSize.txt (the 2D deck's width). Every write is whole or nothing.
#pragma once

#include "parameterfile.h"
#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace deckfile {

inline const QString DeckTypeFile = QStringLiteral("DeckType.txt");
inline const QString SizesFile = QStringLiteral("Sizes.txt");
inline const QString DeckSizeFile = QStringLiteral("DeckSize.txt");

// A 16-bit integer as a line by itself: the sign's place (a blank or "-"),
// the digits, one blank, CR LF. Deck type 3 gives " 3 \r\n".
QByteArray integerLine(qint16 value);

// Sizes.txt: B, A, height, one to a line.
QStringList sizesLines(const Sizes &sizes);
QByteArray sizesBytes(const Sizes &sizes);

// Every file the wizard writes in its folder: the three small files and the
// four deck parameter files.
QStringList wizardFiles();

// A write killed at its last step can leave its temporary file beside the
// file it was to replace: the file's name, a dot and six letters or digits.
// Removes those of the wizard's files from the folder (only regular files,
// and only small ones, as the wizard's are), at a start that holds the
// folder's lock.
void removeLeftovers(const QString &folder);

// --- The 3D road -------------------------------------------------------------

// At the shape page's Next: writes DeckType.txt, reads the deck type back from
// it, writes the head of that type's deck parameter file, then Sizes.txt;
// each file whole or not at all. Stops at the first failure.
jm::Status writeHandOff(const QString &folder, qint16 deckType, const Sizes &sizes);

// What DeckType.txt and Sizes.txt hold for the finish: the deck type, then
// the deck width and deck length, the first two values of the sizes.
struct Stored {
    int deckType = 0;
    double deckWidth = 0;
    double deckLength = 0;
};
jm::Result<Stored> readStored(const QString &folder);

// At the finish: adds lines 4 to 24 to the three dimension lines of the
// family's deck parameter file. The whole file is written anew beside the old
// one and then takes its place, so a failure leaves the three-line file as it
// was; whatever else the file held, a finished file has exactly 24 lines.
jm::Status completeParameterFile(const QString &folder, const Answers &answers);

// A deck parameter file, or a program folder whose DeckType.txt names the family.
jm::Result<DeckParameters> readDeck(const QString &path);

// --- The 2D road -------------------------------------------------------------

// DeckSize.txt: the width exactly as typed, blanks and all.
jm::Status writeDeckSize(const QString &folder, const QString &widthText);

// The 2D hand-off as the host reads it: the style from the loaded symbol's
// path ("...\Deck 7.dc") and the width (feet) from DeckSize.txt's bytes.
struct Deck2D {
    int style = 0;
    double widthFeet = 0;
};
jm::Result<Deck2D> read2D(const QString &symbolPath, const QByteArray &deckSizeBytes);
// The same, DeckSize.txt read from the folder.
jm::Result<Deck2D> read2DFrom(const QString &symbolPath, const QString &folder);

} // namespace deckfile
