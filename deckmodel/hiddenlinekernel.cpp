// Open CASCADE's polygonal hidden-line algorithm on the members' meshes. On
// prisms with flat faces it finds the same lines as the exact algorithm, in
// a small part of the time, because it works on the few triangles of each
// face instead of on the surfaces.
//
// The faces are flat polygons, so their meshes are made here: each face's
// corners cut into triangles, each edge a polygon of its two corners. The
// general mesher does the same with many times the work; it is still used
// for a face that is not a plane or not a simple polygon. Members that are
// one piece moved (sharedshapes.h) share the piece's solid and its meshes.
// Built into the hidden lines' module (kernelmodule.h), never into a program.
#include "hiddenlinekernel.h"

#include "geometry.h"
#include "occlusion.h"
#include "sharedshapes.h"
#include "solids.h"

#include <BRepGProp.hxx>
#include <BRepLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <ElSLib.hxx>
#include <GProp_GProps.hxx>
#include <Geom_Plane.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_XYZ.hxx>
#include <HLRAlgo_EdgeIterator.hxx>
#include <HLRAlgo_EdgeStatus.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_PolyAlgo.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <Poly_Triangulation.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Shell.hxx>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace deckmodel {

namespace {
class PolyKernel final : public HiddenLineKernel {
public:
    explicit PolyKernel(const std::vector<Member> &members);
    std::vector<ViewSegment> project(Direction eye, Direction right, HiddenPieces pieces) override;
    int solids() const override { return m_solids; }

private:
    std::vector<Member> m_members;      // those that became solids
    std::vector<TopoDS_Shape> m_placed; // each one's solid where it stands
    std::vector<size_t> m_pieceOf;      // and the piece it places
    // Each piece's faces in the order they are explored, each one's outward
    // normal where it is flat (none where it is not).
    std::vector<std::vector<std::optional<gp_Dir>>> m_outward;
    int m_solids = 0;
};

// The outward normals of a closed solid's faces, in the order they are
// explored; none for a face that is not flat.
std::vector<std::optional<gp_Dir>> outwardNormals(const TopoDS_Shape &solid)
{
    std::vector<std::optional<gp_Dir>> normals;
    for (TopExp_Explorer faces(solid, TopAbs_FACE); faces.More(); faces.Next()) {
        const TopoDS_Face &face = TopoDS::Face(faces.Current());
        TopLoc_Location placed;
        const Handle(Geom_Plane) plane = Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face, placed));
        if (plane.IsNull()) {
            normals.emplace_back();
            continue;
        }
        const gp_Pln pln = plane->Pln().Transformed(placed.Transformation());
        gp_Dir normal = pln.Axis().Direction();
        if (pln.Direct() != (face.Orientation() == TopAbs_FORWARD))
            normal.Reverse();
        normals.emplace_back(normal);
    }
    // A solid turned inside out (its volume below zero) has them all inwards.
    GProp_GProps volume;
    BRepGProp::VolumeProperties(solid, volume);
    if (!(std::abs(volume.Mass()) > 1e-9))
        return std::vector<std::optional<gp_Dir>>(normals.size());
    if (volume.Mass() < 0)
        for (std::optional<gp_Dir> &normal : normals)
            if (normal)
                normal->Reverse();
    return normals;
}

