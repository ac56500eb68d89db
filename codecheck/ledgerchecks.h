// A deck hung on the house measured against the code's ledger rules: the
// ledger's size and grade (R507.9.1.1), what it is fastened to (R507.9.1.2),
// the spacing of its fasteners by the joist span (Table R507.9.1.3(1)) and
// their placement in two staggered rows (Table R507.9.1.3(2) and its
// figure), the hold-downs (R507.9.2), the flashing (R507.2.4), the joist
// hangers (R507.6.2) and the footings beside a frost-protected house
// (R507.3.2). The fastening as the deck is built from it is a record the
// takeoff and the sheets count and draw from.
#pragma once

#include "codecheck.h"

#include <QString>

#include <vector>

namespace deckmodel {

struct LedgerFastening {
    bool present = false;
    LedgerFastener fastener = LedgerFastener::Lag;
    double joistSpanInches = 0;      // ledger face to the next beam line, the longest
    bool outside = false;            // no table value: no spacing, no count
    double tableSpacingInches = 0;   // the table's widest spacing
    QString cell;                    // as the table prints it
    double spacingInches = 0;        // as built: the table's, whole inches down
    int boards = 0;                  // the ledger's pieces (at most 20 ft each)
    int count = 0;                   // fasteners along the whole ledger
    double endInches = 2;            // the first fastener from each end of every board
    double topRowInches = 0;         // below the ledger's top: the top row, the bottom row
    double bottomRowInches = 0;
    double leastBottomRowInches = 0; // the figure's least distance from the ledger's top to the bottom row
    int holdDowns = 2;               // of holdDownPounds each, within 24 in of each end
    double holdDownPounds = 1500;
    double flashingInches = 0;       // along the ledger
};

// The longest board a ledger is bought in, inches.
inline constexpr double LedgerLongestBoardInches = 240;

LedgerFastening ledgerFastening(const Deck &deck, const CodeSettings &settings);

// The rows, in the order above; none for a deck that stands free.
std::vector<CodeCheck> ledgerChecks(const Deck &deck, const CodeSettings &settings);

} // namespace deckmodel
