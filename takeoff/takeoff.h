// The material takeoff: what a person takes to the lumber yard for a deck.
// Lumber by kind of member, in standard stock lengths (8 to 20 feet in 2-foot
// steps) with every joint over a support; the footings and their concrete;
// the connectors and fasteners by the piece or the box; the waste allowance
// on rows of its own; and the file's own material list apart from it all.
#pragma once

#include "codecheck.h"
#include "framing.h"
#include "ledgerchecks.h"
#include "pricelist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace deckmodel {

struct LumberRow {
    Kind kind = Kind::Post;
    QString lumber;       // nominal size, "2x8", "5/4x6", "4x4"
    int stockFeet = 0;    // the length to buy
    int count = 0;        // pieces of that length
    int linearFeet() const { return stockFeet * count; }
};

// What a row is bought as: the takeoff's subtotals go by these.
enum class Group { Lumber, Hardware, Concrete };

// One row a person buys from: item, size, stock length (0: none), how many of
// the unit, and what is cut from it or what it is for. A row for the record
// (a footing is dug, not bought) has `bought` false and takes no price.
struct TakeoffRow {
    Group group = Group::Lumber;
    QString item;        // "Joists", "Deck screws"
    QString size;        // "2x6", "#10 x 2 1/2 in"
    int lengthFeet = 0;
    int count = 0;
    QString unit;        // "piece", "box of 350", "bag", "footing"
    QString note;        // "11 joists of 189\", cut from 11 pieces of 16 ft"
    bool allowance = false; // a waste allowance, beside the counted row of the same item
    bool bought = true;
    bool byDesigner = false; // sized by no table: bought, but never priced from the list
    QString shownItem() const; // "Decking boards (waste allowance)"
    PriceKey priceKey() const;
};

struct FootingCount {
    FootingShape shape = FootingShape::Round;
    double sizeInches = 0;      // diameter or side
    double thicknessInches = 0;
    int count = 0;
    bool outside = false;       // more deck than Table R507.3.1 sizes for: no size, a designer's
    double cubicFeetEach() const;
};

struct TakeoffSettings {
    CodeSettings code;          // the footings' sizes
    double wastePercent = 10;   // on the decking boards alone
};

struct Takeoff {
    std::vector<LumberRow> lumber; // by kind in build order, then by stock length
    double deckingSquareFeet = 0;
    int deckScrews = 0;    // two per board per joist or rim joist it crosses
    int joistHangers = 0;  // one per joist end on a rim joist or the ledger
    int carriageBolts = 0; // two per beam ply per post
    int postCaps = 0;      // one per post under a beam, the beam-to-post connector
    QString postCapLumber; // the posts' size, which the caps take
    double padCubicFeet = 0;  // the stair's landing pad, concrete
    int deckBlocks = 0;       // precast concrete blocks under the beams of a deck too low for posts
    int guardPostBolts = 0;   // two 1/2" through-bolts per guard post on a rim joist
    int railScrews = 0;       // two per end of each rail and handrail piece
    int balusterScrews = 0;   // two per end of each baluster
    int stringerHangers = 0;  // one per stringer, at the rim joist
    int treadScrews = 0;      // two per tread board per stringer under it
    int riserScrews = 0;      // two per riser board per stringer behind it
    std::vector<FootingCount> footings; // by size, from the code check's footing per post
    std::vector<std::pair<QString, int>> postBases; // by post size: every post on the ground or the pad
    int joistTies = 0;      // one per joist per beam line under it
    int connectorNails = 0; // into the hangers and ties
    int beamNails = 0;      // two rows of 10d at 16 inches along each pair of beam plies
    int blocks = 0;         // one at each guard post on a rim joist, against the joist beside it
    double blockInches = 0;
    QString blockLumber;    // the joists' size, which the blocks, hangers and ties take
    int kneeBraces = 0;     // two at each corner post taller than 2 feet (kneeBracePosts)
    LedgerFastening ledger; // a deck hung on the house: its ledger's fasteners, hold-downs and flashing
    double wastePercent = 10;
    std::vector<TakeoffRow> rows; // lumber, then hardware, then concrete
    QStringList materials; // lines 20 to 23 of the file, as given: the wizard's notes
};

