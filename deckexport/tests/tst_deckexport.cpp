// The files a deck is written to, read back: the STEP file by Open CASCADE
// itself (a named component per member, the guards' and the stair's too, in
// inches, each placing its piece's one solid) and the glTF file's nodes.
#include "datatable.h"
#include "deckcases.h"
#include "deckexport.h"
#include "hiddenline.h"
#include "kernelmodule.h"

#include <Bnd_Box.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <TDataStd_Name.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <XCAFApp_Application.hxx>
#include <Quantity_Color.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>

#include <array>
#include <cmath>
#include <utility>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace deckmodel;

namespace {
// A STEP file read back through the kernel, lengths in inches; none where it
// cannot be read.
Handle(TDocStd_Document) readStep(const QString &path)
{
    Handle(TDocStd_Document) doc;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc);
    XCAFDoc_DocumentTool::SetLengthUnit(doc, 1, UnitsMethods_LengthUnit_Inch);
    STEPCAFControl_Reader reader;
    reader.SetNameMode(true);
    if (reader.ReadFile(path.toLocal8Bit().constData()) != IFSelect_RetDone || !reader.Transfer(doc))
        return {};
    return doc;
}

// A label's name, empty where it has none.
QString labelName(const TDF_Label &label)
{
    Handle(TDataStd_Name) name;
    if (!label.FindAttribute(TDataStd_Name::GetID(), name))
        return {};
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(name->Get().ToExtString()));
}

// A deck written as STEP and read back: the shape tool and the roots (the
// free shapes); no document where it could not be written or read.
struct StepRoots {
    Handle(TDocStd_Document) doc;
    Handle(XCAFDoc_ShapeTool) shapes;
    TDF_LabelSequence roots;
};
StepRoots writtenAndReadBack(const Deck &deck, const QString &path)
{
    StepRoots step;
    if (!writeDeck(deck, path, Format::Step).error().isEmpty())
        return step;
    step.doc = readStep(path);
    if (step.doc.IsNull())
        return step;
    step.shapes = XCAFDoc_DocumentTool::ShapeTool(step.doc->Main());
    step.shapes->GetFreeShapes(step.roots);
    return step;
}

// A box of a member 1.5 thick, its plan from (x0, z0) to (x1, z1).
Member box(Kind kind, const char *name, double x0, double z0, double x1, double z1, double base)
{
    Member m;
    m.kind = kind;
    m.name = QString::fromLatin1(name);
    m.plan = {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}};
    m.base = base;
    m.thickness = 1.5;
    return m;
}

// The lines seen along a view (its eye and its right), each "x0 y0 x1 y1"
// from its smaller end, sorted: the seen, the hidden.
std::pair<QStringList, QStringList> seenAndHidden(const HiddenLines &lines, Direction eye, Direction right,
                                                  HiddenPieces pieces)
{
    QStringList seen, hidden;
    for (const ViewSegment &s : lines.project(eye, right, pieces)) {
        std::array<double, 4> ends{s.x0, s.y0, s.x1, s.y1};
        if (std::pair(s.x1, s.y1) < std::pair(s.x0, s.y0))
            ends = {s.x1, s.y1, s.x0, s.y0};
        QStringList words;
        for (double v : ends)
            words << QString::number(std::abs(v) < 1e-9 ? 0 : v, 'f', 3);
        (s.visible ? seen : hidden) << words.join(u' ');
    }
    seen.sort();
    hidden.sort();
    return {seen, hidden};
}

// The lines seen from above (view X along the deck's X, view Y along -Z).
std::pair<QStringList, QStringList> fromAbove(const HiddenLines &lines, HiddenPieces pieces = HiddenPieces::Drawn)
{
    return seenAndHidden(lines, {0, 1, 0}, {1, 0, 0}, pieces);
}

// A glTF file's JSON chunk.
QJsonObject glbJson(const QString &path)
{
    QFile glb(path);
    const QByteArray bytes = glb.open(QIODevice::ReadOnly) ? glb.readAll() : QByteArray(20, '\0');
    const qsizetype binAt = 20 + qsizetype(qFromLittleEndian<quint32>(bytes.constData() + 12));
    return QJsonDocument::fromJson(bytes.mid(20, binAt - 20)).object();
}

