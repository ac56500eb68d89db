// The deck as plain data: every member a plan polygon extruded upwards from
// its base, all in inches, Y up, X along B and Z along A (docs/deck-model.md
// has the conventions, a plan sketch and the deck parameter file's lines as
// the model reads them). Built and checked without any
// geometry kernel; the kernel (deckexport.h) only turns the list into solids
// and files.
#pragma once

#include "extras.h"
#include "findings.h"
#include "geometry.h"
#include "ledger.h"
#include "parameterfile.h"
#include "result.h"

#include <QString>

#include <vector>

namespace deckmodel {

using deckfile::DeckParameters;

// The framing's kinds, then the guards' and the stair's (the last one ends
// the list: the viewer sizes its palettes by it, and its colours and the
// model files' follow it).
enum class Kind {
    Post, BeamPly, Joist, RimJoist, DeckingBoard,
    GuardPost, GuardRail, Baluster, Stringer, Tread, Handrail, LandingPad,
    Riser,  // a riser board closing the opening between two treads
    Block,  // a precast concrete deck block under a beam where the deck is too low for posts
    Ledger, // the board along the house the joists hang on (ledger.h), framing like the rim joists
    Hanger, // a joist hanger on the ledger, a shape for the model files (Ledger::hangerSolids), never a member
};

// Guards and the stair stand outside the outline, the framing within it.
inline bool isFraming(Kind kind) { return kind <= Kind::DeckingBoard || kind == Kind::Block || kind == Kind::Ledger; }

// What a beam rests on: posts, or on a deck too low for them, deck blocks.
inline bool carriesBeam(Kind kind) { return kind == Kind::Post || kind == Kind::Block; }

// A deck whose beams' undersides stand less than this above the ground has
// no posts: each beam rests on deck blocks, where its posts would stand.
inline constexpr double leastPostInches = 8;
// A deck block: a precast concrete block this square and at least this tall,
// set into the ground as far as the beam above it is low (its top always
// meets the beam's underside).
inline constexpr double blockSizeInches = 11;
inline constexpr double blockHeightInches = 8;

struct Member {
    Kind kind = Kind::Post;
    QString name;       // "Joist 12", "Post 3", unique in the deck
    Polygon plan;       // seen from above, counter-clockwise
    double base = 0;    // underside, inches above the ground
    double thickness = 0;
    int step = 0;       // 0: a piece cut whole; n: the n-th step of a sloped piece (Deck::slopedPieces)
    double top() const { return base + thickness; }
};

struct Deck {
    DeckParameters parameters;
    Polygon outline;                 // the plan of the deck's edge
    std::vector<double> beamLines;   // Z of each beam line's centre
    std::vector<Member> members;     // posts, beam plies, rim joists, joists, decking boards, then guards and stair
    std::vector<GuardBay> guardBays; // along the edges in order, then along the stair
    Stair stair;
    std::vector<SlopedPiece> slopedPieces;
    Ledger ledger;                   // present where the deck hangs on the house
    // The joists always run along Z. A deck hung on the house along its
    // front or back edge is framed turned a quarter turn: every record above
    // is in the framing's plan, which is the deck's own plan (the shape's
    // picture, front towards -X) turned counter-clockwise and moved by
    // `turnShiftInches` along X (framing X = shift - plan Z, framing Z = plan
    // X). planPoint() and membersInPlan() turn it back for whatever shows the
    // deck where it stands.
    bool turned = false;
    double turnShiftInches = 0;
};

// A point, a direction or a polygon of the framing's plan where it stands in
// the deck's own plan (the same where the deck is not turned).
Point planPoint(const Deck &deck, Point framing);
Point planDirection(const Deck &deck, Point framing);
Polygon planPolygon(const Deck &deck, const Polygon &framing);
// The members as they stand (each plan turned back), then the ledger's
// hangers as shapes (the takeoff counts them as connectors, never as
// members); the house wall's plan.
std::vector<Member> membersInPlan(const Deck &deck);
Polygon houseWallInPlan(const Deck &deck);

// Frames the deck of a parameter file and runs the model checks on it:
// a deck that fails a check is a failure, never a model. Where `findings` is
// given it receives the records behind a failure: the refusal of the sizes
// or every check's finding (none when the outline itself cannot be drawn).
// Without extras, the deck has its guards and its stair on the middle of the
// front edge, and stands free of the house.
jm::Result<Deck> buildDeck(const DeckParameters &parameters, std::vector<Finding> *findings = nullptr);
jm::Result<Deck> buildDeck(const DeckParameters &parameters, const Extras &extras,
                           std::vector<Finding> *findings = nullptr);

// The framing, guards and stair, without the checks (for the checks' own tests).
jm::Result<Deck> frameDeck(const DeckParameters &parameters, std::vector<Finding> *findings = nullptr);
jm::Result<Deck> frameDeck(const DeckParameters &parameters, const Extras &extras,
                           std::vector<Finding> *findings = nullptr);

// The model checks: one finding per problem, none for a sound deck. Past 20
// overlapping pairs nothing more is checked.
std::vector<Finding> checkDeck(const Deck &deck);

// Which supports hold a joist, which rims its ends stand on (used by the
// checks and by the takeoff's fasteners).
int beamsUnder(const Deck &deck, const Member &joist);
int endsOnRims(const Deck &deck, const Member &joist);

QString kindName(Kind kind); // "Posts", "Beam plies", ...

// The shallowest ledger the code allows: a 2x8's depth.
double ledgerLeastDepthInches();

} // namespace deckmodel