// A flat face's mesh: its corners, triangles facing the plane's normal, and
// each edge's two corners. False, with nothing changed, when the face is not
// a plane bounded by one simple polygon.
bool meshFlatFace(const TopoDS_Face &face)
{
    // The plane where the corners are; the mesh in the face's own placement.
    TopLoc_Location placed;
    const Handle(Geom_Plane) plane = Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face, placed));
    if (plane.IsNull())
        return false;
    const gp_Pln pln = plane->Pln().Transformed(placed.Transformation());
    const gp_Trsf toFace = face.Location().Transformation().Inverted();
    std::vector<TopoDS_Vertex> corners;
    std::vector<gp_Pnt> points;
    Polygon uv;
    for (BRepTools_WireExplorer corner(BRepTools::OuterWire(face), face); corner.More(); corner.Next()) {
        corners.push_back(corner.CurrentVertex());
        points.push_back(BRep_Tool::Pnt(corners.back()));
        double u, v;
        ElSLib::Parameters(pln, points.back(), u, v);
        uv.push_back({u, v});
    }
    const std::vector<std::array<int, 3>> triangles = points.size() >= 3 ? triangulated(uv) : std::vector<std::array<int, 3>>();
    if (triangles.empty())
        return false;
    Handle(Poly_Triangulation) mesh = new Poly_Triangulation(int(points.size()), int(triangles.size()), true);
    for (size_t i = 0; i < points.size(); ++i) {
        mesh->SetNode(int(i) + 1, points[i].Transformed(toFace));
        mesh->SetUVNode(int(i) + 1, gp_Pnt2d(uv[i].x, uv[i].z));
    }
    const bool direct = pln.Direct();
    for (size_t i = 0; i < triangles.size(); ++i) {
        const auto &[a, b, c] = triangles[i];
        mesh->SetTriangle(int(i) + 1, direct ? Poly_Triangle(a + 1, b + 1, c + 1) : Poly_Triangle(a + 1, c + 1, b + 1));
    }
    BRep_Builder builder;
    builder.UpdateFace(face, mesh);
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge &edge = TopoDS::Edge(edges.Current());
        TopoDS_Vertex first, last;
        TopExp::Vertices(edge, first, last);
        TColStd_Array1OfInteger nodes(1, 2);
        TColStd_Array1OfReal parameters(1, 2);
        for (size_t i = 0; i < corners.size(); ++i) {
            if (corners[i].IsSame(first))
                nodes(1) = int(i) + 1;
            if (corners[i].IsSame(last))
                nodes(2) = int(i) + 1;
        }
        parameters(1) = BRep_Tool::Parameter(first, edge);
        parameters(2) = BRep_Tool::Parameter(last, edge);
        builder.UpdateEdge(edge, new Poly_PolygonOnTriangulation(nodes, parameters), mesh, face.Location());
    }
    return true;
}

PolyKernel::PolyKernel(const std::vector<Member> &members)
{
    // Each piece built and meshed once, then placed for each of its members:
    // the placed solids share the piece's faces and their meshes.
    const SharedShapes shared = sharedShapesOf(members);
    std::vector<TopoDS_Shape> pieces(shared.pieces.size());
    m_outward.resize(pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        try {
            const TopoDS_Shape solid = solidOf(shared.pieces[i]);
            bool meshed = true;
            for (TopExp_Explorer faces(solid, TopAbs_FACE); faces.More(); faces.Next()) {
                const TopoDS_Face &face = TopoDS::Face(faces.Current());
                meshed = meshFlatFace(face) && meshed;
                // The edges' curves on the face's plane, kept: the algorithm
                // would otherwise work them out again for every placement.
                TopTools_ListOfShape edges;
                for (TopExp_Explorer edge(face, TopAbs_EDGE); edge.More(); edge.Next())
                    edges.Append(edge.Current());
                BRepLib::BuildPCurveForEdgesOnPlane(edges, face);
            }
            if (!meshed)
                BRepMesh_IncrementalMesh(solid, 1.0, false, 0.5, false);
            m_outward[i] = outwardNormals(solid);
            pieces[i] = solid;
        } catch (const Standard_Failure &) {
            // A member whose plan makes no face is left out of the drawing.
        }
    }
    // Only the members that became solids: one that did not hides nothing.
    for (size_t i = 0; i < members.size(); ++i) {
        const Placement &placed = shared.placements[i];
        const TopoDS_Shape &piece = pieces[size_t(placed.piece)];
        if (piece.IsNull())
            continue;
        m_members.push_back(members[i]);
        m_placed.push_back(piece.Located(locationOf(placed)));
        m_pieceOf.push_back(size_t(placed.piece));
    }
    m_solids = int(m_placed.size());
}

