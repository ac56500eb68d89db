// Open CASCADE's polygonal hidden-line algorithm on the members' meshes. On
// prisms with flat faces it finds the same lines as the exact algorithm, in
// a small part of the time, because it works on the few triangles of each
// face instead of on the surfaces.
#include "hiddenline.h"

#include "solids.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Builder.hxx>
#include <HLRAlgo_EdgeIterator.hxx>
#include <HLRAlgo_EdgeStatus.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_PolyAlgo.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS_Compound.hxx>

#include <mutex>

namespace deckmodel {

struct HiddenLines::Kernel {
    TopoDS_Compound shape;
    int solids = 0;
    Handle(HLRBRep_PolyAlgo) algorithm = new HLRBRep_PolyAlgo;
    std::mutex busy; // the algorithm keeps its results inside
    // The last view's lines: zooming, panning and resizing keep the direction.
    Direction lastEye, lastRight;
    std::vector<ViewSegment> last;
    bool hasLast = false;
};

namespace {
bool same(Direction a, Direction b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

HiddenLines::HiddenLines(const std::vector<Member> &members) : m_kernel(std::make_unique<Kernel>())
{
    BRep_Builder builder;
    builder.MakeCompound(m_kernel->shape);
    for (const Member &m : members) {
        try {
            builder.Add(m_kernel->shape, solidOf(m));
            ++m_kernel->solids;
        } catch (const Standard_Failure &) {
            // A member whose plan makes no face is left out of the drawing.
        }
    }
    // Flat faces: the mesh is each face's polygon cut into triangles whatever
    // the deflection. The faces are meshed in parallel.
    BRepMesh_IncrementalMesh(m_kernel->shape, 1.0, false, 0.5, true);
    m_kernel->algorithm->Load(m_kernel->shape);
}

HiddenLines::~HiddenLines() = default;

int HiddenLines::solids() const
{
    return m_kernel->solids;
}

std::vector<ViewSegment> HiddenLines::project(Direction eye, Direction right) const
{
    std::vector<ViewSegment> segments;
    const std::lock_guard lock(m_kernel->busy);
    if (m_kernel->hasLast && same(eye, m_kernel->lastEye) && same(right, m_kernel->lastRight))
        return m_kernel->last;
    HLRBRep_PolyAlgo &algorithm = *m_kernel->algorithm;
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
    m_kernel->lastEye = eye;
    m_kernel->lastRight = right;
    m_kernel->last = segments;
    m_kernel->hasLast = true;
    return segments;
}

} // namespace deckmodel
