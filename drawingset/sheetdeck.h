// What the sheets of a framed deck are drawn from, worked out once: the deck,
// the code settings, each post's footing, the takeoff, the lumber of each
// kind of member with its mark, and which side of the plan is the front.
// The composers of the plans (sheetplans.cpp), the elevations and the
// section (sheetviews.cpp) and the schedule (sheetschedule.cpp) read it.
#pragma once

#include "codecheck.h"
#include "sheetlayout.h"
#include "takeoff.h"

#include <map>

namespace deckview {

struct DeckSheetsInput {
    deckmodel::Deck deck;
    deckmodel::CodeSettings settings;
    std::vector<deckmodel::FootingNeed> footings;
    deckmodel::Takeoff takeoff;
    std::map<deckmodel::Kind, QString> lumber; // "2x6", as the takeoff names it
    bool frontAtLowX = true; // the A edge of the shape's picture is at the bottom of the plan
    double joistSpacingInches = 0; // centre to centre, from the joists
    SetFacts facts;
    // The lumber of a kind of member, or nothing where the takeoff has none.
    QString lumberOf(deckmodel::Kind kind) const
    {
        const auto found = lumber.find(kind);
        return found == lumber.end() ? QString() : found->second;
    }
};

DeckSheetsInput sheetsInput(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings, const SetFacts &facts);

// "J" for joists, "B" for beam plies, "P" posts, "R" rim joists, "D" decking
// boards, "M" for a kind without a letter of its own: the marks on the
// plans and in the takeoff's first column.
QString markOf(deckmodel::Kind kind);

// Seen from above with Z to the right and X up, as the shape's picture:
// deck inches to paper millimetres. A deck framed turned (Deck::turned) is
// drawn where it stands: its framing's points turned back first.
struct PlanFrame {
    double mmPerInch = 25.4 / 48;
    bool turned = false;
    double turnShiftInches = 0;
    QPointF at(double z, double x) const
    {
        return turned ? QPointF((turnShiftInches - x) * mmPerInch, -z * mmPerInch) : QPointF(z * mmPerInch, -x * mmPerInch);
    }
    QPointF at(const deckmodel::Point &p) const { return at(p.z, p.x); }
    QPolygonF polygon(const deckmodel::Polygon &plan) const;
};

// The frame a deck's plans are drawn in at a scale.
PlanFrame planFrameOf(const deckmodel::Deck &deck, const DrawingScale &scale);

// A chain of dimensions between stations along Z (drawn horizontally at the
// deck's X `at`) or along X (upright at Z `at`), each part and the overall,
// `offsetMm` left of the direction of growth; the overall `tierMm` further out.
// No overall where tierMm is 0.
void addChain(Sheet &sheet, const PlanFrame &frame, bool alongZ, double at, const std::vector<double> &stations,
              double offsetMm, double tierMm, const QString &chain);

// An arrow inside the outline pointing at the middle of the front edge,
// "FRONT" beside it.
void addFrontArrow(Sheet &sheet, const PlanFrame &frame, const deckmodel::Polygon &outline, bool frontAtLowX);

// A table: header row bold, ruled; returns the y of its foot.
double addTable(Sheet &sheet, QPointF topLeft, const std::vector<QStringList> &rows, double heightMm = 2.5);

// The plans of a framed deck at a scale, their contents at no place in
// particular (centreIn places them).
Sheet deckPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale);
Sheet framingPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale);
// The framing plan's line on its connectors: joist hangers where joists end
// on a rim (the skewed ones at 45-degree rims counted apart), joist ties
// where they cross a beam.
QString connectorWords(const DeckSheetsInput &in);
// Where a beam line is longer than a length of stock: each joint along it
// as the takeoff cuts the plies (over a post where one is within reach).
struct BeamSplice {
    double z = 0, x = 0; // the beam line, the joint along it, deck inches
    bool overPost = false;
};
std::vector<BeamSplice> beamSplices(const deckmodel::Deck &deck);
// The footing plan with its schedule under it, or a word that the schedule
// sheet has it; the schedule's rows, one per footing size.
Sheet footingPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale, bool withSchedule);
std::vector<QStringList> footingScheduleRows(const DeckSheetsInput &in);
// A 2D style's plan: every edge dimensioned, the typed width (A) where its
// picture letters it.
Sheet stylePlanSheet(const deckmodel::Polygon &outline, int style, double widthFeet, const DrawingScale &scale);

// Front and side elevations stacked, fitted into `area` at the largest plan
// scale at most `largest`; the section at the largest detail scale that fits.
Sheet elevationsSheet(const DeckSheetsInput &in, const QRectF &area, const DrawingScale &largest, QString *scaleWords);
Sheet sectionSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords);
// The elevations' note on lateral bracing: the knee braces at the corner
// posts, or why there are none, and the posts' restraint at their footings.
QString bracingWords(const DeckSheetsInput &in);

// The takeoff, the code check with its verdict and assumptions, and the
// general notes; as many sheets as they fill, placed in `area`.
// The footing schedule first where the footing plan had no room for it.
std::vector<Sheet> scheduleSheets(const DeckSheetsInput &in, const QRectF &area, QSizeF paper, bool withFootings);

// The guard, stair and footing details at the largest detail scale that fits
// (at most 1/2" = 1'-0"); the heaviest footing, which the section and the
// footing detail draw; the frost depth's words ("frost depth: 12 in, confirm
// with the building department").
Sheet detailsSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords);
deckmodel::FootingNeed heaviestFooting(const DeckSheetsInput &in);

// A deck hung on the house: the ledger's section through the band joist and
// its face with the fasteners' spacing (sheetledger.cpp), at the largest
// detail scale that fits.
Sheet ledgerSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords);
// On a plan of a deck hung on the house: the house wall behind the ledger,
// "HOUSE" in it; on the framing plan (`framing`) also the ledger's first
// fastener and their spacing dimensioned along it, and its note.
void addHouseOnPlan(Sheet &sheet, const PlanFrame &frame, const DeckSheetsInput &in, bool framing);
QString frostDepthWords(const ProjectFacts &project);

// The site plan from the project's facts, or what to fill in where the
// design gives no lot.
Sheet sitePlanSheet(const DeckSheetsInput &in, const QRectF &area);

// The code check sheet: every rule's value, limit, verdict and table cell,
// the settings and the assumptions; and the table's rows.
// As many sheets as it fills.
std::vector<Sheet> codeCheckSheets(const DeckSheetsInput &in, const QRectF &area);
std::vector<QStringList> codeCheckRows(const deckmodel::CodeReport &report);

// A code check row's result as the schedule prints it.
QString resultText(deckmodel::Verdict verdict);

} // namespace deckview
