// Solids and files through Open CASCADE. Each member is its plan polygon
// extruded upwards: no Boolean operation, so building cannot fail and stays
// fast. Members that are one piece moved share its solid (sharedshapes.h):
// an XCAF document holds each piece's solid once, with its colour, and the
// members as named placements of it; the STEP and glTF writers read it.
// Built into the kernel module (kernelmodule.h), never into a program.
#include "solidfiles.h"

#include "framing.h"
#include "sharedshapes.h"
#include "solids.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafWriter.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_IndexedDataMapOfStringString.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TDF_Label.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopoDS_Solid.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace deckmodel {

namespace {

Quantity_Color colourOf(Kind kind)
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

TCollection_ExtendedString nameOf(const QString &name)
{
    return TCollection_ExtendedString(name.toUtf8().constData(), true);
}

// The house a deck hangs on: a plain grey block behind its ledger, a shape
// of its own beside the deck's (never one of its members).
TDF_Label addHouseWall(const Deck &deck, const Handle(XCAFDoc_ShapeTool) &shapes, const Handle(XCAFDoc_ColorTool) &colours,
                       bool meshed)
{
    const TopoDS_Shape wall = solidOf({Kind::Post, QString(), houseWallInPlan(deck), 0, deck.ledger.houseWallTopInches});
    if (meshed)
        BRepMesh_IncrementalMesh(wall, 0.5);
    const TDF_Label label = shapes->AddShape(wall, false);
    TDataStd_Name::Set(label, nameOf(QStringLiteral("house wall")));
    colours->SetColor(label, Quantity_Color(0.78, 0.78, 0.76, Quantity_TOC_RGB), XCAFDoc_ColorSurf);
    return label;
}

// One assembly, the deck, with a component for each member named as the
// member, each referring to its piece's one solid (coloured by its kind) and
// placing it. With `meshed` each piece is meshed, once.
Handle(TDocStd_Document) documentOf(const Deck &deck, bool meshed, bool assembly)
{
    Handle(TDocStd_Document) doc;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc);
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    const Handle(XCAFDoc_ColorTool) colours = XCAFDoc_DocumentTool::ColorTool(doc->Main());
    // The members where they stand, the ledger's hangers after them.
    const std::vector<Member> members = membersInPlan(deck);
    const SharedShapes shared = sharedShapesOf(members);
    std::vector<TDF_Label> pieces;
    pieces.reserve(shared.pieces.size());
    for (const Member &piece : shared.pieces) {
        const TopoDS_Shape solid = solidOf(piece);
        if (meshed)
            BRepMesh_IncrementalMesh(solid, 0.5);
        pieces.push_back(shapes->AddShape(solid, false));
        TDataStd_Name::Set(pieces.back(), nameOf(piece.name));
        colours->SetColor(pieces.back(), colourOf(piece.kind), XCAFDoc_ColorSurf);
    }
    if (!assembly) {
        for (size_t i = 0; i < members.size(); ++i) {
            const Placement &placed = shared.placements[i];
            const TDF_Label instance = shapes->AddShape(shapes->GetShape(pieces[size_t(placed.piece)]).Located(locationOf(placed)), false);
            TDataStd_Name::Set(instance, nameOf(members[i].name));
        }
        if (deck.ledger.present)
            addHouseWall(deck, shapes, colours, meshed);
        return doc;
    }
    const TDF_Label deckLabel = shapes->NewShape();
    TDataStd_Name::Set(deckLabel, nameOf(QStringLiteral("Deck")));
    for (size_t i = 0; i < members.size(); ++i) {
        const Placement &placed = shared.placements[i];
        const TDF_Label component = shapes->AddComponent(deckLabel, pieces[size_t(placed.piece)], locationOf(placed));
        TDataStd_Name::Set(component, nameOf(members[i].name));
    }
    shapes->UpdateAssemblies();
    // Hung on the house: the wall a solid of its own beside the deck's assembly.
    if (deck.ledger.present)
        addHouseWall(deck, shapes, colours, meshed);
    return doc;
}

// The kernel says only that it failed: the system's reason where its write
// left one (errno is cleared before it starts).
jm::Failure kernelFailed(const QString &what)
{
    const int error = errno;
    return jm::failure(error != 0 ? QStringLiteral("the geometry kernel could not write the %1 file: %2")
                                        .arg(what, QString::fromLocal8Bit(std::strerror(error)))
                                  : QStringLiteral("the geometry kernel could not write the %1 file.").arg(what));
}

