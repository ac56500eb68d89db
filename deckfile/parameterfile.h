// The deck parameter file the host's 3D symbols read: which file and symbol
// belong to a deck type, and the framing section (lines 4 to 24) that the 3D
// finish adds after the three dimension lines. Pure text, no widgets.
#pragma once

#include <QString>
#include <QStringList>

namespace deckparameters {

enum class Posts { FourInch, SixInch };
enum class Decking { TwoByFour, TwoBySix, FiveQuarterBySix };
enum class ViewingMode { Wireframe, HiddenLine, Shaded };

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

// Lines 4 to 24, without line ends: always 21 lines. Size texts outside the
// list leave their values empty rather than refusing.
QStringList framingLines(const Answers &answers);

// The deck parameter file of a deck type ("Deck_Rectangle.txt", ...), and the
// symbol the host opens for it. Both are empty for a number outside 1 to 9.
QString parameterFile(int deckType);
QString symbolPath(int deckType);

// The cut-corner decks (7, 8, 9) cannot carry joists deeper than their beams.
bool joistsDeeperThanBeams(int deckType, const QString &beamSize, const QString &joistSize);
inline const QString JoistsTooDeepMessage =
    QStringLiteral("The joists must be smaller than the beams on this type of deck.");

} // namespace deckparameters
