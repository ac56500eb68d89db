// What a deck has beyond its framing, as records beside its members: the
// guards along its open edges and the stair down to the ground. The members
// themselves (posts, rails, balusters, stringers, treads, the handrail and
// the landing pad) are in the deck's member list like the framing's; these
// records say which belong together, so that the takeoff and the code check
// measure them without guessing from names.
#pragma once

#include "geometry.h"
#include "ledger.h"

#include <QString>

#include <vector>

namespace deckmodel {

enum class Kind; // framing.h

// Where the stair leaves the deck: which edge of the outline (its index, the
// edge from outline[edge] to outline[edge + 1]), where along it the stair's
// centre lies (inches from the edge's first corner) and how wide it is.
// An edge below 0 means the shape's front edge, an offset below 0 its middle.
struct StairLayout {
    bool present = true;
    int edge = -1;
    double offsetInches = -1;
    double widthInches = 36;
    bool operator==(const StairLayout &) const = default;
};

// What the build adds to the framing: guards on every edge where the
// walking surface is more than 30 inches above the ground (or on every edge
// when asked), the stair, and the house the deck may hang on.
// Where the deck hangs on the house, the guards leave that edge open.
struct Extras {
    bool guardsBelow30 = false;
    StairLayout stair;
    Attachment attachment;
};

// One bay of a guard: the stretch between two posts, with what fills it. Along
// a stair the rails are stepped, so each is a list of pieces.
struct GuardBay {
    Point along;                         // the run's direction in plan, a unit vector
    std::vector<QString> posts;          // the two posts that bound it
    std::vector<QString> topRail;        // its top rail's pieces, or the handrail's
    std::vector<QString> bottomRail;     // none for a handrail alone
    std::vector<QString> balusters;      // in order along the run
    bool onStair = false;
};

// A piece of lumber laid on a slope and drawn as steps ("Stringer 2" drawn
// as "Stringer 2 step 1", ...): the takeoff buys it by its sloped length.
struct SlopedPiece {
    Kind kind{};
    QString name;           // "Stringer 2", "Handrail 1"
    double lengthInches = 0;
};

// The stair as built, resolved from its layout.
struct Stair {
    bool present = false;
    StairLayout layout;        // with the edge and offset filled in
    Point start, along, out;   // the edge's first corner, its direction and the outward normal, in plan
    int risers = 0;
    double riserInches = 0;
    double treadInches = 0;    // each tread's depth, nosing to nosing
    std::vector<std::vector<QString>> treads; // each tread's boards, from the top
    std::vector<QString> stringers;            // their first steps
    std::vector<QString> handrail;             // its pieces from the top; none when not needed
    std::vector<QString> riserBoards;          // closing the risers between treads, from the top; none when open
    QString pad;
    std::vector<QString> edgePosts;            // the deck's guard posts beside it, at its start side then its end side
};

} // namespace deckmodel
