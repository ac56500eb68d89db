// The files a deck is written to, read back: the STEP file by Open CASCADE
// itself (one named solid per member, in inches), the glTF file's header,
// and the refusal of a format it does not write.
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
        const BuildResult built = buildDeck(workedExample());
        QVERIFY(built.deck);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("deck.step"));
        QCOMPARE(writeDeck(*built.deck, path, Format::Step), QString());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"deck.step"});

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
        // 6 posts, 6 beam plies, 4 rim joists, 11 joists, 34 decking boards.
        QCOMPARE(labels.Length(), 61);
        QCOMPARE(names.size(), 61);
        for (const char *expected : {"Post 6", "Beam 3 ply 2", "Rim joist 4", "Joist 11", "Decking board 34"})
            QVERIFY2(names.contains(QLatin1String(expected)), expected);
        QCOMPARE(names.count(QStringLiteral("Post 7")), 0);
        // The deck in inches: 144 along X, 36 high, 192 along Z.
        double x0, y0, z0, x1, y1, z1;
        box.Get(x0, y0, z0, x1, y1, z1);
        QVERIFY2(std::abs(x1 - x0 - 144) < 0.01 && std::abs(y1 - y0 - 36) < 0.01 && std::abs(z1 - z0 - 192) < 0.01,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(x1 - x0).arg(y1 - y0).arg(z1 - z0)));
    }

    void glbHeader()
    {
        const BuildResult built = buildDeck(workedExample());
        QVERIFY(built.deck);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("deck.glb"));
        QCOMPARE(writeDeck(*built.deck, path, Format::Glb), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.left(4), QByteArray("glTF"));
        QVERIFY(bytes.contains("Decking board 34") && bytes.contains("Post 6"));
    }

    void refusesUnknownFormat()
    {
        QTemporaryDir folder;
        QCOMPARE(renderDeck(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"),
                            folder.filePath(QStringLiteral("deck.dxf"))),
                 "\"deck.dxf\" names no format this host writes (.step, .glb or .csv).");
        QVERIFY(QDir(folder.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDeckExport)
#include "tst_deckexport.moc"
