// Guards along the deck's open edges and the stair's open sides, as members.
//
// One design throughout (docs/deck-model.md, "Guards and the stair"): 4x4
// posts (3.5 x 3.5) standing against the rim joist's outside face, from the
// rim's underside to the guard's top, at every corner and at most 6 feet apart
// centre to centre; between two posts a 2x4 top rail on edge with its top 36
// inches above the decking, a 2x4 bottom rail on edge 3.5 inches above the
// decking, and 2x2 balusters (1.5 x 1.5) between the rails, spread evenly
// with at most 3.5 inches clear between them. Each edge's guard stands in the
// strip 3.5 inches wide outside that edge: two posts meet at an outside
// corner, one post serves both edges at an inside corner. Along a stair the
// same guard follows the line of the nosings, its rails stepped.
#pragma once

#include "framing.h"

namespace deckmodel {

struct GuardDesign {
    static constexpr double post = 3.5;             // square
    static constexpr double postSpacing = 72;       // at most, centre to centre
    static constexpr double railWidth = 1.5;        // a 2x4 on edge
    static constexpr double railDepth = 3.5;
    static constexpr double handrailDepth = 1.5;    // a 2x2
    static constexpr double baluster = 1.5;         // square
    static constexpr double balusterGap = 3.5;      // at most, clear
    static constexpr double height = 36;            // top above the walking surface
    static constexpr double deckBottomGap = 3.5;    // under the bottom rail, above the decking
    static constexpr double stairBottomGap = 3;     // under the bottom rail, above the nosings
    static constexpr double stepRun = 3;            // at most, each step of a sloped rail
};

// A straight run of guard (or of a handrail alone) from `start` along `along`
// for `lengthInches`, its posts standing on the `across` side of the line.
// The walking surface beside it falls from surfaceInches by slope per inch
// along (0 on the deck, the nosings' rise over run on a stair).
struct GuardLine {
    Point start, along, across;
    double lengthInches = 0;
    QString sharedFirstPost;      // the line's first post when another line laid it (an inside corner, a stair's top)
    double postBase = 0;          // the posts' underside
    double surfaceInches = 0;
    double slope = 0;
    bool balusters = true;        // false: a handrail alone, on posts
    bool handrail = false;        // the top is a 2x2 handrail rather than a 2x4 top rail
    bool onStair = false;         // "Stair post 2", rails as sloped pieces
};

// Running numbers of the guard's members across the deck.
struct GuardNumbers {
    int post = 0, stairPost = 0, topRail = 0, bottomRail = 0, baluster = 0, stairRail = 0, handrail = 0;
};

// Whether the deck gets guards: its decking more than 30 inches above the
// ground, or guards asked for below that.
bool guardsWanted(const DeckParameters &parameters, bool below30);

// Guards on every edge of the outline; along the stair's edge they leave
// the stair's width open between two posts.
void addGuards(Deck &deck, GuardNumbers &numbers);

// One line of guard, its bays recorded in the deck; the names of its first
// and last posts.
std::pair<QString, QString> addGuardLine(Deck &deck, const GuardLine &line, GuardNumbers &numbers);

// Rim joists carrying guard posts should be 2x8 or deeper: advice, not a
// fault. The 2x8's depth in inches, from the lumber catalogue; true when the
// deck has guards on rims shallower than that.
double guardRimDepthInches();
bool rimTooShallowForGuards(const Deck &deck);

// The outline's edge from corner `edge` to the next: its length, unit
// direction and outward normal, and whether the corner at its start is an
// inside one.
struct Edge {
    Point start, along, out;
    double lengthInches = 0;
    bool insideCornerAtStart = false;
};
Edge edgeOf(const Polygon &outline, int edge);

// A rectangle in plan: from `from` to `to` along `along`, from `near` to
// `far` across `across`, counter-clockwise.
Polygon stripRectangle(Point origin, Point along, Point across, double from, double to, double near, double far);

} // namespace deckmodel
