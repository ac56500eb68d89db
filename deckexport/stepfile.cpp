// The deck as STEP (AP214, inches) through Open CASCADE's STEP translator
// alone. Each member is its plan polygon extruded upwards: no Boolean
// operation, so building cannot fail and stays fast. Members that are one
// piece moved share its solid (sharedshapes.h): the deck is one assembly
// whose components, named as the members, place the pieces' solids, each
// written once as a product named as the piece and coloured by its kind; the
// house wall a deck hangs on is a solid of its own beside it.
//
// The translator makes the assembly, the shared products and the placements
// by itself; the names and colours are set here on what it made. The
// document-based writer would do the same from a document, but it brings the
// kernel's visualisation libraries (and the image and font libraries under
// them) into the process: binding those, and working out the model's graph a
// second time, took a third of a small deck's file.
// Built into the STEP module (kernelmodule.h), never into a program.
#include "solidfiles.h"

#include "framing.h"
#include "geometry.h"
#include "sharedshapes.h"
#include "solidparts.h"
#include "solids.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepLib.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRep_Builder.hxx>
#include <Interface_InterfaceModel.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <STEPConstruct.hxx>
#include <STEPConstruct_DataMapOfAsciiStringTransient.hxx>
#include <STEPConstruct_DataMapOfPointTransient.hxx>
#include <STEPConstruct_Styles.hxx>
#include <STEPControl_Writer.hxx>
#include <StepData_Protocol.hxx>
#include <StepData_StepModel.hxx>
#include <StepData_StepWriter.hxx>
#include <Standard_Failure.hxx>
#include <StepBasic_Product.hxx>
#include <StepBasic_ProductDefinition.hxx>
#include <StepBasic_ProductDefinitionFormation.hxx>
#include <StepBasic_ProductDefinitionRelationship.hxx>
#include <StepRepr_ProductDefinitionShape.hxx>
#include <StepRepr_PropertyDefinition.hxx>
#include <StepRepr_RepresentationContext.hxx>
#include <StepRepr_RepresentationItem.hxx>
#include <StepShape_ContextDependentShapeRepresentation.hxx>
#include <StepShape_ShapeDefinitionRepresentation.hxx>
#include <StepShape_ShapeRepresentation.hxx>
#include <StepVisual_Colour.hxx>
#include <StepVisual_MechanicalDesignGeometricPresentationRepresentation.hxx>
#include <StepVisual_PresentationStyleAssignment.hxx>
#include <StepVisual_StyledItem.hxx>
#include <TCollection_AsciiString.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Dir.hxx>
#include <gp_Pln.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>
#include <TransferBRep.hxx>
#include <TransferBRep_ShapeMapper.hxx>
#include <Transfer_FinderProcess.hxx>
#include <XSControl_TransferWriter.hxx>
#include <XSControl_WorkSession.hxx>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace deckmodel {

