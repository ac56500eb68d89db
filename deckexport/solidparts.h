// The model files' colours and house wall (modelcolours.h) as the geometry
// kernel takes them. Built into the STEP module (kernelmodule.h).
#pragma once

#include "framing.h"
#include "modelcolours.h"
#include "solids.h"

#include <Quantity_Color.hxx>
#include <TopoDS_Shape.hxx>

namespace deckmodel {

inline Quantity_Color colourOf(Kind kind)
{
    const Rgb c = kindColour(kind);
    return Quantity_Color(c.red, c.green, c.blue, Quantity_TOC_RGB);
}

inline Quantity_Color houseWallColour()
{
    return Quantity_Color(HouseWallColour.red, HouseWallColour.green, HouseWallColour.blue, Quantity_TOC_RGB);
}

inline TopoDS_Shape houseWallOf(const Deck &deck)
{
    return solidOf({Kind::Post, QString(), houseWallInPlan(deck), 0, deck.ledger.houseWallTopInches});
}

} // namespace deckmodel
