// The deck as binary glTF through Open CASCADE's glTF writer: a node per
// member named as the member, a mesh per piece. Members that are one piece
// moved share its solid (sharedshapes.h): an XCAF document holds each
// piece's solid once, meshed once, with its colour, and the members as named
// placements of it; the writer reads it. Built into the glTF module
// (kernelmodule.h), never into a program.
#include "solidfiles.h"

#include "framing.h"
#include "sharedshapes.h"
#include "solidparts.h"
#include "solids.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafWriter.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_IndexedDataMapOfStringString.hxx>
#include <TCollection_ExtendedString.hxx>
#include <TDF_Label.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <QFile>
#include <QMultiHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <vector>

namespace deckmodel {

namespace {

TCollection_ExtendedString nameOf(const QString &name)
{
    return TCollection_ExtendedString(name.toUtf8().constData(), true);
}

// The house a deck hangs on, beside the deck's members.
void addHouseWall(const Deck &deck, const Handle(XCAFDoc_ShapeTool) &shapes, const Handle(XCAFDoc_ColorTool) &colours)
{
    const TopoDS_Shape wall = houseWallOf(deck);
    BRepMesh_IncrementalMesh(wall, 0.5);
    const TDF_Label label = shapes->AddShape(wall, false);
    TDataStd_Name::Set(label, nameOf(QLatin1String(HouseWallName)));
    colours->SetColor(label, houseWallColour(), XCAFDoc_ColorSurf);
}

// Each piece's solid meshed once, named as the piece and coloured by its
// kind; each member a named placement of its piece.
Handle(TDocStd_Document) documentOf(const Deck &deck)
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
        BRepMesh_IncrementalMesh(solid, 0.5);
        pieces.push_back(shapes->AddShape(solid, false));
        TDataStd_Name::Set(pieces.back(), nameOf(piece.name));
        colours->SetColor(pieces.back(), colourOf(piece.kind), XCAFDoc_ColorSurf);
    }
    for (size_t i = 0; i < members.size(); ++i) {
        const Placement &placed = shared.placements[i];
        const TDF_Label instance = shapes->AddShape(shapes->GetShape(pieces[size_t(placed.piece)]).Located(locationOf(placed)), false);
        TDataStd_Name::Set(instance, nameOf(members[i].name));
    }
    if (deck.ledger.present)
        addHouseWall(deck, shapes, colours);
    return doc;
}

// The kernel says only that it failed: the system's reason where its write
// left one (errno is cleared before it starts).
jm::Failure kernelFailed()
{
    const int error = errno;
    return jm::failure(error != 0 ? QStringLiteral("the geometry kernel could not write the glTF file: %1")
                                        .arg(QString::fromLocal8Bit(std::strerror(error)))
                                  : QStringLiteral("the geometry kernel could not write the glTF file."));
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
    // Meshes alike are alike by name first: each is compared whole only with
    // the kept meshes of its name.
    QJsonArray shared;
    QMultiHash<QString, int> sharedByName;
    QList<int> indexOf;
    for (const QJsonValue &mesh : meshes) {
        const QString name = mesh.toObject().value(u"name").toString();
        int found = -1;
        for (auto kept = sharedByName.constFind(name); kept != sharedByName.cend() && kept.key() == name; ++kept)
            if (shared.at(*kept) == mesh) {
                found = *kept;
                break;
            }
        if (found < 0) {
            found = int(shared.size());
            sharedByName.insert(name, found);
            shared.append(mesh);
        }
        indexOf << found;
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
    const Handle(TDocStd_Document) doc = documentOf(deck);
    RWGltf_CafWriter writer(TCollection_AsciiString(QFile::encodeName(path).constData()), true);
    // The model is in inches with Y up, as glTF wants it but for the unit.
    writer.ChangeCoordinateSystemConverter().SetInputLengthUnit(0.0254);
    writer.ChangeCoordinateSystemConverter().SetInputCoordinateSystem(RWMesh_CoordinateSystem_glTF);
    errno = 0;
    if (!writer.Perform(doc, TColStd_IndexedDataMapOfStringString(), Message_ProgressRange()))
        return kernelFailed();
    return shareMeshes(path);
}

} // namespace

jm::Status writeGlbFile(const Deck &deck, const QString &path, SolidFormat format)
{
    if (format != SolidFormat::Glb)
        return jm::failure(QStringLiteral("the glTF module writes no other format."));
    // The kernel reports its progress on stdout; a command-line tool must not.
    static const bool quiet = [] {
        Message::DefaultMessenger()->ChangePrinters().Clear();
        return true;
    }();
    (void)quiet;
    try {
        return writeGlb(deck, path);
    } catch (const Standard_Failure &failure) {
        return jm::failure(QStringLiteral("the geometry kernel failed: %1").arg(QString::fromUtf8(failure.GetMessageString())));
    }
}

} // namespace deckmodel