namespace {

// A name as STEP holds it: UTF-8, without the spaces around it.
Handle(TCollection_HAsciiString) stepName(const QString &name)
{
    TCollection_AsciiString text(TCollection_ExtendedString(name.toUtf8().constData(), true));
    text.LeftAdjust();
    text.RightAdjust();
    return new TCollection_HAsciiString(text);
}

// The product the translator made for a shape written whole (a piece, the
// deck's assembly, the house wall) takes the name as its id and its name.
void nameProduct(const Handle(Transfer_FinderProcess) &process, const TopoDS_Shape &shape, const QString &name)
{
    Handle(StepShape_ShapeDefinitionRepresentation) representation;
    if (!process->FindTypedTransient(TransferBRep::ShapeMapper(process, shape),
                                     STANDARD_TYPE(StepShape_ShapeDefinitionRepresentation), representation))
        return;
    const Handle(StepRepr_PropertyDefinition) property = representation->Definition().PropertyDefinition();
    if (property.IsNull())
        return;
    const Handle(StepBasic_ProductDefinition) definition = property->Definition().ProductDefinition();
    if (definition.IsNull())
        return;
    const Handle(StepBasic_ProductDefinitionFormation) formation = definition->Formation();
    const Handle(StepBasic_Product) product = formation.IsNull() ? nullptr : formation->OfProduct();
    if (product.IsNull())
        return;
    const Handle(TCollection_HAsciiString) text = stepName(name);
    product->SetId(text);
    product->SetName(text);
}

// A component (a piece where a member stands) is named on its usage in the assembly.
void nameComponent(const Handle(Transfer_FinderProcess) &process, const TopoDS_Shape &placed, const QString &name)
{
    Handle(StepShape_ContextDependentShapeRepresentation) representation;
    if (!process->FindTypedTransient(TransferBRep::ShapeMapper(process, placed),
                                     STANDARD_TYPE(StepShape_ContextDependentShapeRepresentation), representation))
        return;
    const Handle(StepRepr_ProductDefinitionShape) shape = representation->RepresentedProductRelation();
    if (shape.IsNull())
        return;
    const Handle(StepBasic_ProductDefinitionRelationship) usage = shape->Definition().ProductDefinitionRelationship();
    if (!usage.IsNull())
        usage->SetName(stepName(name));
}

// The solid's surfaces in one colour: a styled item on its solid, presented
// in the context of the solid's representation. The colours are shared
// among the solids. (The styles tool is not given the session: given it,
// it works out the model's graph and checks every entity, which the file
// needs neither of and which took a tenth of a small deck's file.)
struct Colouring {
    explicit Colouring(const Handle(XSControl_WorkSession) &session) : session(session) {}
    void colour(const TopoDS_Shape &solid, const Quantity_Color &colour)
    {
        styles.ClearStyles();
        const Handle(Transfer_FinderProcess) process = session->TransferWriter()->FinderProcess();
        Handle(StepShape_ShapeRepresentation) representation;
        if (!process->FindTypedTransient(TransferBRep::ShapeMapper(process, solid), STANDARD_TYPE(StepShape_ShapeRepresentation),
                                         representation))
            return;
        const Handle(StepRepr_RepresentationContext) context = representation->ContextOfItems();
        TopLoc_Location where;
        const Handle(StepRepr_RepresentationItem) item = STEPConstruct::FindEntity(process, solid, where);
        if (context.IsNull() || item.IsNull())
            return;
        const Handle(StepVisual_Colour) surface = STEPConstruct_Styles::EncodeColor(colour, predefined, rgb);
        styles.AddStyle(item, styles.MakeColorPSA(item, surface, nullptr, surface, 0.0), nullptr);
        Handle(StepVisual_MechanicalDesignGeometricPresentationRepresentation) presentation;
        if (styles.CreateMDGPR(context, presentation))
            session->Model()->AddWithRefs(presentation);
    }
    STEPConstruct_Styles styles;
    Handle(XSControl_WorkSession) session;
    STEPConstruct_DataMapOfAsciiStringTransient predefined;
    STEPConstruct_DataMapOfPointTransient rgb;
};

// A member as a solid, as solidOf() makes it, on the plane its plan lies in
// rather than one the kernel fits to the plan's corners (a third of the
// solid's making): facing down where the plan runs counter-clockwise, up
// where it runs the other way, so that the solid is not turned inside out.
TopoDS_Shape prismOf(const Member &m)
{
    BRepBuilderAPI_MakePolygon wire;
    for (const Point &p : m.plan)
        wire.Add(gp_Pnt(p.x, m.base, p.z));
    wire.Close();
    if (!wire.IsDone() || m.plan.empty())
        return {};
    const gp_Pln plane(gp_Pnt(m.plan.front().x, m.base, m.plan.front().z), gp_Dir(0, signedArea(m.plan) > 0 ? -1 : 1, 0));
    const BRepBuilderAPI_MakeFace face(plane, wire.Wire(), true);
    if (!face.IsDone())
        return {};
    return BRepPrimAPI_MakePrism(face.Face(), gp_Vec(0, m.thickness, 0)).Shape();
}

// The kernel says only that it failed: the system's reason where its write
// left one (errno is cleared before it starts).
jm::Failure kernelFailed()
{
    const int error = errno;
    return jm::failure(error != 0 ? QStringLiteral("the geometry kernel could not write the STEP file: %1")
                                        .arg(QString::fromLocal8Bit(std::strerror(error)))
                                  : QStringLiteral("the geometry kernel could not write the STEP file."));
}

jm::Status writeStep(const Deck &deck, const std::string &path)
{
    STEPControl_Writer writer; // sets the defaults below on its first use
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    // The model's numbers are inches and are written as they are: with the
    // session's unit set too, 7.6 scales them by 25.4.
    Interface_Static::SetCVal("write.step.unit", "INCH");
    // Pcurves on every face double the file and its time; no reader needs them.
    Interface_Static::SetIVal("write.surfacecurve.mode", 0);
    // The deck's compound is an assembly, each solid placed in it a
    // component, a solid placed many times one product.
    Interface_Static::SetCVal("write.step.assembly", "On");
    // The uncertainty the file states: the kernel's least length, as the
    // average of the solids' tolerances would give, without working it out
    // on every solid.
    Interface_Static::SetIVal("write.precision.mode", 2);
    Interface_Static::SetRVal("write.precision.val", 1e-7);

    // The members where they stand, the ledger's hangers after them.
    const std::vector<Member> members = membersInPlan(deck);
    const SharedShapes shared = sharedShapesOf(members);
    std::vector<TopoDS_Shape> pieces;
    pieces.reserve(shared.pieces.size());
    for (const Member &piece : shared.pieces) {
        pieces.push_back(prismOf(piece));
        // Each edge's curve on its faces' planes, worked out once and kept:
        // the translator asks for it several times an edge, and works it
        // out anew each time where it is not kept. (The file has none.)
        for (TopExp_Explorer faces(pieces.back(), TopAbs_FACE); faces.More(); faces.Next())
            for (TopExp_Explorer edges(faces.Current(), TopAbs_EDGE); edges.More(); edges.Next())
                BRepLib::BuildPCurveForEdgeOnPlane(TopoDS::Edge(edges.Current()), TopoDS::Face(faces.Current()));
    }
    BRep_Builder builder;
    TopoDS_Compound assembly;
    builder.MakeCompound(assembly);
    std::vector<TopoDS_Shape> placed;
    placed.reserve(members.size());
    for (const Placement &place : shared.placements) {
        placed.push_back(pieces[size_t(place.piece)].Located(locationOf(place)));
        builder.Add(assembly, placed.back());
    }
    // Hung on the house: the wall a solid of its own beside the deck's assembly.
    const TopoDS_Shape wall = deck.ledger.present ? houseWallOf(deck) : TopoDS_Shape();
    // The graph of the model is worked out once, by the write, after the names and colours.
    if (writer.Transfer(assembly, STEPControl_AsIs, false) != IFSelect_RetDone
        || (!wall.IsNull() && writer.Transfer(wall, STEPControl_AsIs, false) != IFSelect_RetDone))
        return jm::failure(QStringLiteral("the deck could not be turned into STEP."));

    const Handle(XSControl_WorkSession) session = writer.WS();
    const Handle(Transfer_FinderProcess) process = session->TransferWriter()->FinderProcess();
    for (size_t i = 0; i < pieces.size(); ++i)
        nameProduct(process, pieces[i], shared.pieces[i].name);
    nameProduct(process, assembly, QStringLiteral("Deck"));
    for (size_t i = 0; i < members.size(); ++i)
        nameComponent(process, placed[i], members[i].name);
    if (!wall.IsNull())
        nameProduct(process, wall, QLatin1String(HouseWallName));

    Colouring colouring(session);
    for (size_t i = 0; i < pieces.size(); ++i)
        colouring.colour(pieces[i], colourOf(shared.pieces[i].kind));
    if (!wall.IsNull())
        colouring.colour(wall, houseWallColour());

    // The model written as text straight away: the session's own write
    // works out the model's graph, checks every entity and copies the model
    // first, none of which changes a byte of the file.
    const Handle(StepData_StepModel) model = writer.Model();
    const Handle(StepData_Protocol) protocol = Handle(StepData_Protocol)::DownCast(session->Protocol());
    if (model.IsNull() || protocol.IsNull())
        return jm::failure(QStringLiteral("the deck could not be turned into STEP."));
    StepData_StepWriter text(model);
    text.SendModel(protocol);
    errno = 0;
    std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!file.is_open())
        return kernelFailed();
    const bool printed = text.Print(file);
    file.flush();
    file.close();
    if (!printed || !file)
        return kernelFailed();
    return jm::success();
}

} // namespace

jm::Status writeStepFile(const Deck &deck, const QString &path)
{
    // The kernel reports its progress on stdout; a command-line tool must not.
    static const bool quiet = [] {
        Message::DefaultMessenger()->ChangePrinters().Clear();
        return true;
    }();
    (void)quiet;
    try {
        return writeStep(deck, QFile::encodeName(path).toStdString());
    } catch (const Standard_Failure &failure) {
        return jm::failure(QStringLiteral("the geometry kernel failed: %1").arg(QString::fromUtf8(failure.GetMessageString())));
    }
}

int solidsOf(const Deck &deck)
{
    int solids = 0;
    for (const Member &m : deck.members)
        solids += prismOf(m).IsNull() ? 0 : 1;
    return solids;
}

} // namespace deckmodel
