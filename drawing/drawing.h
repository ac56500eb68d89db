// Drawings out: the current view on a page with a title block, as PNG, SVG or
// PDF, or on a printer.
//
// A Drawing is what the view shows, in its viewport's pixels: line segments
// and labels (wireframe, hidden line, plan) or a shaded picture. One layout
// places it and the title block on a page, so that the painted outputs (PNG,
// PDF, printer) and the SVG text agree. Lines stay vectors in SVG and PDF.
#pragma once

#include "result.h"
#include "takeoff.h"
#include "segments.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPrinter;

namespace deckview {

struct Label {
    QPointF at;     // centre of the text
    QString text;
    double angle = 0; // degrees, clockwise on the screen
};

struct Drawing {
    QSize viewport;                // the coordinate space of everything below
    std::vector<Segment2> lines;
    std::vector<Label> labels;
    QImage picture;                // a shaded view, viewport-sized; null for line drawings
    bool dashHidden = true;        // hidden segments dashed; otherwise left out
    QColor highlight;              // of Highlight segments, drawn over the rest
};

// The title block's words. Takeoff rows are printed as given.
struct TitleBlock {
    QString title;     // "Deck_Rectangle: 16' 0\" x 12' 0\""
    QString shape;
    QString sizes;
    QString height;
    QDate date;
    QStringList takeoffHeader;
    QList<QStringList> takeoffRows;   // without the notes: a drawing has no room for them
    std::shared_ptr<const deckmodel::Takeoff> takeoff; // what the rows are made from, for pricing afresh
    QStringList wizardNotes;          // the file's four material lines, apart from the takeoff
};

// The lines of the title block's left column: "Shape: ...", "Sizes: ...",
// "Height: ...", "Date: YYYY-MM-DD".
QStringList factLines(const TitleBlock &block);

struct PageLayout {
    QRectF view;        // where the drawing's viewport goes, aspect kept
    double viewScale;   // page units per viewport pixel
    QPointF viewOrigin; // page point of viewport pixel (0, 0)
    QRectF titleBlock;
    double rowHeight;
    double fontSize;    // pixel size of the title block's text
    QRectF facts;       // left column
    QRectF takeoff;     // right column
    std::vector<double> columns; // x of each takeoff column's left edge
};

PageLayout layoutPage(QSizeF page, QSize viewport, const TitleBlock &block);

// Paints the drawing's picture, lines and labels in viewport pixels: visible
// lines `width` wide in `colour`, hidden ones thinner, dashed and grey, thin
// ones half as wide. Without antialiasing, for frames drawn while dragging.
void paintLines(QPainter &painter, const Drawing &drawing, const QColor &colour, double width,
                bool antialiased = true);

// Paints the whole page, white first, into (0, 0, page).
void paintDrawing(QPainter &painter, QSizeF page, const Drawing &drawing, const TitleBlock &block);

// The page as SVG text, in CSS pixels (A4 landscape at 96 per inch unless told).
QByteArray svgDrawing(const Drawing &drawing, const TitleBlock &block, QSizeF page = QSizeF(1123, 794));

enum class DrawingFormat { Png, Svg, Pdf, Unknown };
DrawingFormat drawingFormatOf(const QString &path); // by the suffix, any case

// Writes the page whole or not at all, in the format of the path's suffix.
// Fails when the suffix is not .png, .svg or .pdf or the file cannot be
// written.
jm::Status writeDrawing(const QString &path, const Drawing &drawing, const TitleBlock &block);

// Paints the page onto a printer set up by the caller (e.g. by QPrintDialog).
void printDrawing(QPrinter &printer, const Drawing &drawing, const TitleBlock &block);

} // namespace deckview
