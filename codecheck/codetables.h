// The deck tables of the code as data: read once from the CSV files in
// codetables/ (compiled in), looked up the way their footnotes allow.
// Interpolation only between two printed cells where the table permits it,
// never past its first or last column but where the first column is the
// conservative reading; a cell marked NP, or one bracketing the value, is not
// permitted. Lengths in inches, areas in square feet.
#pragma once

#include "codecheck.h"
#include "ledger.h"

#include <QString>

#include <vector>

namespace deckmodel::codetables {

struct TableValue {
    enum Status { Value, NotPermitted, Outside } status = Outside;
    double inches = 0;
    QString cell; // "Table R507.6, Southern pine 2x6: 1-0 at 4 ft, 1-6 at 6 ft, interpolated for 5' 6\""
    bool noRow = false; // Outside because the table has no row for the size at all
};

// Table R507.6: a joist's allowable span at its spacing (the next larger
// spacing column: 12, 16 or 24 inches); its allowable cantilever at a back span.
TableValue joistSpan(const CodeSettings &settings, const QString &joist, double spacingInches);
TableValue joistCantilever(const CodeSettings &settings, const QString &joist, double backSpanInches);

// Table R507.5(5): the joist span factor for a joist cantilever C on a span J
// (the next higher C/J row); Outside past 1/4. `inches` holds the factor.
TableValue joistSpanFactor(double cantileverInches, double spanInches);

// Tables R507.5(1) to (4): a beam's allowable span between posts for its
// effective joist span (below 6 ft, the 6 ft column). beam: "2-2x8".
TableValue beamSpan(const CodeSettings &settings, const QString &beam, double effectiveJoistSpanInches);

// Table R507.4: a post's allowable height for its tributary area (below
// 20 sq ft, the 20 sq ft column). post: "4x4", "6x6".
TableValue postHeight(const CodeSettings &settings, const QString &post, double tributarySquareFeet);

// Table R507.3.1: a footing's least size for its tributary area (below
// 5 sq ft, the 5 sq ft row), and its least thickness.
struct FootingValue {
    TableValue size;
    double thicknessInches = 0;
};
FootingValue footingSize(const CodeSettings &settings, double tributarySquareFeet);

// Table R507.7: the widest joist spacing for boards laid across the joists,
// by the board's actual thickness (1 for 5/4, 1.5 for 2-inch boards).
TableValue deckingSpacing(double boardThicknessInches, bool multipleSpan);

// Table R507.9.1.3(1): the widest on-centre spacing of the ledger's 1/2 in
// fasteners for the span of the joists it carries (below 6 ft, the 6 ft
// column; between columns interpolated; past 18 ft Outside) and the
// sheathing between ledger and band joist: lag screws through at most 1/2 in,
// bolts through at most 1/2 in (the middle column) or 1 in (the right one),
// bolts with stacked washers always the right one; more sheathing: Outside.
TableValue ledgerFastenerSpacing(const CodeSettings &settings, LedgerFastener fastener, double sheathingInches,
                                 double joistSpanInches);

// The joists and beam plies the tables size: 2x6, 2x8, 2x10, 2x12.
const std::vector<QString> &tableLumber();

// "Southern pine", as a cell names the species group.
QString speciesCellName(Species species);

} // namespace deckmodel::codetables
