// What a deck is made of and which shapes it takes, in one place: the nine 3D
// deck shapes with their pictures and symbol families, the four families with
// their parameter files and host symbols, and the lumber sizes with their
// actual inches. The wizard's pages, the deck parameter file and the deck
// model all read them from here. Plain data, no widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <span>

namespace deckfile {

// A symbol family of the host: one deck parameter file, one 3D symbol.
struct Family {
    const char *file;   // the deck parameter file in the program folder
    const char *symbol; // the host symbol path that reads it
};

// One of the nine 3D deck shapes, in the order the shape page steps through them.
struct Shape {
    int deckType;        // 1 to 9
    int pictureId;       // the program's bitmap of the shape
    const Family *family;
    int code;            // the family's code for the shape, line 19 of the file
    const char *words;   // the shape for a person
};

inline constexpr int FirstDeckType = 1;
inline constexpr int LastDeckType = 9;

std::span<const Shape> shapes();
// The shape of a deck type, or null for a number outside 1 to 9.
const Shape *shapeOf(int deckType);
// The shape of a family's code, or null when the family has no such code.
const Shape *shapeOf(const Family &family, int code);
// The deck types around one, in a ring.
int nextDeckType(int deckType);
int previousDeckType(int deckType);

// The four families, in the order the start page clears their files.
std::span<const Family> families();
// A family by its parameter file's name (any case), or null.
const Family *familyOfFile(QStringView fileName);
// A family by its host symbol's path, or by the symbol's file name alone
// ("Deck_L-Shape.bsx", any case), or null.
const Family *familyOfSymbol(QStringView symbolPath);
// Whether a host symbol's path names the common 2D deck symbol file
// ("...\2ddecks.bsx", any case).
bool isCommon2DSymbol(QStringView symbolPath);
// Every parameter file's name, in the families' order.
QStringList parameterFiles();

// The 2D deck styles are numbered, their pictures and outlines kept by number.
inline constexpr int FirstStyle = 1;
inline constexpr int LastStyle = 19;

// A size of lumber: what a yard calls it and what it measures, in inches.
struct Lumber {
    const char *nominal;     // "2x8"
    double thicknessInches;  // 1.5
    double depthInches;      // 7.25
};

// Sawn lumber a deck is framed and decked with, and its posts.
std::span<const Lumber> lumber();
// A size by its nominal name ("2x8"), or null.
const Lumber *lumberNamed(QStringView nominal);
// The nominal inches of an actual dimension ("8" for 7.25, "5/4" for 1), or
// nothing when no catalogued size measures that.
QString nominalInches(double actualInches);

// The joist and beam sizes the wizard lists, as its lists show them
// ("2 X 6", ...), smallest first, and the lumber each stands for.
struct FramingSize {
    const char *listText;
    const Lumber *lumber;
};
std::span<const FramingSize> framingSizes();
QStringList framingSizeTexts();
// The size a list text stands for, compared exactly; null for any other text.
const FramingSize *framingSizeOf(QStringView listText);

} // namespace deckfile