// Knee braces of a free-standing deck: the 2021 IRC has no prescriptive
// bracing rule for one (its lateral item is the post-to-footing restraint of
// R507.4.1, which the post bases give); the deck guides brace the corner
// posts only. Here each corner post standing taller than 2 feet gets two
// 2x4 braces at 45 degrees with 18-inch legs, one in the beam's plane and one
// across it, both towards the deck's middle.
struct KneeBrace {
    static constexpr double minPostInches = 24; // a post this tall or lower gets none
    static constexpr double legInches = 18;     // down the post and along what it holds
    static constexpr double depthInches = 3.5;  // a 2x4
};
// The posts at the ends of the first and last beam lines, where they stand
// taller than KneeBrace::minPostInches; none otherwise.
std::vector<const Member *> kneeBracePosts(const Deck &deck);
// The corner posts' height, the tallest of them (0 for a deck with no posts).
double cornerPostInches(const Deck &deck);

Takeoff takeoffOf(const Deck &deck, const TakeoffSettings &settings = {});
// The same from the footings footingNeeds(deck, settings.code) gave already.
Takeoff takeoffOf(const Deck &deck, const TakeoffSettings &settings, const std::vector<FootingNeed> &footings);

// Box sizes and what a bag of concrete makes, as the takeoff counts them.
constexpr int DeckScrewsPerBox = 350;
constexpr int RailScrewsPerBox = 100;
constexpr int ConnectorNailsPerBox = 250;
constexpr int BeamNailsPerBox = 69; // a 1 lb box of 10d common nails
constexpr double CubicFeetPer80LbBag = 0.60;
constexpr double CubicFeetPer60LbBag = 0.45;
// The ledger's flashing is bought in pieces of this length, lapped; each
// stacked-washer bolt takes this many 1/8 in washers (1/2 in) behind the ledger.
constexpr int FlashingPieceFeet = 10;
constexpr int StackedWashersPerBolt = 4;

// The takeoff's rows with their prices: a row without one is left out of the
// totals and counted.
struct PricedTakeoff {
    std::vector<std::optional<double>> unitPrices; // by row; none for a row for the record or one unpriced
    double lumber = 0, hardware = 0, concrete = 0;
    int unpriced = 0; // bought rows with no price
    double total() const { return lumber + hardware + concrete; }
};
PricedTakeoff priceTakeoff(const Takeoff &takeoff, const PriceList &prices);

// For a person: lengths in feet and inches.
QString takeoffText(const Takeoff &takeoff);
// The takeoff as a table: a header row, then the rows in the spreadsheet's
// columns (item, size, length ft, count, unit, unit price, line total, note),
// prices as plain numbers with two decimals or "no price"; then the
// subtotals, the total and the count of rows with no price. The wizard's
// notes are not among them.
std::vector<QStringList> takeoffRows(const Takeoff &takeoff, const PriceList &prices);
// The subtotal and total lines alone: {label, amount, note}; the total's
// note says how many rows have no price.
std::vector<QStringList> totalRows(const PricedTakeoff &priced);
// "14 rows have no price", "1 row has no price", or empty.
QString unpricedWords(const PricedTakeoff &priced);
// An amount for a person: "3,169.00".
QString amountText(double value);
// The total for a person, wherever one is shown: "Total 3,169.00 (14 rows
// have no price)", or "Total 1,759.12" when every row is priced.
QString totalLine(const PricedTakeoff &priced);
// For a spreadsheet: those rows, then the heading "The wizard's notes" and its
// lines; CR LF line ends.
QByteArray takeoffCsv(const Takeoff &takeoff, const PriceList &prices);

// A piece's cut lengths (inches): where it must be jointed over its
// supports (positions along it) to be bought in stock lengths.
std::vector<double> cutLengths(double length, std::vector<double> supports);

} // namespace deckmodel
