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
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <cctype>
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

// The JSON text as the glTF writer leaves it, walked without being parsed
// whole: where each value ends, and an object's members or an array's
// elements as spans of the text. Anything else than JSON ends the walk (-1).
struct JsonText {
    const QByteArray &text;

    qsizetype space(qsizetype at) const
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\n' || text[at] == '\r' || text[at] == '\t'))
            ++at;
        return at;
    }
    // Where the string, number, literal, array or object starting at `at` ends.
    qsizetype valueEnd(qsizetype at) const
    {
        if (at < 0 || at >= text.size())
            return -1;
        const char c = text[at];
        if (c == '"') {
            for (qsizetype i = at + 1; i < text.size(); ++i) {
                if (text[i] == '\\')
                    ++i;
                else if (text[i] == '"')
                    return i + 1;
            }
            return -1;
        }
        if (c == '{' || c == '[') {
            qsizetype i = space(at + 1);
            if (i < text.size() && text[i] == (c == '{' ? '}' : ']'))
                return i + 1;
            for (;;) {
                if (c == '{') {
                    i = space(valueEnd(i));
                    if (i < 0 || i >= text.size() || text[i] != ':')
                        return -1;
                    i = space(i + 1);
                }
                i = space(valueEnd(i));
                if (i < 0 || i >= text.size())
                    return -1;
                if (text[i] == (c == '{' ? '}' : ']'))
                    return i + 1;
                if (text[i] != ',')
                    return -1;
                i = space(i + 1);
            }
        }
        qsizetype i = at;
        while (i < text.size() && (std::isalnum(uchar(text[i])) || text[i] == '-' || text[i] == '+' || text[i] == '.'))
            ++i;
        return i > at ? i : -1;
    }
    // The elements of the array at `at`, or the members of the object there
    // as key and value, in order; false where the text is not that.
    struct Span {
        qsizetype begin = 0, end = 0;
    };
    bool items(qsizetype at, std::vector<Span> &keys, std::vector<Span> &values) const
    {
        keys.clear();
        values.clear();
        if (at < 0 || at >= text.size() || (text[at] != '{' && text[at] != '['))
            return false;
        const bool object = text[at] == '{';
        const qsizetype end = valueEnd(at);
        if (end < 0)
            return false;
        for (qsizetype i = space(at + 1); i < end - 1; i = space(i + 1)) {
            if (object) {
                const qsizetype keyEnd = valueEnd(i);
                keys.push_back({i, keyEnd});
                i = space(space(keyEnd) + 1);
            }
            const qsizetype valueStop = valueEnd(i);
            values.push_back({i, valueStop});
            i = space(valueStop);
        }
        return true;
    }
    QByteArrayView view(Span span) const { return QByteArrayView(text.constData() + span.begin, span.end - span.begin); }
};

// The glTF writer shares each piece's triangles among its members but gives
// every node a mesh of its own, all alike: here the nodes of one piece are
// given one mesh, the first of those alike, and the others go. The rest of
// the JSON text and the binary chunk stay as they are.
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
    const QByteArray text = glb.mid(20, jsonEnd - 20);
    const JsonText json{text};
    std::vector<JsonText::Span> keys, values;
    const qsizetype root = json.space(0);
    if (!json.items(root, keys, values))
        return broken;
    JsonText::Span meshesAt{-1, -1}, nodesAt{-1, -1};
    for (size_t i = 0; i < keys.size(); ++i) {
        if (json.view(keys[i]) == "\"meshes\"")
            meshesAt = values[i];
        else if (json.view(keys[i]) == "\"nodes\"")
            nodesAt = values[i];
    }
    if (meshesAt.begin < 0 || nodesAt.begin < 0)
        return jm::success(); // nothing to share

    // Meshes alike are alike in text: the writer writes each one the same way.
    std::vector<JsonText::Span> meshes;
    if (!json.items(meshesAt.begin, keys, meshes))
        return broken;
    QHash<QByteArrayView, int> firstOf;
    std::vector<int> indexOf;
    QByteArray shared = "[";
    for (const JsonText::Span &mesh : meshes) {
        const auto found = firstOf.constFind(json.view(mesh));
        if (found != firstOf.cend()) {
            indexOf.push_back(*found);
            continue;
        }
        indexOf.push_back(int(firstOf.size()));
        firstOf.insert(json.view(mesh), int(firstOf.size()));
        if (shared.size() > 1)
            shared += ',';
        shared += json.view(mesh);
    }
    shared += ']';

    // Each node's mesh number given anew, where it has one.
    struct Change {
        JsonText::Span span;
        QByteArray with;
    };
    std::vector<Change> changes{{meshesAt, shared}};
    std::vector<JsonText::Span> nodes, nodeKeys, nodeValues;
    if (!json.items(nodesAt.begin, keys, nodes))
        return broken;
    for (const JsonText::Span &node : nodes) {
        if (!json.items(node.begin, nodeKeys, nodeValues))
            return broken;
        for (size_t i = 0; i < nodeKeys.size(); ++i) {
            if (json.view(nodeKeys[i]) != "\"mesh\"")
                continue;
            bool number = false;
            const int mesh = json.view(nodeValues[i]).toInt(&number);
            if (!number || mesh < 0 || size_t(mesh) >= indexOf.size())
                return broken;
            changes.push_back({nodeValues[i], QByteArray::number(indexOf[size_t(mesh)])});
        }
    }
    std::sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.span.begin < b.span.begin; });
    QByteArray rewritten;
    rewritten.reserve(text.size());
    qsizetype from = 0;
    for (const Change &change : changes) {
        rewritten += QByteArrayView(text.constData() + from, change.span.begin - from);
        rewritten += change.with;
        from = change.span.end;
    }
    rewritten += QByteArrayView(text.constData() + from, text.size() - from);
    while (rewritten.endsWith(' '))
        rewritten.chop(1);
    rewritten.append((4 - rewritten.size() % 4) % 4, ' '); // chunks end on a four-byte boundary

    QByteArray out = glb.left(12);
    const auto append = [&](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    };
    append(quint32(rewritten.size()));
    append(0x4E4F534Au);
    out += rewritten;
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
