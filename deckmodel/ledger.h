// A deck hung on the house along one straight edge: the ledger board fastened
// to the house's band joist replaces the beam line (and the rim joist) along
// that edge, the joists hang on it in hangers, the other beam lines, posts
// and footings stay as they are. What the ledger is fastened to decides
// whether the deck may hang on the house at all: veneer, a cantilevered
// floor, an overhang, a chimney or a bay carry no ledger, and such a deck is
// refused with the reason and the way out, never framed.
#pragma once

#include "geometry.h"

#include <QString>

#include <optional>
#include <vector>

namespace deckmodel {

struct Member; // framing.h

// What the ledger is fastened to.
enum class HouseFraming {
    BandJoist,         // a 2x band joist, spruce-pine-fir or stronger
    RimBoard,          // an engineered wood rim board, at least 1 in
    BrickVeneer,
    StoneVeneer,
    CantileveredFloor,
    Overhang,
    ChimneyOrBay,
};

// What fastens it: 1/2 in lag screws, 1/2 in through-bolts, or through-bolts
// with stacked washers between ledger and band joist.
enum class LedgerFastener { Lag, Bolt, BoltWashers };

struct Attachment {
    bool attached = false;
    int edge = -1;                 // the outline's edge it hangs along (outline[edge] to outline[edge + 1])
    HouseFraming to = HouseFraming::BandJoist;
    LedgerFastener fastener = LedgerFastener::Lag;
    double sheathingInches = 0.5;  // between ledger and band joist (with the washers for BoltWashers)
    bool operator==(const Attachment &) const = default;
};

// The words of the command line and the design file: "band-joist",
// "rim-board", "brick-veneer", "stone-veneer", "cantilevered-floor",
// "overhang", "chimney-or-bay"; "lag", "bolt", "bolt-washers".
QString houseFramingKey(HouseFraming framing);
std::optional<HouseFraming> houseFramingNamed(const QString &key);
QString fastenerKey(LedgerFastener fastener);
std::optional<LedgerFastener> fastenerNamed(const QString &key);
// For a person: "a 2x band joist", "brick veneer", ...; "1/2 in lag screws", ...
QString houseFramingWords(HouseFraming framing);
QString fastenerWords(LedgerFastener fastener);
// Whether the code lets a ledger be fastened to it.
bool carriesLedger(HouseFraming framing);

// The outline's edge facing `side` ("front": towards -X, "back": +X, "left":
// -Z, "right": +Z, as the Front view names them), the longest where several
// do; -1 for no such edge or no such word.
int edgeFacing(const Polygon &outline, const QString &side);

// The ledger as built: its member, its line along the house, the joists that
// hang on it, and the house wall behind it (a plain shape beside the deck,
// never one of its members).
struct Ledger {
    bool present = false;
    Attachment attachment;
    QString member;              // "Ledger"
    Point start, along, out;     // the edge's first corner, its direction, the outward normal (towards the house)
    double lengthInches = 0;
    double depthInches = 0;      // the board's depth (7 1/4 for a 2x8)
    double thicknessInches = 0;
    double topInches = 0;        // above the ground: the joists' top
    std::vector<QString> hangers; // the joists hung on it, in order along it
    // Each hanger as a shape for the model files and the 3D view, in the
    // hangers' order ("Ledger hanger 1", ...): seen from above a U of sheet
    // metal round the joist's end, its flanges on the ledger's face, as tall
    // as the joist less an inch, on the joist's underside. Kind::Hanger;
    // never one of the deck's members.
    std::vector<Member> hangerSolids;
    Polygon houseWall;            // the wall's plan behind the ledger
    double houseWallTopInches = 0;
};

// How thick the house wall is drawn, and how far it reaches past the
// ledger's ends and above the deck.
inline constexpr double HouseWallThicknessInches = 8;
inline constexpr double HouseWallPastEndsInches = 24;
inline constexpr double HouseWallAboveDeckInches = 96;

} // namespace deckmodel
