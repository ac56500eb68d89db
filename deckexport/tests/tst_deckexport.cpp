// The files a deck is written to, read back: the STEP file by Open CASCADE
// itself (one named solid per member, the guards' and the stair's too, in
// inches) and the glTF file's header.
#include "deckcases.h"
#include "deckexport.h"

#include <Bnd_Box.hxx>
#include <BRepBndLib.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <TDataStd_Name.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace deckmodel;

class TestDeckExport : public QObject {
    Q_OBJECT
private slots:
    void stepReadBack()
    {
        const jm::Result<Deck> built = buildDeck(workedExample());
        QVERIFY(built);
        QTemporaryDir folder;
        // Links planted where a writer with fixed temporary names would write:
        // the file they point to is never touched.
        QFile victim(folder.filePath(QStringLiteral("victim")));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("kept") == 4);
        victim.close();
        const QStringList planted{"deck.step.part", "deck.glb.part", "deck.glb.bin.tmp", "deck.glb.part.bin.tmp"};
        for (const QString &name : planted)
            QVERIFY(QFile::link(victim.fileName(), folder.filePath(name)));
        const QString path = folder.filePath(QStringLiteral("deck.step"));
        QCOMPARE(writeDeck(*built, path, Format::Step).error(), QString());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"deck.glb.bin.tmp", "deck.glb.part", "deck.glb.part.bin.tmp", "deck.step", "deck.step.part", "victim"}));

        Handle(TDocStd_Document) doc;
        XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc);
        XCAFDoc_DocumentTool::SetLengthUnit(doc, 1, UnitsMethods_LengthUnit_Inch);
        STEPCAFControl_Reader reader;
        reader.SetNameMode(true);
        QCOMPARE(reader.ReadFile(path.toLocal8Bit().constData()), IFSelect_RetDone);
        QVERIFY(reader.Transfer(doc));
        const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
        TDF_LabelSequence labels;
        shapes->GetFreeShapes(labels);
        QStringList names;
        Bnd_Box box;
        for (const TDF_Label &label : labels) {
            const TopoDS_Shape shape = shapes->GetShape(label);
            int solids = 0;
            for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next())
                ++solids;
            QCOMPARE(solids, 1);
            BRepBndLib::Add(shape, box);
            Handle(TDataStd_Name) name;
            if (label.FindAttribute(TDataStd_Name::GetID(), name))
                names << QString::fromUtf16(reinterpret_cast<const char16_t *>(name->Get().ToExtString()));
        }
        // 6 posts, 3 beams of 2 plies, 4 rim joists, 11 joists, 34 decking
        // boards; the guard's 16 posts, 11 bays of a top and a bottom rail and
        // 116 balusters; the stair's post, 3 stringers of 4 steps, 4 treads of
        // 2 boards, a handrail of 14 steps and its pad (docs/deck-model.md).
        QStringList expected;
        for (const auto &[kind, count] : {std::pair{"Post %1", 6}, {"Rim joist %1", 4}, {"Joist %1", 11}, {"Decking board %1", 34},
                                          {"Guard post %1", 16}, {"Top rail %1", 11}, {"Bottom rail %1", 11},
                                          {"Baluster %1", 116}, {"Handrail 1 step %1", 14}})
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
        QCOMPARE(labels.Length(), 251);
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

        // The same deck as glTF: its magic and its members' names.
        QCOMPARE(writeDeck(*built, folder.filePath(QStringLiteral("deck.glb")), Format::Glb).error(), QString());
        QFile glb(folder.filePath(QStringLiteral("deck.glb")));
        QVERIFY(glb.open(QIODevice::ReadOnly));
        const QByteArray bytes = glb.readAll();
        QCOMPARE(bytes.left(4), QByteArray("glTF"));
        QVERIFY(bytes.contains("Decking board 34") && bytes.contains("Post 6") && bytes.contains("Baluster 116")
                && bytes.contains("Landing pad"));
        QCOMPARE(QFile(victim.fileName()).size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestDeckExport)
#include "tst_deckexport.moc"
