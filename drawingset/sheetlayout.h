// What every sheet of a drawing set shares: the paper (Letter, A4, Tabloid
// or A3, landscape), the border, the title strip down the right-hand side with the
// deck's words, the scale, a scale bar and "Sheet n of m", and the
// architectural scales the views are drawn at.
#pragma once

#include "pricelist.h"

#include "sheet.h"

#include <QDate>
#include <QPointF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace deckview {

enum class Paper { Letter, A4, Tabloid, A3 };
QSizeF paperSizeMm(Paper paper); // landscape
std::optional<Paper> paperNamed(const QString &name); // "letter", "a4", "tabloid", "a3", any case
QString paperName(Paper paper);                       // "letter"
// The larger paper of a family: Tabloid (11 x 17 in) for Letter, A3 for A4.
Paper largerPaper(Paper paper);

// "1/4\" = 1'-0\"" and how many inches of the deck one inch of paper holds (48).
struct DrawingScale {
    QString words;
    double ratio = 48;
    double mmPerInch() const { return 25.4 / ratio; }
};
// The plans' scales, largest first: 1/4", 3/16", 1/8", 3/32", 1/16" = 1'-0".
const std::vector<DrawingScale> &planScales();
// A section's: 1", 3/4", 1/2", 3/8", 1/4" = 1'-0".
const std::vector<DrawingScale> &detailScales();

// What a design tells of its project beyond the deck, each empty where it
// says nothing (the title block then says "not given"), with the defaults
// the sheets assume.
struct ProjectFacts {
    QString owner;
    QString siteAddress;
    QString preparer;
    QString notes;
    QChar revision = u'A';
    double frostDepthInches = 12; // the footings' bottom below grade
    bool frostDepthGiven = false; // false: the default, to confirm with the building department
    // The site: the lot across (along the deck's A) and deep (along B), the
    // deck's back left corner from the lot's, and north as degrees clockwise
    // from the sheet's up; none where the design does not say.
    std::optional<double> lotWidthFeet, lotDepthFeet;
    std::optional<double> deckFromLeftFeet, deckFromBackFeet;
    std::optional<double> northDegrees;
};

// The title block's words, the same on every sheet.
struct SetFacts {
    QString deckName;    // "Deck_Rectangle"
    QString shape;       // "Rectangle"
    QString overallSize; // "16' 0\" x 12' 0\""
    QString height;      // "3' 0\" above grade"
    QDate date;
    QString program;     // "Joistmaster 1.0"
    deckmodel::PriceList prices; // the schedule's prices and totals
    double wastePercent = 10;
    QString sizeLetters;  // "A 16' 0\", B 12' 0\"": the shape's lettered sizes
    QString codeStatus;   // the code check's verdict in a line, on every sheet
    ProjectFacts project;
};

// A value of the title block, or "not given".
QString givenOr(const QString &value);

// Where a sheet's drawing goes: inside the border, left of the title strip.
QRectF drawingArea(QSizeF paperMm);

// The border, the title strip and, where the sheet has one scale, a scale bar of it.
void addTitleBlock(Sheet &sheet, const SetFacts &facts, int number, int count, const QString &scaleWords,
                   std::optional<DrawingScale> barScale);

// A view's name and scale under it, centred at `at`: "FRAMING PLAN" over "1/4\" = 1'-0\"".
void addViewTitle(Sheet &sheet, QPointF at, const QString &name, const QString &scaleWords);

// A detail's drawing frame: u to the right, y up, in deck inches at the
// detail's scale.
struct DetailFrame {
    double mmPerInch = 1;
    QPointF at(double u, double y) const { return {u * mmPerInch, -y * mmPerInch}; }
};
// A detail's length: under a foot in inches (7 1/4"), else in feet and
// inches (2' 1 1/2").
QString detailMeasure(double inches);

// The contents moved so that their extent is centred in `area`; false (and
// left as they were) when they do not fit.
bool centreIn(Sheet &sheet, const QRectF &area);
// What `compose` draws at the first of `scales` where it fits `area`, centred
// on it; where none fits, the last drawn, its top left at the area's (or its
// centre on the area's, `centreLast`). `scaleWords` names the scale used.
Sheet atLargestScaleThatFits(const std::vector<DrawingScale> &scales, const QRectF &area, QString *scaleWords,
                             const std::function<Sheet(const DrawingScale &)> &compose, bool centreLast = false);

} // namespace deckview
