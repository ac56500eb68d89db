// Reading what the wizard leaves for the host's symbols, as a symbol reads
// it: each line of a deck parameter file is one free-format field whose
// leading number is its value; lines 20 to 23 are the material list as text.
// A missing file, a short one, or an empty value the deck needs is an error
// that names the file and the line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace deckmodel {

// The values of one deck parameter file, in the units the file uses.
struct DeckParameters {
    QString fileName;        // e.g. "Deck_Rectangle.txt"
    int deckType = 0;        // 1 to 9, from the file's family and line 19
    double depthA = 0;       // line 1, feet, along Z
    double widthB = 0;       // line 2, feet, along X
    double height = 0;       // line 3, feet, ground to the top of the decking
    double overhangX = 0;    // line 4, feet
    double overhangZ = 0;    // line 5, feet
    double postSpacing = 0;  // line 6, feet
    double postSize = 0;     // line 7, inches, square
    double beamSpacing = 0;  // line 8, feet
    double beamHeight = 0;   // line 9, inches
    double beamPly = 0;      // line 10, inches, one ply of the doubled beam
    double joistHeight = 0;  // line 12, inches
    double joistWidth = 0;   // line 14, inches
    double joistSpacing = 0; // line 15, inches, centre to centre
    double deckingThickness = 0; // line 16, inches
    double deckingWidth = 0;     // line 17, inches
    double deckingGap = 0;       // line 18, inches
    QStringList materials;   // lines 20 to 23 as written
    int viewingMode = 0;     // line 24: 0 wireframe, 1 hidden line, 2 shaded (the nearest)
};

struct ReadResult {
    std::optional<DeckParameters> deck;
    QString error; // one line naming the file and the line
};

// `fileName` is the file's own name: it tells the symbol family.
ReadResult readDeckFile(const QByteArray &bytes, const QString &fileName);
// A deck parameter file, or a program folder whose DeckType.txt names the family.
ReadResult readDeck(const QString &path);

// The 2D hand-off: the style from the loaded symbol's path ("...\Deck 7.dc")
// and the width (feet) from DeckSize.txt's bytes.
struct Deck2D {
    int style = 0;
    double widthFeet = 0;
    QString error;
};
Deck2D read2D(const QString &symbolPath, const QByteArray &deckSizeBytes);

// The file name of a deck type's family ("Deck_L-Shape.txt" for 3 to 6).
QString familyFile(int deckType);

} // namespace deckmodel
