// What the STEP and the glTF writers say alike: each kind's colour and the
// house a deck hangs on. Built into both solid files' modules (kernelmodule.h).
#pragma once

#include "framing.h"
#include "solids.h"

#include <Quantity_Color.hxx>
#include <TopoDS_Shape.hxx>

namespace deckmodel {

inline Quantity_Color colourOf(Kind kind)
{
    switch (kind) {
    case Kind::Post: return Quantity_Color(0.55, 0.42, 0.30, Quantity_TOC_RGB);
    case Kind::BeamPly: return Quantity_Color(0.62, 0.47, 0.32, Quantity_TOC_RGB);
    case Kind::Joist: return Quantity_Color(0.80, 0.62, 0.40, Quantity_TOC_RGB);
    case Kind::RimJoist: return Quantity_Color(0.72, 0.55, 0.36, Quantity_TOC_RGB);
    case Kind::DeckingBoard: return Quantity_Color(0.86, 0.72, 0.52, Quantity_TOC_RGB);
    case Kind::GuardPost: return Quantity_Color(0.45, 0.33, 0.22, Quantity_TOC_RGB);
    case Kind::GuardRail: return Quantity_Color(0.68, 0.50, 0.30, Quantity_TOC_RGB);
    case Kind::Baluster: return Quantity_Color(0.92, 0.88, 0.80, Quantity_TOC_RGB);
    case Kind::Stringer: return Quantity_Color(0.58, 0.44, 0.28, Quantity_TOC_RGB);
    case Kind::Tread: return Quantity_Color(0.90, 0.76, 0.55, Quantity_TOC_RGB);
    case Kind::Handrail: return Quantity_Color(0.36, 0.24, 0.16, Quantity_TOC_RGB);
    case Kind::LandingPad: return Quantity_Color(0.70, 0.70, 0.68, Quantity_TOC_RGB);
    case Kind::Riser: return Quantity_Color(0.84, 0.67, 0.47, Quantity_TOC_RGB);
    case Kind::Block: return Quantity_Color(0.59, 0.59, 0.57, Quantity_TOC_RGB);
    // Treated lumber's green, apart from the untreated framing's browns.
    case Kind::Ledger: return Quantity_Color(0.48, 0.55, 0.36, Quantity_TOC_RGB);
    // Galvanised steel.
    case Kind::Hanger: return Quantity_Color(0.66, 0.68, 0.70, Quantity_TOC_RGB);
    }
    return Quantity_Color();
}

// The house a deck hangs on: a plain grey block behind its ledger, a shape
// of its own beside the deck's (never one of its members).
inline constexpr char HouseWallName[] = "house wall";

inline Quantity_Color houseWallColour()
{
    return Quantity_Color(0.78, 0.78, 0.76, Quantity_TOC_RGB);
}

inline TopoDS_Shape houseWallOf(const Deck &deck)
{
    return solidOf({Kind::Post, QString(), houseWallInPlan(deck), 0, deck.ledger.houseWallTopInches});
}

} // namespace deckmodel
