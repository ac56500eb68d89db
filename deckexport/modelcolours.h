// What the STEP and the glTF files say alike without the geometry kernel:
// each kind's colour and the house a deck hangs on.
#pragma once

#include "framing.h"

namespace deckmodel {

// Red, green and blue from 0 to 1.
struct Rgb {
    double red = 0, green = 0, blue = 0;
};

constexpr Rgb kindColour(Kind kind)
{
    switch (kind) {
    case Kind::Post: return {0.55, 0.42, 0.30};
    case Kind::BeamPly: return {0.62, 0.47, 0.32};
    case Kind::Joist: return {0.80, 0.62, 0.40};
    case Kind::RimJoist: return {0.72, 0.55, 0.36};
    case Kind::DeckingBoard: return {0.86, 0.72, 0.52};
    case Kind::GuardPost: return {0.45, 0.33, 0.22};
    case Kind::GuardRail: return {0.68, 0.50, 0.30};
    case Kind::Baluster: return {0.92, 0.88, 0.80};
    case Kind::Stringer: return {0.58, 0.44, 0.28};
    case Kind::Tread: return {0.90, 0.76, 0.55};
    case Kind::Handrail: return {0.36, 0.24, 0.16};
    case Kind::LandingPad: return {0.70, 0.70, 0.68};
    case Kind::Riser: return {0.84, 0.67, 0.47};
    case Kind::Block: return {0.59, 0.59, 0.57};
    // Treated lumber's green, apart from the untreated framing's browns.
    case Kind::Ledger: return {0.48, 0.55, 0.36};
    // Galvanised steel.
    case Kind::Hanger: return {0.66, 0.68, 0.70};
    }
    return {};
}

// The house a deck hangs on: a plain grey block behind its ledger
// (houseWallInPlan, up to the ledger's houseWallTopInches), a shape of its
// own beside the deck's (never one of its members).
inline constexpr char HouseWallName[] = "house wall";
inline constexpr Rgb HouseWallColour{0.78, 0.78, 0.76};

} // namespace deckmodel
