// The deck parameter file the host's 3D symbols read, described once: its 24
// lines, what the wizard writes on each, and how a reader takes them back.
// The wizard writes the three dimension lines at the shape page's Next and the
// framing section (lines 4 to 24) at the finish; the deck model reads the
// whole file. docs/deck-model.md has the table line by line. Pure text, no
// widgets.
#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

namespace deckfile {

// The lines of a deck parameter file, by their numbers.
enum class Line {
    DeckDepth = 1, DeckWidth, DeckHeight, XOverhang, ZOverhang, PostSpacing, PostSize, BeamSpacing, BeamHeight,
    BeamDepth, BeamWidth, JoistHeight, JoistDepth, JoistWidth, JoistSpacing, DeckingHeight, DeckingDepth,
    DeckingSpacing, DeckTypeCode, PostsMaterial, BeamsMaterial, JoistsMaterial, DeckingMaterial, ViewingMode,
};
inline constexpr int LineCount = 24;
constexpr int numberOf(Line line) { return int(line); }

enum class Unit { Feet, Inches, Code, Words };

// One line of the file. A line is a value, a run of blanks and a comment;
// `fixed` is the whole line where the wizard always writes the same,
// `afterValue` the comment with its blanks where only the value varies.
// Elsewhere both depend on the answers (the lumber lines, whose blanks are
// not the same for every size) and are null.
struct LineSpec {
    Line line;
    const char *name;       // as the comment names it, for messages
    Unit unit;
    const char *fixed;
    const char *afterValue;
    double largest;         // the most a reader takes on this line, in its unit; 0: not read as a size
};
std::span<const LineSpec> lineTable();
const LineSpec &specOf(Line line);

// --- Writing -----------------------------------------------------------------

enum class Posts { FourInch, SixInch };
enum class Decking { TwoByFour, TwoBySix, FiveQuarterBySix };
enum class ViewingMode { Wireframe = 0, HiddenLine = 1, Shaded = 2 };

// The three sizes exactly as the shape page's boxes hold them.
struct Sizes {
    QString a;      // deckLength, distance A
    QString b;      // deckWidth, distance B
    QString height; // deckHeight
};

// The answers of the post and decking, joist and beam, and viewing options
// pages: each page keeps its part up to date as the user changes it, and the
// 3D finish reads them all. A page never shown leaves its part as it starts.
struct Deck3dAnswers {
    QString beamSize;          // the BeamSize text, compared exactly
    QString joistSize;         // the JoistSize text, compared exactly
    Posts posts = Posts::FourInch;
    Decking decking = Decking::FiveQuarterBySix;
    ViewingMode viewing = ViewingMode::Wireframe;
};

// Everything the framing section depends on.
struct Answers {
    int deckType = 1;          // 1 to 9
    double deckWidth = 0;      // W, the first value of Sizes.txt
    Deck3dAnswers pages;
};

// Lines 1 to 3: A, B, height, each followed by its comment. The values are
// not padded, so the comments move with them.
QStringList dimensionLines(const Sizes &sizes);

// Lines 4 to 24, without line ends: always 21 lines. Size texts outside the
// list leave their values empty rather than refusing.
QStringList framingLines(const Answers &answers);

// The deck parameter file of a deck type ("Deck_Rectangle.txt", ...), and the
// symbol the host opens for it. Both are empty for a number outside 1 to 9.
QString parameterFile(int deckType);
QString symbolPath(int deckType);

// The cut-corner decks (7, 8, 9) cannot carry joists deeper than their beams.
// Texts outside the list pass: the family only knows the listed sizes.
bool joistsDeeperThanBeams(int deckType, const QString &beamSize, const QString &joistSize);

// --- Reading -----------------------------------------------------------------

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
    int beamPlies = 2;       // not a line of the file: the wizard's beams are doubled; a suggested framing may say otherwise
    double joistHeight = 0;  // line 12, inches
    double joistWidth = 0;   // line 14, inches
    double joistSpacing = 0; // line 15, inches, centre to centre
    double deckingThickness = 0; // line 16, inches
    double deckingWidth = 0;     // line 17, inches
    double deckingGap = 0;       // line 18, inches
    QStringList materials;   // lines 20 to 23 as written
    ViewingMode viewingMode = ViewingMode::Wireframe; // line 24, the nearest of the three
};

// Reads a deck parameter file as a symbol reads it: each line one free-format
// field whose leading number is its value. `fileName` is the file's own name:
// it tells the symbol family. A short file, an empty value the deck needs, or
// a size past its line's largest fails with a sentence naming the file and
// the line; a beam or joist size the wizard's list did not hold is named as
// such.
jm::Result<DeckParameters> readDeckFile(const QByteArray &bytes, const QString &fileName);

} // namespace deckfile
