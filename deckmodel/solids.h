// A member as an Open CASCADE solid: its plan polygon at its base, extruded
// upwards by its thickness; and where a shared piece's solid goes for a
// member. Shared by the two files that use the kernel.
#pragma once

#include "framing.h"
#include "sharedshapes.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>

namespace deckmodel {

inline TopoDS_Shape solidOf(const Member &m)
{
    BRepBuilderAPI_MakePolygon wire;
    for (const Point &p : m.plan)
        wire.Add(gp_Pnt(p.x, m.base, p.z));
    wire.Close();
    const TopoDS_Face face = BRepBuilderAPI_MakeFace(wire.Wire(), true);
    return BRepPrimAPI_MakePrism(face, gp_Vec(0, m.thickness, 0)).Shape();
}

// The piece turned about the vertical (Y) and moved: the plan's quarter turn
// counter-clockwise from X to Z, written out so that it stays exact.
inline TopLoc_Location locationOf(const Placement &p)
{
    static constexpr double cosines[] = {1, 0, -1, 0}, sines[] = {0, 1, 0, -1};
    const double c = cosines[p.quarterTurns & 3], s = sines[p.quarterTurns & 3];
    gp_Trsf move;
    move.SetValues(c, 0, -s, p.xIn, 0, 1, 0, p.yIn, s, 0, c, p.zIn);
    return TopLoc_Location(move);
}

} // namespace deckmodel
