// A member as an Open CASCADE solid: its plan polygon at its base, extruded
// upwards by its thickness. Shared by the two files that use the kernel.
#pragma once

#include "framing.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <TopoDS_Shape.hxx>

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

} // namespace deckmodel