// The worked example hung on the house along `edge` (0 back, 3 left).
jm::Result<Deck> hungExample(int edge)
{
    return buildDeck(workedExample(), hungOn(edge));
}
} // namespace

class TestDeckExport : public QObject {
    Q_OBJECT
private slots:
    // A kernel module beside the program, else in the build's bin/ beside
    // the program's folder (a test's or a benchmark's).
    void kernelModulePlaces_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("hiddenLines");
        QTest::addColumn<QStringList>("places");
        QTest::addRow("installed") << "/usr/lib/joistmaster" << false
                                   << QStringList{"/usr/lib/joistmaster/joistmaster-step", "/usr/lib/bin/joistmaster-step"};
        QTest::addRow("a build's tests") << "/w/build/tests" << false
                                         << QStringList{"/w/build/tests/joistmaster-step", "/w/build/bin/joistmaster-step"};
        QTest::addRow("a build's bin") << "/w/build/bin" << false
                                       << QStringList{"/w/build/bin/joistmaster-step", "/w/build/bin/joistmaster-step"};
        QTest::addRow("unknown") << "" << false << QStringList();
        QTest::addRow("the hidden lines' module") << "/usr/lib/joistmaster" << true
                                   << QStringList{"/usr/lib/joistmaster/joistmaster-lines", "/usr/lib/bin/joistmaster-lines"};
    }
    void kernelModulePlaces()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, hiddenLines);
        QFETCH(QStringList, places);
        QCOMPARE(deckmodel::kernelModulePlaces(programFolder, hiddenLines ? HiddenLineModuleFile : StepModuleFile), places);
    }

    // This test's own run finds the two modules in the build's bin/ and
    // uses them; each holds its own part only.
    void theKernelModulesAreFound()
    {
        const jm::Result<const KernelModule *> step = kernelModule(KernelPart::StepFile);
        QVERIFY2(step, qPrintable(step.error()));
        QCOMPARE((*step)->version, 3);
        QVERIFY((*step)->hiddenLines == nullptr);
        const Deck built = framed(workedExample());
        QCOMPARE(buildSolids(built), int(built.members.size())); // every member a solid
        const jm::Result<const KernelModule *> lines = kernelModule(KernelPart::HiddenLines);
        QVERIFY2(lines, qPrintable(lines.error()));
        QCOMPARE((*lines)->version, 3);
        QVERIFY((*lines)->writeSolids == nullptr && (*lines)->buildSolids == nullptr);
        QCOMPARE(HiddenLines(built.members).solids(), int(built.members.size()));
    }

    // Seen from above (view X along the deck's X, view Y along -Z), each
    // member's top edges are seen and its bottom edges hidden under them; a
    // rail along X is the piece of a rail along Z turned, so a wrong turn or
    // move shows here. Segments as "x0 y0 x1 y1", each from its smaller end.
    void hiddenLinesOfPlacedPieces()
    {
        const std::vector<Member> members{box(Kind::GuardRail, "Top rail 1", 0, 0, 3.5, 60, 70),
                                          box(Kind::GuardRail, "Top rail 2", 12, 100, 72, 103.5, 70)};
        const HiddenLines lines(members);
        QCOMPARE(lines.solids(), 2);
        const auto [seen, hidden] = fromAbove(lines);
        QStringList outlines{"0.000 -60.000 0.000 0.000", "0.000 -60.000 3.500 -60.000", "0.000 0.000 3.500 0.000",
                             "3.500 -60.000 3.500 0.000", "12.000 -103.500 12.000 -100.000",
                             "12.000 -103.500 72.000 -103.500", "12.000 -100.000 72.000 -100.000",
                             "72.000 -103.500 72.000 -100.000"};
        outlines.sort();
        QCOMPARE(seen, outlines);
        QCOMPARE(hidden, outlines);
    }

    // A block under a board, seen from above: drawn with its hidden pieces,
    // the block's top and bottom outlines are hidden under the board's; without
    // them, the block is left out and the board's lines are the same.
    void membersHiddenWholeLeftOut_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::addColumn<QStringList>("hiddenLines");
        const QStringList board{"0.000 -10.000 0.000 0.000", "0.000 -10.000 10.000 -10.000",
                                "0.000 0.000 10.000 0.000", "10.000 -10.000 10.000 0.000"};
        const QStringList block{"2.000 -8.000 2.000 -2.000", "2.000 -8.000 8.000 -8.000", "2.000 -2.000 8.000 -2.000",
                                "8.000 -8.000 8.000 -2.000"};
        QTest::newRow("hidden pieces drawn") << int(HiddenPieces::Drawn) << board + block + block;
        QTest::newRow("hidden pieces not drawn") << int(HiddenPieces::NotDrawn) << board;
    }
    void membersHiddenWholeLeftOut()
    {
        QFETCH(int, pieces);
        QFETCH(QStringList, hiddenLines);
        const HiddenLines lines({box(Kind::Joist, "Board", 0, 0, 10, 10, 10), box(Kind::Joist, "Block", 2, 2, 8, 8, 8.5)});
        const auto [seen, hidden] = fromAbove(lines, HiddenPieces(pieces));
        hiddenLines.sort();
        QCOMPARE(seen, (QStringList{"0.000 -10.000 0.000 0.000", "0.000 -10.000 10.000 -10.000",
                                    "0.000 0.000 10.000 0.000", "10.000 -10.000 10.000 0.000"}));
        QCOMPARE(hidden, hiddenLines);
    }

    // A box seen askew shows three faces: their nine edges are seen, and the
    // three edges where the faces turned away meet are hidden behind the box.
    // Without the hidden pieces, the faces turned away are left out: the same
    // nine edges seen, none hidden.
    void facesTurnedAwayLeftOut()
    {
        Member box;
        box.kind = Kind::Post;
        box.name = QStringLiteral("Post 1");
        box.plan = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        box.thickness = 10;
        const HiddenLines lines({box});
        const double e = std::sqrt(14.0), r = std::sqrt(10.0);
        const auto project = [&](HiddenPieces pieces) {
            const auto [seen, hidden] = seenAndHidden(lines, {1 / e, 2 / e, 3 / e}, {3 / r, 0, -1 / r}, pieces);
            return std::pair(seen, hidden.size());
        };
        const auto [drawnSeen, drawnHidden] = project(HiddenPieces::Drawn);
        QCOMPARE(drawnSeen.size(), 9);
        QCOMPARE(drawnHidden, 3);
        const auto [seen, hidden] = project(HiddenPieces::NotDrawn);
        QCOMPARE(seen, drawnSeen);
        QCOMPARE(hidden, 0);
    }

    void stepReadBack()
    {
        const Deck built = framed(workedExample());
        QTemporaryDir folder;
        // Links planted where a writer with fixed temporary names would write:
        // the file they point to is never touched.
        QFile victim(folder.filePath(QStringLiteral("victim")));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("kept") == 4);
        victim.close();
        const QStringList planted{"deck.step.part", "deck.glb.part", "deck.glb.bin.tmp", "deck.glb.part.bin.tmp"};
        for (const QString &name : planted)
            QVERIFY(QFile::link(victim.fileName(), folder.filePath(name)));
        const StepRoots step = writtenAndReadBack(built, folder.filePath(QStringLiteral("deck.step")));
        QVERIFY(!step.doc.IsNull());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"deck.glb.bin.tmp", "deck.glb.part", "deck.glb.part.bin.tmp", "deck.step", "deck.step.part", "victim"}));
        // One assembly, the deck, with a component for each member, named as
        // the member; each component places the one solid of its piece.
        const Handle(XCAFDoc_ShapeTool) &shapes = step.shapes;
        const TDF_LabelSequence &free = step.roots;
        QCOMPARE(free.Length(), 1);
        QVERIFY(shapes->IsAssembly(free.Value(1)));
        TDF_LabelSequence labels;
        QVERIFY(shapes->GetComponents(free.Value(1), labels));
        QStringList names;
        QStringList kinds; // "Baluster 116 6655.50": solids and cubic inches of each kind
        QMap<QString, std::pair<int, double>> ofKind;
        QSet<QString> pieces;
        Bnd_Box box;
        for (const TDF_Label &label : labels) {
            const TopoDS_Shape shape = shapes->GetShape(label);
            int solids = 0;
            names << labelName(label);
            const QString kind = names.back().section(QRegularExpression(QStringLiteral(" \\d")), 0, 0);
            for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
                ++solids;
                GProp_GProps properties;
                BRepGProp::VolumeProperties(e.Current(), properties);
                ++ofKind[kind].first;
                ofKind[kind].second += properties.Mass();
            }
            QCOMPARE(solids, 1);
            BRepBndLib::Add(shape, box);
            TDF_Label piece;
            QVERIFY(shapes->GetReferredShape(label, piece));
            TCollection_AsciiString entry;
            TDF_Tool::Entry(piece, entry);
            pieces << QString::fromLatin1(entry.ToCString());
        }
        for (auto k = ofKind.cbegin(); k != ofKind.cend(); ++k)
            kinds << QStringLiteral("%1 %2 %3").arg(k.key()).arg(k->first).arg(k->second, 0, 'f', 2);
        QCOMPARE(kinds, dataLines(JM_TESTDATA "/worked-example-step-kinds.txt"));
        // A solid for each piece: the beam plies, the posts, the joists, the
        // balusters, the treads' boards, the handrail's steps, the pad and the
        // riser boards one each; the rim joists two (across and along), the decking boards two
        // (whole and the ripped last), the guard posts two (the deck's and the
        // stair's), the guard rails three (bay lengths), the stringers two
        // (the first step and the rest): 19.
        QCOMPARE(pieces.size(), 19);
        // 6 posts, 3 beams of 2 plies, 4 rim joists, 11 joists, 34 decking
        // boards; the guard's 16 posts, 11 bays of a top and a bottom rail and
        // 116 balusters; the stair's post, 3 stringers of 4 steps, 4 treads of
        // 2 boards, a handrail of 14 steps, its pad and 3 riser boards between
        // the treads (docs/deck-model.md).
        QStringList expected;
        for (const auto &[kind, count] : {std::pair{"Post %1", 6}, {"Rim joist %1", 4}, {"Joist %1", 11}, {"Decking board %1", 34},
                                          {"Guard post %1", 16}, {"Top rail %1", 11}, {"Bottom rail %1", 11},
                                          {"Baluster %1", 116}, {"Handrail 1 step %1", 14}, {"Riser %1", 3}})
            for (int i = 1; i <= count; ++i)
                expected << QString::fromLatin1(kind).arg(i);
        for (int beam = 1; beam <= 3; ++beam)
            expected << QStringLiteral("Beam %1 ply 1").arg(beam) << QStringLiteral("Beam %1 ply 2").arg(beam);
        for (int step = 1; step <= 4; ++step)
            for (int n = 1; n <= 3; ++n)
                expected << QStringLiteral("Stringer %1 step %2").arg(n).arg(step);
        for (int tread = 1; tread <= 4; ++tread)
            expected << QStringLiteral("Tread %1 board 1").arg(tread) << QStringLiteral("Tread %1 board 2").arg(tread);
        expected << "Stair post 1" << "Landing pad";
        QCOMPARE(labels.Length(), 254);
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
        // In inches: along X from the pad's far end, 81 beyond the front edge,
        // to the guard posts 3.5 beyond the back one; up from the pad's
        // underside 4 below the ground to the guard's top, 36 above the
        // decking at 36; along Z between the side guards' posts.
        double x0, y0, z0, x1, y1, z1;
        box.Get(x0, y0, z0, x1, y1, z1);
        const QString got = QStringLiteral("%1 %2 %3 %4 %5 %6").arg(x0).arg(x1).arg(y0).arg(y1).arg(z0).arg(z1);
        QVERIFY2(std::abs(x0 + 81) < 0.01 && std::abs(x1 - 147.5) < 0.01 && std::abs(y0 + 4) < 0.01
                     && std::abs(y1 - 72) < 0.01 && std::abs(z0 + 3.5) < 0.01 && std::abs(z1 - 195.5) < 0.01,
                 qPrintable(got));

        // The same deck as glTF: a node for each member, named as the member
        // and placing its piece's mesh, one mesh a piece; the binary chunk
        // right after the JSON one, the lengths adding up.
        QCOMPARE(writeDeck(built, folder.filePath(QStringLiteral("deck.glb")), Format::Glb).error(), QString());
        QFile glb(folder.filePath(QStringLiteral("deck.glb")));
        QVERIFY(glb.open(QIODevice::ReadOnly));
        const QByteArray bytes = glb.readAll();
        QCOMPARE(bytes.left(4), QByteArray("glTF"));
        const auto word = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
        QCOMPARE(qsizetype(word(8)), bytes.size());
        QCOMPARE(bytes.mid(16, 4), QByteArray("JSON"));
        const qsizetype binAt = 20 + qsizetype(word(12));
        QCOMPARE(binAt % 4, 0);
        QCOMPARE(bytes.mid(binAt + 4, 4), QByteArray("BIN\0", 4));
        QCOMPARE(binAt + 8 + qsizetype(word(binAt)), bytes.size());
        const QJsonObject json = QJsonDocument::fromJson(bytes.mid(20, binAt - 20)).object();
        const QJsonArray nodes = json.value(u"nodes").toArray();
        QCOMPARE(json.value(u"scenes").toArray().at(0).toObject().value(u"nodes").toArray().size(), 254);
        QStringList nodeNames;
        QSet<int> meshes;
        for (const QJsonValue &node : nodes) {
            nodeNames << node.toObject().value(u"name").toString();
            meshes << node.toObject().value(u"mesh").toInt(-1);
        }
        nodeNames.sort();
        QCOMPARE(nodeNames, expected);
        QCOMPARE(json.value(u"meshes").toArray().size(), 19);
        QCOMPARE(meshes.size(), 19);
        QVERIFY(!meshes.contains(-1));
        QCOMPARE(QFile(victim.fileName()).size(), 4);
    }

    // The worked example at 1 foot on 2x6 beams: six deck blocks in the STEP
    // file, each 11 x 11 x 8 inches (968 cubic inches), from 8 inches below
    // the ground up to it, in the blocks' grey; no post. (Their 11-inch side
    // is checked in inches by the model's own tests.)
    void deckBlocksInTheModel()
    {
        DeckParameters p = workedExample();
        p.height = 1, p.beamHeight = 5.5;
        const Deck built = framed(p);
        QTemporaryDir folder;
        const StepRoots step = writtenAndReadBack(built, folder.filePath(QStringLiteral("low.step")));
        QVERIFY(!step.doc.IsNull());
        const Handle(XCAFDoc_ShapeTool) &shapes = step.shapes;
        const Handle(XCAFDoc_ColorTool) colours = XCAFDoc_DocumentTool::ColorTool(step.doc->Main());
        TDF_LabelSequence labels;
        QVERIFY(step.roots.Length() == 1 && shapes->GetComponents(step.roots.Value(1), labels));
        QStringList blocks;
        int posts = 0;
        for (const TDF_Label &label : labels) {
            const QString named = labelName(label);
            posts += named.startsWith(u"Post ") ? 1 : 0;
            if (!named.startsWith(u"Deck block"))
                continue;
            const TopoDS_Shape shape = shapes->GetShape(label);
            GProp_GProps properties;
            BRepGProp::VolumeProperties(shape, properties);
            Bnd_Box box;
            BRepBndLib::Add(shape, box);
            double x0, y0, z0, x1, y1, z1;
            box.Get(x0, y0, z0, x1, y1, z1);
            TDF_Label piece;
            QVERIFY(shapes->GetReferredShape(label, piece));
            Quantity_Color colour;
            QVERIFY(colours->GetColor(piece, XCAFDoc_ColorSurf, colour));
            // A second reader in one process scales by the session's unit:
            // lengths are taken in the blocks' own side, 11 inches.
            const double inch = (x1 - x0) / 11;
            blocks << QStringLiteral("%1 %2 cu in, y %3 to %4, rgb %5 %6 %7")
                          .arg(named)
                          .arg(properties.Mass() / (inch * inch * inch), 0, 'f', 1)
                          .arg(std::round(y0 / inch * 100) / 100)
                          .arg(std::round(y1 / inch * 100) / 100)
                          .arg(colour.Red(), 0, 'f', 2)
                          .arg(colour.Green(), 0, 'f', 2)
                          .arg(colour.Blue(), 0, 'f', 2);
        }
        QCOMPARE(posts, 0);
        QStringList expected;
        for (int i = 1; i <= 6; ++i)
            expected << QStringLiteral("Deck block %1 968.0 cu in, y -8 to 0, rgb 0.59 0.59 0.57").arg(i);
        QCOMPARE(blocks, expected);
    }

    // A model that cannot be written names the file and why; the folder is
    // left as it was (data/write-failures.txt). (A full, read-only or another's folder: tests/faults/exports.sh.)
    void failuresNameFileAndReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("temporary");
        QTest::addColumn<QString>("expected");
        for (const QStringList &f : dataTable(JM_TESTDATA "/write-failures.txt", QStringLiteral(" | ")))
            QTest::newRow(qPrintable(f[0])) << f[1] << (f[2] == u"-" ? QString() : f[2]) << f[3];
    }

    void failuresNameFileAndReason()
    {
        QFETCH(QString, name);
        QFETCH(QString, temporary);
        QFETCH(QString, expected);
        const Deck built = framed(workedExample());
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder.step")));
        QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo.glb"))).constData(), 0600), 0);
        QFile file(folder.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept") == 4);
        file.close();
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const QByteArray oldTemporary = qgetenv("TMPDIR");
        if (!temporary.isEmpty())
            qputenv("TMPDIR", QFile::encodeName(QString(temporary).replace(QLatin1String("FOLDER"), folder.path())));
        const QString path = folder.filePath(name);
        const jm::Status written = writeDeck(built, path, name.endsWith(u".glb") ? Format::Glb : Format::Step);
        qputenv("TMPDIR", oldTemporary);
        QCOMPARE(written.error(), expected.replace(QLatin1String("FOLDER"), folder.path()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), before);
    }

    // Hung on the house: the ledger among the deck's members, the house wall
    // a solid and a node of its own beside the deck, named "house wall".
    void houseWallStandsApart()
    {
        const jm::Result<Deck> built = hungExample(3);
        QVERIFY(built);
        QTemporaryDir folder;
        const StepRoots step = writtenAndReadBack(*built, folder.filePath(QStringLiteral("deck.step")));
        QVERIFY(!step.doc.IsNull());
        const Handle(XCAFDoc_ShapeTool) &shapes = step.shapes;
        // Two roots: the deck's assembly of its members, and the house wall,
        // a solid of its own.
        const TDF_LabelSequence &free = step.roots;
        QCOMPARE(free.Length(), 2);
        QStringList roots;
        TDF_Label wallLabel, deckLabel;
        for (const TDF_Label &label : free) {
            roots << labelName(label);
            (roots.back() == u"house wall" ? wallLabel : deckLabel) = label;
        }
        roots.sort();
        QCOMPARE(roots, (QStringList{"Deck", "house wall"}));
        QVERIFY(!shapes->IsAssembly(wallLabel));
        TDF_LabelSequence components;
        QVERIFY(shapes->GetComponents(deckLabel, components));
        QStringList members;
        double joistVolume = 0;
        for (const TDF_Label &label : components) {
            members << labelName(label);
            if (members.back() == u"Joist 1") {
                GProp_GProps g;
                BRepGProp::VolumeProperties(shapes->GetShape(label), g);
                joistVolume = g.Mass();
            }
        }
        // The members and the 11 hangers on the ledger.
        QCOMPARE(members.size(), int(built->members.size()) + 11);
        QCOMPARE(QList<bool>({members.contains("Ledger hanger 11"), members.contains("Ledger hanger 12"), members.contains("Ledger"),
                              members.contains("Rim joist 4"), members.contains("house wall")}),
                 QList<bool>({true, false, true, false, false}));
        // 192 in (144 + 2 x 24) by 8 in by 132 in (36 + 96) high, against a
        // joist of 1.5 x 5.5 x 189 (a second reader in one run reads in
        // another unit: the ratio holds).
        GProp_GProps properties;
        BRepGProp::VolumeProperties(shapes->GetShape(wallLabel), properties);
        QVERIFY(joistVolume > 0);
        QCOMPARE(std::round(properties.Mass() / joistVolume * 1000), std::round(192.0 * 8 * 132 / (1.5 * 5.5 * 189) * 1000));

        QCOMPARE(writeDeck(*built, folder.filePath(QStringLiteral("deck.glb")), Format::Glb).error(), QString());
        const QJsonObject json = glbJson(folder.filePath(QStringLiteral("deck.glb")));
        QStringList nodeNames;
        for (const QJsonValue &node : json.value(u"nodes").toArray())
            nodeNames << node.toObject().value(u"name").toString();
        for (const char *name : {"house wall", "Ledger", "Ledger hanger 1"})
            QVERIFY2(nodeNames.count(QLatin1String(name)) == 1, name);
        QCOMPARE(json.value(u"scenes").toArray().at(0).toObject().value(u"nodes").toArray().size(), int(built->members.size()) + 11 + 1);
    }

    // Hung on the house along its back edge: framed turned, written where it
    // stands (every member's place where it stands is tst_ledger's): the
    // ledger along the back (X 142.5 to 144, Z 0 to 192), the wall behind it
    // (X 144 to 152, Z -24 to 216).
    void backEdgeDeckStandsAsPlanned()
    {
        const jm::Result<Deck> built = hungExample(0);
        QVERIFY(built);
        QTemporaryDir folder;
        const StepRoots step = writtenAndReadBack(*built, folder.filePath(QStringLiteral("back.step")));
        QVERIFY(!step.doc.IsNull());
        const Handle(XCAFDoc_ShapeTool) &shapes = step.shapes;
        const TDF_LabelSequence &free = step.roots;
        QCOMPARE(free.Length(), 2);
        QMap<QString, Bnd_Box> boxes;
        for (const TDF_Label &root : free) {
            TDF_LabelSequence components;
            if (!shapes->GetComponents(root, components)) {
                BRepBndLib::Add(shapes->GetShape(root), boxes[labelName(root)]);
                continue;
            }
            for (const TDF_Label &label : components)
                if (const QString name = labelName(label); name == u"Ledger")
                    BRepBndLib::Add(shapes->GetShape(label), boxes[name]);
        }
        QCOMPARE(boxes.size(), 2);
        double x0, y0, z0, x1, y1, z1;
        boxes[QStringLiteral("Ledger")].Get(x0, y0, z0, x1, y1, z1);
        // A second reader in one process reads in the session's unit: the
        // ledger's 1.5 in thickness sets the inch.
        const double inch = (x1 - x0) / 1.5;
        const auto at = [&](double v) { return std::round(v / inch * 100) / 100; };
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(at(x0)).arg(at(x1)).arg(at(z0)).arg(at(z1)), QStringLiteral("142.5 144 0 192"));
        boxes[QStringLiteral("house wall")].Get(x0, y0, z0, x1, y1, z1);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(at(x0)).arg(at(x1)).arg(at(z0)).arg(at(z1)), QStringLiteral("144 152 -24 216"));
    }
};

QTEST_GUILESS_MAIN(TestDeckExport)
#include "tst_deckexport.moc"
