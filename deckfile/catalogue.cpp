#include "catalogue.h"

#include <algorithm>
#include <cmath>

namespace deckfile {

namespace {

constexpr Family Rectangle{"Deck_Rectangle.txt", "*Program Data\\3D Decks\\Deck_Rectangle.bsx"};
constexpr Family LShape{"Deck_L-Shape.txt", "*Program Data\\3D Decks\\Deck_L-Shape.bsx"};
constexpr Family Slice2{"Deck_Slice2.txt", "*Program Data\\3D Decks\\Deck_Slice2.bsx"};
constexpr Family Slice{"Deck_Slice.txt", "*Program Data\\3D Decks\\Deck_Slice.bsx"};

constexpr std::array<Family, 4> KnownFamilies{Rectangle, Slice, Slice2, LShape};

// A square and a rectangle share a family and its code: the file does not
// tell them apart, and a reader takes the rectangle.
constexpr std::array<Shape, 9> KnownShapes{{
    {1, 101, &KnownFamilies[0], 1, "square"},
    {2, 102, &KnownFamilies[0], 1, "rectangle"},
    {3, 103, &KnownFamilies[3], 1, "L-shape with the vertical leg on the left"},
    {4, 104, &KnownFamilies[3], 2, "L-shape with the vertical leg on the right"},
    {5, 105, &KnownFamilies[3], 3, "L-shape with the horizontal leg at the top left"},
    {6, 106, &KnownFamilies[3], 4, "L-shape with the horizontal leg at the top right"},
    {7, 107, &KnownFamilies[2], 1, "rectangle with both lower corners cut off"},
    {8, 108, &KnownFamilies[1], 1, "rectangle with the lower right corner cut off"},
    {9, 109, &KnownFamilies[1], 0, "rectangle with the lower left corner cut off"},
}};

// Posts are written as their full inches ("4", "6"), so they stand here at
// those sizes; framing lumber at its dressed sizes.
constexpr std::array<Lumber, 9> LumberSizes{{
    {"5/4x6", 1, 5.5},
    {"2x4", 1.5, 3.5},
    {"2x6", 1.5, 5.5},
    {"2x8", 1.5, 7.25},
    {"2x10", 1.5, 9.25},
    {"2x12", 1.5, 11.25},
    {"4x4", 4, 4},
    {"6x6", 6, 6},
    {"8x8", 8, 8},
}};

const std::array<FramingSize, 3> &framingTable()
{
    static const std::array<FramingSize, 3> table{{
        {"2 X 6", lumberNamed(u"2x6")},
        {"2 X 8", lumberNamed(u"2x8")},
        {"2 X 10", lumberNamed(u"2x10")},
    }};
    return table;
}

} // namespace

std::span<const Shape> shapes() { return KnownShapes; }

const Shape *shapeOf(int deckType)
{
    return deckType >= FirstDeckType && deckType <= LastDeckType ? &KnownShapes[deckType - 1] : nullptr;
}

const Shape *shapeOf(const Family &family, int code)
{
    // The rectangle, not the square: the last shape of the family with the code.
    const Shape *found = nullptr;
    for (const Shape &shape : KnownShapes)
        if (shape.family == &family && shape.code == code)
            found = &shape;
    return found;
}

int nextDeckType(int deckType) { return deckType >= LastDeckType ? FirstDeckType : deckType + 1; }
int previousDeckType(int deckType) { return deckType <= FirstDeckType ? LastDeckType : deckType - 1; }

std::span<const Family> families() { return KnownFamilies; }

const Family *familyOfFile(QStringView fileName)
{
    for (const Family &family : KnownFamilies)
        if (fileName.compare(QLatin1String(family.file), Qt::CaseInsensitive) == 0)
            return &family;
    return nullptr;
}

namespace {
// The file name at the end of a symbol path, after its last \ or /.
QStringView symbolFileName(QStringView symbolPath)
{
    return symbolPath.mid(std::max(symbolPath.lastIndexOf(u'\\'), symbolPath.lastIndexOf(u'/')) + 1);
}
} // namespace

bool isCommon2DSymbol(QStringView symbolPath)
{
    return symbolFileName(symbolPath).compare(QLatin1String("2ddecks.bsx"), Qt::CaseInsensitive) == 0;
}

const Family *familyOfSymbol(QStringView symbolPath)
{
    const QStringView name = symbolFileName(symbolPath);
    for (const Family &family : KnownFamilies) {
        const QLatin1String symbol(family.symbol);
        const QLatin1String symbolName = symbol.sliced(symbol.lastIndexOf(QLatin1Char('\\')) + 1);
        if (symbolPath.compare(symbol, Qt::CaseInsensitive) == 0 || name.compare(symbolName, Qt::CaseInsensitive) == 0)
            return &family;
    }
    return nullptr;
}

QStringList parameterFiles()
{
    QStringList names;
    for (const Family &family : KnownFamilies)
        names << QLatin1String(family.file);
    return names;
}

std::span<const Lumber> lumber() { return LumberSizes; }

const Lumber *lumberNamed(QStringView nominal)
{
    for (const Lumber &size : LumberSizes)
        if (nominal == QLatin1String(size.nominal))
            return &size;
    return nullptr;
}

QString nominalInches(double actualInches)
{
    // Both measures of every size, first match wins: 1.5 is the 2 of a 2x6.
    for (const Lumber &size : LumberSizes) {
        const QLatin1String name(size.nominal);
        const qsizetype x = name.indexOf(QLatin1Char('x'));
        if (std::abs(size.thicknessInches - actualInches) < 1e-6)
            return name.first(x);
        if (std::abs(size.depthInches - actualInches) < 1e-6)
            return name.sliced(x + 1);
    }
    return {};
}

std::span<const FramingSize> framingSizes() { return framingTable(); }

QStringList framingSizeTexts()
{
    QStringList texts;
    for (const FramingSize &size : framingTable())
        texts << QLatin1String(size.listText);
    return texts;
}

const FramingSize *framingSizeOf(QStringView listText)
{
    for (const FramingSize &size : framingTable())
        if (listText == QLatin1String(size.listText))
            return &size;
    return nullptr;
}

} // namespace deckfile
