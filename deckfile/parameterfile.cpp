#include "deckparameters.h"

#include <array>

namespace deckparameters {

namespace {

// One row of the lumber tables. The symbols read these lines column by
// column, so every blank in them matters, irregular ones included.
struct Lumber {
    const char *text;     // as listed in the size boxes
    const char *spacing;  // post spacing, beams only
    const char *height;
    const char *depthOrWidth;
    const char *label;    // in the material list
};

constexpr std::array<Lumber, 3> Beams{{
    {"2 X 6", "6", "5.5    ' Y,  - Beam Height", "1.5     ' Z,  - Beam Depth", "2x6"},
    {"2 X 8", "8", "7.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "2x8"},
    {"2 X 10", "10", "9.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "2x10"},
}};

constexpr std::array<Lumber, 3> Joists{{
    {"2 X 6", "", "5.5     ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x6"},
    {"2 X 8", "", "7.25    ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x8"},
    {"2 X 10", "", "9.25    ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x10"},
}};

// A text outside the list matches no row: every value it would give is empty.
constexpr Lumber NoLumber{"", "", "", "", ""};

const Lumber &lumberOf(const std::array<Lumber, 3> &table, const QString &text)
{
    for (const Lumber &row : table)
        if (text == QLatin1String(row.text))
            return row;
    return NoLumber;
}

// Five ranges, each starting at its own value: 12 and 14 fall in the rows
// that begin there.
int beamWidth(double deckWidth)
{
    if (deckWidth >= 20)
        return 20;
    if (deckWidth >= 16)
        return 16;
    if (deckWidth >= 14)
        return 14;
    if (deckWidth >= 12)
        return 12;
    return 10;
}

// The code the symbol family uses to tell its shapes apart.
QString deckTypeCode(int deckType)
{
    static constexpr std::array<char, 10> codes{' ', '1', '1', '1', '2', '3', '4', '1', '1', '0'};
    if (deckType < 1 || deckType > 9)
        return {};
    return QLatin1Char(codes[deckType]) + QStringLiteral("     - Deck Type");
}

struct Family {
    const char *file;
    const char *symbol;
};

const Family *familyOf(int deckType)
{
    static constexpr Family rectangle{"Deck_Rectangle.txt", "*Program Data\\3D Decks\\Deck_Rectangle.bsx"};
    static constexpr Family lShape{"Deck_L-Shape.txt", "*Program Data\\3D Decks\\Deck_L-Shape.bsx"};
    static constexpr Family slice2{"Deck_Slice2.txt", "*Program Data\\3D Decks\\Deck_Slice2.bsx"};
    static constexpr Family slice{"Deck_Slice.txt", "*Program Data\\3D Decks\\Deck_Slice.bsx"};
    switch (deckType) {
    case 1: case 2: return &rectangle;
    case 3: case 4: case 5: case 6: return &lShape;
    case 7: return &slice2;
    case 8: case 9: return &slice;
    default: return nullptr;
    }
}

} // namespace

QStringList framingLines(const Answers &answers)
{
    const Deck3dAnswers &pages = answers.pages;
    const Lumber &beam = lumberOf(Beams, pages.beamSize);
    const Lumber &joist = lumberOf(Joists, pages.joistSize);
    // The joists span between the posts, so their depth follows the beams.
    const QString spacing = QLatin1String(beam.spacing);
    const QString width = QString::number(beamWidth(answers.deckWidth));
    const bool fourInch = pages.posts == Posts::FourInch;

    QString deckingHeight, deckingDepth;
    switch (pages.decking) {
    case Decking::TwoByFour:
        deckingHeight = QStringLiteral("1.5     ' Y - Decking Height");
        deckingDepth = QStringLiteral("3.5     ' Z - Decking Depth");
        break;
    case Decking::TwoBySix:
        deckingHeight = QStringLiteral("1.5     ' Y - Decking Height");
        deckingDepth = QStringLiteral("5.5     ' Z - Decking Depth");
        break;
    case Decking::FiveQuarterBySix:
        deckingHeight = QStringLiteral("1       ' Y - Decking Height");
        deckingDepth = QStringLiteral("5.5     ' Z - Decking Depth");
        break;
    }

    QString viewing;
    switch (pages.viewing) {
    case ViewingMode::Wireframe: viewing = QStringLiteral("0          - WireFrame"); break;
    case ViewingMode::HiddenLine: viewing = QStringLiteral("1          - Hidden"); break;
    case ViewingMode::Shaded: viewing = QStringLiteral("2          - Shaded"); break;
    }

    return {
        QStringLiteral("2       ' X,   ', X Deck Overhang"),
        QStringLiteral("2.5     ' Z,   ', Z Deck Overhang"),
        spacing + QStringLiteral("       ' X,   ', Length Between Posts"),
        fourInch ? QStringLiteral("4       ' XZ,  ', Post Width & Depth")
                 : QStringLiteral("6       ' XZ,  ', Post Width & Depth"),
        QStringLiteral("6       ' Z,   ', Space Between Beams"),
        QLatin1String(beam.height),
        QLatin1String(beam.depthOrWidth),
        width + QStringLiteral("      - X - Beam Width"),
        QLatin1String(joist.height),
        spacing + QStringLiteral("       ' Z - Joist Depth"),
        QLatin1String(joist.depthOrWidth),
        QStringLiteral("12      ' X - Joist Center Spacing"),
        deckingHeight,
        deckingDepth,
        QStringLiteral(".25     ' X - Decking Spacing"),
        deckTypeCode(answers.deckType),
        fourInch ? QStringLiteral("4 inch x 4 inch Square Posts") : QStringLiteral("6 inch x 6 inch Square Posts"),
        width + QStringLiteral(" foot ") + QLatin1String(beam.label) + QStringLiteral(" Beams"),
        spacing + QStringLiteral(" foot ") + QLatin1String(joist.label) + QStringLiteral(" Joists"),
        pages.decking == Decking::TwoByFour ? QStringLiteral("2x4 Pieces of Decking")
                                              : QStringLiteral("2x6 Pieces of Decking"),
        viewing,
    };
}

QString parameterFile(int deckType)
{
    const Family *family = familyOf(deckType);
    return family ? QLatin1String(family->file) : QString();
}

QString symbolPath(int deckType)
{
    const Family *family = familyOf(deckType);
    return family ? QLatin1String(family->symbol) : QString();
}

bool joistsDeeperThanBeams(int deckType, const QString &beamSize, const QString &joistSize)
{
    if (deckType < 7)
        return false;
    // Texts outside the list pass: the family only knows these three sizes.
    if (beamSize == QLatin1String("2 X 6"))
        return joistSize == QLatin1String("2 X 8") || joistSize == QLatin1String("2 X 10");
    if (beamSize == QLatin1String("2 X 8"))
        return joistSize == QLatin1String("2 X 10");
    return false;
}

} // namespace deckparameters