std::vector<ViewSegment> PolyKernel::project(Direction eye, Direction right, HiddenPieces drawn)
{
    std::vector<ViewSegment> segments;
    // The algorithm prepares every solid it holds for each view afresh, so a
    // view without hidden pieces is given only the members it may see, and of
    // those only the faces turned towards the eye (or seen edge on): a face
    // turned away is behind its own solid, and so is every edge between two
    // such faces, while an edge between it and a face turned towards the eye
    // comes with that face.
    const bool onlySeen = drawn == HiddenPieces::NotDrawn;
    const std::vector<bool> leftOut = onlySeen ? hiddenWhole(m_members, eye, right) : std::vector<bool>(m_placed.size(), false);
    const gp_XYZ towardsEye(eye.x, eye.y, eye.z);
    constexpr double EdgeOn = 1e-6; // a face this near edge on is kept
    TopoDS_Compound seen;
    BRep_Builder builder;
    builder.MakeCompound(seen);
    // The members' faces in shells of eight members each, in the members'
    // order (neighbours mostly): the algorithm goes through every face of
    // the view once for each shell it prepares, which for a shell a solid
    // took most of the time on a large deck, while an edge is tested against
    // every face of each shell whose bounds it meets, many of them far off
    // in a large shell. Eight measured best between the two (of 4 to 32).
    // Each box's faces still close up, so a shell of many is as closed as
    // one of each.
    constexpr size_t MembersAShell = 8;
    TopoDS_Shell shell;
    size_t inShell = 0;
    for (size_t i = 0; i < m_placed.size(); ++i) {
        if (leftOut[i])
            continue;
        if (inShell == 0)
            builder.MakeShell(shell);
        const std::vector<std::optional<gp_Dir>> &outward = m_outward[m_pieceOf[i]];
        const gp_Trsf &turned = m_placed[i].Location().Transformation();
        size_t k = 0;
        for (TopExp_Explorer face(m_placed[i], TopAbs_FACE); face.More(); face.Next(), ++k) {
            if (onlySeen && k < outward.size() && outward[k]
                && outward[k]->Transformed(turned).XYZ().Dot(towardsEye) < -EdgeOn)
                continue;
            builder.Add(shell, face.Current());
        }
        if (++inShell == MembersAShell) {
            builder.Add(seen, shell);
            inShell = 0;
        }
    }
    if (inShell > 0)
        builder.Add(seen, shell);
    Handle(HLRBRep_PolyAlgo) held = new HLRBRep_PolyAlgo;
    HLRBRep_PolyAlgo &algorithm = *held;
    algorithm.Load(seen);
    try {
        const gp_Ax2 axes(gp::Origin(), gp_Dir(eye.x, eye.y, eye.z), gp_Dir(right.x, right.y, right.z));
        algorithm.Projector(HLRAlgo_Projector(axes));
        algorithm.Update();
    } catch (const Standard_Failure &) {
        return segments; // directions that are not at right angles, or nothing to project
    }
    const gp_Trsf &toView = algorithm.Projector().Transformation();
    HLRAlgo_EdgeStatus status;
    HLRAlgo_EdgeIterator pieces;
    TopoDS_Shape shape;
    Standard_Boolean smooth, smoothN, outline, internal;
    for (algorithm.InitHide(); algorithm.MoreHide(); algorithm.NextHide()) {
        const HLRAlgo_BiPoint::PointsT &points = algorithm.Hide(status, shape, smooth, smoothN, outline, internal);
        // Only the edges between faces and the outlines: no lines inside a face.
        if (internal || (smooth && !outline))
            continue;
        gp_XYZ from = points.Pnt1, to = points.Pnt2;
        toView.Transforms(from);
        toView.Transforms(to);
        const double dx = to.X() - from.X(), dy = to.Y() - from.Y();
        if (dx * dx + dy * dy < 1e-20)
            continue; // seen end on
        auto add = [&](double start, double end, bool visible) {
            segments.push_back({from.X() + start * dx, from.Y() + start * dy, from.X() + end * dx,
                                from.Y() + end * dy, visible});
        };
        double start, end;
        Standard_ShortReal startTolerance, endTolerance;
        for (pieces.InitVisible(status); pieces.MoreVisible(); pieces.NextVisible()) {
            pieces.Visible(start, startTolerance, end, endTolerance);
            add(start, end, true);
        }
        for (pieces.InitHidden(status); pieces.MoreHidden(); pieces.NextHidden()) {
            pieces.Hidden(start, startTolerance, end, endTolerance);
            add(start, end, false);
        }
    }
    return segments;
}
} // namespace

std::unique_ptr<HiddenLineKernel> polygonalHiddenLines(const std::vector<Member> &members)
{
    return std::make_unique<PolyKernel>(members);
}

} // namespace deckmodel
