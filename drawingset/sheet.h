// A sheet of a drawing set as plain data: what goes on the paper, in paper
// millimetres (x to the right, y downwards, the sheet's top left corner at
// 0, 0). Sheets are composed by plain functions with no widget in sight; one
// painter (sheetpaint.cpp) and one SVG writer (sheetsvg.cpp) draw the same
// data, and tests read it rather than pixels.
//
// Line weights go by meaning: the outline of the deck and the ground heavy,
// members medium, dimension, extension and hidden lines light (hidden ones
// dashed). Every text has its height in millimetres on paper and reads
// from the bottom or from the right (0 or 90 degrees, or along a cut edge).
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace deckview {

enum class Weight { Heavy, Medium, Light };
double weightMm(Weight weight); // 0.5, 0.35, 0.18

struct SheetLine {
    QPointF a, b;
    Weight weight = Weight::Medium;
    bool dashed = false;
};

enum class Fill { None, White, Black };

// A closed outline: a member seen from above or from the side, a footing, a frame.
struct SheetShape {
    QPolygonF corners;
    Weight weight = Weight::Medium;
    bool dashed = false;
    Fill fill = Fill::None;
};

struct SheetCircle {
    QPointF centre;
    double radiusMm = 0;
    Weight weight = Weight::Medium;
    bool dashed = false;
};

// The capital height of a sans-serif face over its em (Helvetica's, which
// Liberation Sans and Arial share): a text's height on paper is its capitals'.
inline constexpr double CapHeightPerEm = 0.716;

enum class Anchor { Start, Middle, End };

struct SheetText {
    QPointF at;             // on the baseline, at the anchor
    QString text;
    double heightMm = 2.5;  // capital height on paper
    Anchor anchor = Anchor::Start;
    double angle = 0;       // degrees counter-clockwise on the paper: 90 reads from the right
    bool bold = false;
};

// The text's box on paper (its corners, turned with it), from an estimate of
// the glyphs' widths that the painter never exceeds.
QPolygonF textBox(const SheetText &text);
// Whether two convex polygons share area (by separating axes; touching is not).
bool convexOverlap(const QPolygonF &a, const QPolygonF &b);
double textWidthMm(const QString &text, double heightMm, bool bold = false);

// A dimension as a record: what it measures and where it is drawn. Those of
// one `chain` add up to the one marked `overall` in the same chain.
struct SheetDimension {
    QPointF from, to;   // the measured points on paper
    double offsetMm = 0; // the dimension line's distance left of from -> to (negative: right)
    double inches = 0;   // the measure in the deck
    QString text;        // feet and inches
    QString chain;       // "beam lines", "posts on beam line 2", ...
    bool overall = false;
};

struct Sheet {
    QString key;     // "framing", as --sheets names it
    QString title;   // "Framing plan"
    QSizeF paperMm;
    std::vector<SheetLine> lines;
    std::vector<SheetShape> shapes;
    std::vector<SheetCircle> circles;
    std::vector<SheetText> texts;
    std::vector<SheetDimension> dimensions; // also drawn among lines and texts
    std::vector<SheetText> dropped; // texts the placer found no clear room for: not drawn
};

// The text to the sheet where it overlaps no text already there: tried at
// `at`, then moved by `step` up to `tries` times (one way, or either way in
// turn). Returns where it went.
QPointF placeText(Sheet &sheet, SheetText text, QPointF step = {}, int tries = 0, bool bothWays = false);
// The same, or nothing added where every place tried is taken.
std::optional<QPointF> placeTextIfClear(Sheet &sheet, SheetText text, QPointF step, int tries, bool bothWays);

// A dimension: the record, its extension and dimension lines, a tick at
// each end and its text beside the line, moved along it where another text
// is in the way.
void addDimension(Sheet &sheet, const SheetDimension &dimension);

// Lines and outlines for short.
void addLine(Sheet &sheet, QPointF a, QPointF b, Weight weight, bool dashed = false);
void addShape(Sheet &sheet, const QPolygonF &corners, Weight weight, bool dashed = false, Fill fill = Fill::None);
void addRect(Sheet &sheet, const QRectF &rect, Weight weight, bool dashed = false, Fill fill = Fill::None);

// Everything drawn on the sheet, text boxes included; moved; one sheet's
// contents added to another's.
QRectF extentOf(const Sheet &sheet);
void moveSheet(Sheet &sheet, QPointF by);
void appendSheet(Sheet &to, const Sheet &from);

// Lines of text no wider than widthMm, broken at blanks.
QStringList wrapText(const QString &text, double widthMm, double heightMm, bool bold = false);

} // namespace deckview