jm::Status writeStep(const Deck &deck, const std::string &path)
{
    const Handle(TDocStd_Document) doc = documentOf(deck, false, true);
    STEPCAFControl_Writer writer; // sets the defaults below on its first use
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    // The model's numbers are inches and are written as they are: with the
    // document's unit or the session's unit set too, 7.6 scales them by 25.4.
    Interface_Static::SetCVal("write.step.unit", "INCH");
    // Pcurves on every face double the file and its time; no reader needs them.
    Interface_Static::SetIVal("write.surfacecurve.mode", 0);
    writer.SetNameMode(true);
    writer.SetColorMode(true);
    if (!writer.Transfer(doc, STEPControl_AsIs))
        return jm::failure(QStringLiteral("the deck could not be turned into STEP."));
    errno = 0;
    if (writer.Write(path.c_str()) != IFSelect_RetDone)
        return kernelFailed(QStringLiteral("STEP"));
    return jm::success();
}

// The glTF writer shares each piece's triangles among its members but gives
// every node a mesh of its own, all alike: here the nodes of one piece are
// given one mesh. The binary chunk stays as it is.
jm::Status shareMeshes(const QString &path)
{
    const jm::Status broken = jm::failure(QStringLiteral("the glTF file could not be written."));
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return broken;
    const QByteArray glb = file.readAll();
    const auto word = [&](qsizetype at) { return qFromLittleEndian<quint32>(glb.constData() + at); };
    // The header (magic, version, length), then the JSON chunk (length, "JSON", text).
    if (glb.size() < 20 || word(8) != quint32(glb.size()) || word(16) != 0x4E4F534Au || 20 + qsizetype(word(12)) > glb.size())
        return broken;
    const qsizetype jsonEnd = 20 + qsizetype(word(12));
    QJsonObject root = QJsonDocument::fromJson(glb.mid(20, jsonEnd - 20)).object();
    const QJsonArray meshes = root.value(u"meshes").toArray();
    QJsonArray nodes = root.value(u"nodes").toArray();
    QJsonArray shared;
    QHash<QByteArray, int> sharedIndex;
    QList<int> indexOf;
    for (const QJsonValue &mesh : meshes) {
        const QByteArray key = QJsonDocument(mesh.toObject()).toJson(QJsonDocument::Compact);
        auto found = sharedIndex.constFind(key);
        if (found == sharedIndex.cend()) {
            found = sharedIndex.insert(key, int(shared.size()));
            shared.append(mesh);
        }
        indexOf << *found;
    }
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        QJsonObject node = nodes[i].toObject();
        const int mesh = node.value(u"mesh").toInt(-1);
        if (mesh < 0 || mesh >= indexOf.size())
            continue;
        node.insert(QStringLiteral("mesh"), indexOf[mesh]);
        nodes[i] = node;
    }
    root.insert(QStringLiteral("meshes"), shared);
    root.insert(QStringLiteral("nodes"), nodes);
    QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    json.append((4 - json.size() % 4) % 4, ' '); // chunks end on a four-byte boundary
    QByteArray out = glb.left(12);
    const auto append = [&](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    };
    append(quint32(json.size()));
    append(0x4E4F534Au);
    out += json;
    out += glb.mid(jsonEnd);
    qToLittleEndian(quint32(out.size()), out.data() + 8);
    if (!file.resize(0) || !file.seek(0) || file.write(out) != out.size() || !file.flush())
        return broken;
    return jm::success();
}

jm::Status writeGlb(const Deck &deck, const QString &path)
{
    const Handle(TDocStd_Document) doc = documentOf(deck, true, false);
    RWGltf_CafWriter writer(TCollection_AsciiString(QFile::encodeName(path).constData()), true);
    // The model is in inches with Y up, as glTF wants it but for the unit.
    writer.ChangeCoordinateSystemConverter().SetInputLengthUnit(0.0254);
    writer.ChangeCoordinateSystemConverter().SetInputCoordinateSystem(RWMesh_CoordinateSystem_glTF);
    errno = 0;
    if (!writer.Perform(doc, TColStd_IndexedDataMapOfStringString(), Message_ProgressRange()))
        return kernelFailed(QStringLiteral("glTF"));
    return shareMeshes(path);
}

} // namespace

jm::Status writeSolidFile(const Deck &deck, const QString &path, SolidFormat format)
{
    // The kernel reports its progress on stdout; a command-line tool must not.
    static const bool quiet = [] {
        Message::DefaultMessenger()->ChangePrinters().Clear();
        return true;
    }();
    (void)quiet;
    try {
        return format == SolidFormat::Step ? writeStep(deck, QFile::encodeName(path).toStdString()) : writeGlb(deck, path);
    } catch (const Standard_Failure &failure) {
        return jm::failure(QStringLiteral("the geometry kernel failed: %1").arg(QString::fromUtf8(failure.GetMessageString())));
    }
}

int solidsOf(const Deck &deck)
{
    int solids = 0;
    for (const Member &m : deck.members)
        solids += solidOf(m).IsNull() ? 0 : 1;
    return solids;
}

} // namespace deckmodel
