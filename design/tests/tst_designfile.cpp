// The design file: every field read from a file written by hand and written
// back to the same bytes, the worked example's wizard file made into a
// design, a table of bad files each refused with its sentence
// (data/bad-designs.txt, data/bad-attachments.txt), and what the model is
// handed; a deck hung on the house written as version 2, any other as 1.
#include "datatable.h"
#include "designfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace design;

class TestDesignFile : public QObject {
    Q_OBJECT
private slots:
    void readsEveryField();
    void writesEveryFieldBack();
    void readsAndWritesThe2DDeck();
    void madeFromTheWizardsFile();
    void readsAndWritesTheAttachment();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void refusesLongTexts();
    void readsOnlyRegularFiles();
    void writesWholeThroughTheOneWriter();
    void takesASuggestedFraming();

private:
    static void addBadRows(const QByteArray &good, const QList<QStringList> &rows);

private slots:
    void handsTheModelItsParameters();
};

void TestDesignFile::readsEveryField()
{
    const auto read = readDesignBytes(dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck")), QStringLiteral("x.jmdeck"));
    QVERIFY2(read, qPrintable(read.error()));
    const Design &d = *read;
    QCOMPARE(d.is2D, false);
    QCOMPARE(d.deck.deckType, 4);
    QCOMPARE(d.deck.fileName, QStringLiteral("Deck_L-Shape.txt"));
    // A, B, height, overhangs X and Z, post spacing and size, beam spacing,
    // height, ply and plies, joist height, width and spacing, decking
    // thickness, width and gap.
    QCOMPARE((QList<double>{d.deck.depthA, d.deck.widthB, d.deck.height, d.deck.overhangX, d.deck.overhangZ, d.deck.postSpacing,
                            d.deck.postSize, d.deck.beamSpacing, d.deck.beamHeight, d.deck.beamPly, double(d.deck.beamPlies),
                            d.deck.joistHeight, d.deck.joistWidth, d.deck.joistSpacing, d.deck.deckingThickness,
                            d.deck.deckingWidth, d.deck.deckingGap}),
             (QList<double>{20, 14.5, 4.25, 1.75, 1, 9.5, 6, 7.5, 11.25, 1.5, 3, 9.25, 1.5, 16, 1.5, 3.5, 0.125}));
    QCOMPARE(d.deck.materials, (QStringList{"6 inch x 6 inch Square Posts", "14 foot 2x12 Beams", "10 foot 2x10 Joists",
                                            "2x4 Pieces of Decking"}));
    QCOMPARE(int(d.deck.viewingMode), 2);
    QCOMPARE(d.stair, (deckmodel::StairLayout{true, 2, 60, 42}));
    QCOMPARE(d.guardsBelow30, true);
    QCOMPARE(d.code, (deckmodel::CodeSettings{deckmodel::Species::DouglasFirLarch, 50, 2000, deckmodel::FootingShape::Square}));
    QCOMPARE(d.wastePercent, 12.5);
    QCOMPARE(d.project, (Project{"Ana Ruiz", "12 Elm St, Springfield", "B. Chen", "Footings poured first.\nPermit 24-118.",
                                 60, 120, 10.5, 40, 15, 36}));
    QCOMPARE(d.origin.wizardFolder, QStringLiteral("/home/ana/Joistmaster"));
    QCOMPARE(d.origin.deckFile, QStringLiteral("Deck_L-Shape.txt"));
    QCOMPARE(d.origin.at, QDateTime(QDate(2026, 5, 1), QTime(14, 30), Qt::UTC));
}

void TestDesignFile::writesEveryFieldBack()
{
    const QByteArray bytes = dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck"));
    const auto read = readDesignBytes(bytes, QStringLiteral("x.jmdeck"));
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(byteLines(designBytes(*read)), byteLines(bytes));
}

void TestDesignFile::readsAndWritesThe2DDeck()
{
    const QByteArray bytes = dataBytes(QStringLiteral(JM_TESTDATA "/plan-style-7.jmdeck"));
    const auto read = readDesignBytes(bytes, QStringLiteral("x.jmdeck"));
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(read->is2D, true);
    QCOMPARE(read->plan.style, 7);
    QCOMPARE(read->plan.widthFeet, 18.5);
    QCOMPARE(read->project.owner, QStringLiteral("Ana Ruiz"));
    QCOMPARE(nameOf(*read), QStringLiteral("Deck 7"));
    QCOMPARE(byteLines(designBytes(*read)), byteLines(bytes));
    // The same design made from the 2D hand-off.
    Design made = from2D({7, 18.5}, QStringLiteral("/home/ana/Joistmaster"), QDateTime(QDate(2026, 12, 7), QTime(21, 5, 9, 250), Qt::UTC));
    made.project.owner = QStringLiteral("Ana Ruiz");
    QCOMPARE(byteLines(designBytes(made)), byteLines(bytes));
}

void TestDesignFile::madeFromTheWizardsFile()
{
    const QString file = QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt");
    const auto read = deckfile::readDeckFile(dataBytes(file), QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY2(read, qPrintable(read.error()));
    const Design made = fromParameters(*read, file, QDateTime(QDate(2026, 12, 7), QTime(21, 5, 9, 700), Qt::UTC));
    QCOMPARE(nameOf(made), QStringLiteral("Rectangle"));
    QByteArray expected = dataBytes(QStringLiteral(JM_TESTDATA "/worked-example.jmdeck"));
    expected.replace("@FOLDER@", QFileInfo(file).absolutePath().toUtf8());
    QCOMPARE(byteLines(designBytes(made)), byteLines(expected));
}

void TestDesignFile::readsAndWritesTheAttachment()
{
    const QByteArray bytes = dataBytes(QStringLiteral(JM_TESTDATA "/attached.jmdeck"));
    const auto read = readDesignBytes(bytes, QStringLiteral("x.jmdeck"));
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(read->attachment, (deckmodel::Attachment{true, 3, deckmodel::HouseFraming::BandJoist,
                                                      deckmodel::LedgerFastener::Lag, 0.5}));
    QCOMPARE(extrasOf(*read).attachment, read->attachment);
    QCOMPARE(byteLines(designBytes(*read)), byteLines(bytes));
    // Free-standing again: version 1, no attachment, as earlier files were.
    Design free = *read;
    free.attachment = {};
    QByteArray expected = bytes;
    expected.replace("    \"attachment\": {\n        \"edge\": 3,\n        \"fastener\": \"lag\",\n        \"sheathingIn\": 0.5,\n"
                     "        \"to\": \"band-joist\"\n    },\n", "");
    expected.replace("\"version\": 2,", "\"version\": 1,");
    QCOMPARE(byteLines(designBytes(free)), byteLines(expected));
    // An earlier file stands free of the house.
    const auto old = readDesignBytes(expected, QStringLiteral("x.jmdeck"));
    QVERIFY2(old, qPrintable(old.error()));
    QCOMPARE(old->attachment.attached, false);
    // Other framing and fasteners read as written.
    QByteArray other = bytes;
    other.replace("\"band-joist\"", "\"rim-board\"").replace("\"lag\"", "\"bolt-washers\"").replace("0.5,", "0.75,");
    const auto changed = readDesignBytes(other, QStringLiteral("x.jmdeck"));
    QVERIFY2(changed, qPrintable(changed.error()));
    QCOMPARE(changed->attachment, (deckmodel::Attachment{true, 3, deckmodel::HouseFraming::RimBoard,
                                                         deckmodel::LedgerFastener::BoltWashers, 0.75}));
}

void TestDesignFile::refusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck"));
    const QList<QStringList> rows = dataTable(QStringLiteral(JM_TESTDATA "/bad-designs.txt"));
    QCOMPARE(rows.size(), 70);
    addBadRows(good, rows);
    const QList<QStringList> attached = dataTable(QStringLiteral(JM_TESTDATA "/bad-attachments.txt"));
    QCOMPARE(attached.size(), 7);
    addBadRows(dataBytes(QStringLiteral(JM_TESTDATA "/attached.jmdeck")), attached);
}

void TestDesignFile::addBadRows(const QByteArray &good, const QList<QStringList> &rows)
{
    for (QStringList row : rows) {
        for (QString &field : row) { // the blank each side of a '|'
            if (field.startsWith(u' '))
                field.remove(0, 1);
            if (field.endsWith(u' '))
                field.chop(1);
        }
        QByteArray bytes = good;
        if (row[1] == u"@all")
            bytes = row[2].toUtf8();
        else if (row[1].startsWith(u"@cut "))
            bytes = good.left(row[1].mid(5).toInt());
        else if (!bytes.contains(row[1].toUtf8()))
            qFatal("row \"%s\": the text to replace is not in the file", qPrintable(row[0]));
        else
            bytes.replace(row[1].toUtf8(), row[2].toUtf8());
        QTest::newRow(qPrintable(row[0])) << bytes << row[3];
    }
}

void TestDesignFile::refusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const auto read = readDesignBytes(bytes, QStringLiteral("bad.jmdeck"));
    QCOMPARE(read.error(), message);
}

void TestDesignFile::refusesLongTexts()
{
    QByteArray good = dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck"));
    QByteArray owner = good, notes = good, notesAtMost = good, material = good;
    owner.replace("\"Ana Ruiz\"", '"' + QByteArray(1001, 'a') + '"');
    QCOMPARE(readDesignBytes(owner, QStringLiteral("d.jmdeck")).error(),
             QStringLiteral("\"d.jmdeck\": project.owner holds 1001 characters, more than the 1000 a design may hold there."));
    notes.replace("\"Footings poured first.\\nPermit 24-118.\"", '"' + QByteArray(10001, 'n') + '"');
    QCOMPARE(readDesignBytes(notes, QStringLiteral("d.jmdeck")).error(),
             QStringLiteral("\"d.jmdeck\": project.notes holds 10001 characters, more than the 10000 a design may hold there."));
    notesAtMost.replace("\"Footings poured first.\\nPermit 24-118.\"", '"' + QByteArray(10000, 'n') + '"');
    QVERIFY(readDesignBytes(notesAtMost, QStringLiteral("d.jmdeck")));
    material.replace("\"14 foot 2x12 Beams\"", '"' + QByteArray(1001, 'b') + '"');
    QCOMPARE(readDesignBytes(material, QStringLiteral("d.jmdeck")).error(),
             QStringLiteral("\"d.jmdeck\": materials holds a line that is no text of one line of at most 1000 characters."));
}

void TestDesignFile::readsOnlyRegularFiles()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("deck.jmdeck"));
    QVERIFY(QDir().mkpath(folder));
    const auto read = readDesign(folder);
    QVERIFY(!read);
    QVERIFY2(read.error().contains(QStringLiteral("folder")), qPrintable(read.error()));
    QFile big(dir.filePath(QStringLiteral("big.jmdeck")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(4 * 1024 * 1024 + 1, ' '));
    big.close();
    QVERIFY(!readDesign(big.fileName()));
}

void TestDesignFile::writesWholeThroughTheOneWriter()
{
    QTemporaryDir dir;
    const QByteArray bytes = dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck"));
    const Design design = *readDesignBytes(bytes, QStringLiteral("x.jmdeck"));
    // A link at the target is replaced, and what it pointed to left alone.
    const QString other = dir.filePath(QStringLiteral("other.txt"));
    QFile o(other);
    QVERIFY(o.open(QIODevice::WriteOnly));
    o.write("keep");
    o.close();
    const QString path = dir.filePath(QStringLiteral("deck.jmdeck"));
    QVERIFY(QFile::link(other, path));
    QVERIFY(writeDesign(path, design));
    QCOMPARE(dataBytes(other), QByteArray("keep"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(dataBytes(path), bytes);
    const auto again = readDesign(path);
    QVERIFY2(again, qPrintable(again.error()));
    QCOMPARE(designBytes(*again), bytes);
    QVERIFY(!writeDesign(dir.path(), design));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

void TestDesignFile::takesASuggestedFraming()
{
    const Design d = *readDesignBytes(dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck")), QStringLiteral("x.jmdeck"));
    deckfile::DeckParameters framing;
    framing.depthA = 99; framing.widthB = 99; framing.height = 9; framing.deckingWidth = 9; framing.deckType = 1;
    framing.overhangX = 0.5; framing.overhangZ = 1.25; framing.postSpacing = 7; framing.postSize = 4;
    framing.beamSpacing = 11; framing.beamHeight = 9.25; framing.beamPly = 1.5; framing.beamPlies = 1;
    framing.joistHeight = 7.25; framing.joistWidth = 1.5; framing.joistSpacing = 24;
    const Design changed = withFraming(d, framing);
    const QByteArray bytes = designBytes(changed);
    QVERIFY(bytes.contains("\"overhangXFt\": 0.5,"));
    QVERIFY(bytes.contains("\"overhangZFt\": 1.25,"));
    QVERIFY(bytes.contains("\"postSpacingFt\": 7\n"));
    QVERIFY(bytes.contains("\"postSizeIn\": 4,"));
    QVERIFY(bytes.contains("\"beamSpacingFt\": 11,"));
    QVERIFY(bytes.contains("\"beamDepthIn\": 9.25,"));
    QVERIFY(bytes.contains("\"beamPlies\": 1,"));
    QVERIFY(bytes.contains("\"joistDepthIn\": 7.25,"));
    QVERIFY(bytes.contains("\"joistSpacingIn\": 24,"));
    // The shape, the decking and all else as they were.
    Design back = withFraming(changed, d.deck);
    QCOMPARE(designBytes(back), designBytes(d));
    QCOMPARE(changed.deck.depthA, 20.0);
    QCOMPARE(changed.deck.deckingWidth, 3.5);
    QCOMPARE(changed.deck.deckType, 4);
}

void TestDesignFile::handsTheModelItsParameters()
{
    Design d = *readDesignBytes(dataBytes(QStringLiteral(JM_TESTDATA "/every-field.jmdeck")), QStringLiteral("x.jmdeck"));
    d.deck.fileName = QStringLiteral("whatever.txt");
    QCOMPARE(parametersOf(d).fileName, QStringLiteral("Deck_L-Shape.txt"));
    const deckmodel::Extras extras = extrasOf(d);
    QCOMPARE(extras.guardsBelow30, true);
    QCOMPARE(extras.stair, (deckmodel::StairLayout{true, 2, 60, 42}));
    QVERIFY(isDesignPath(QStringLiteral("/a/b/Back deck.JMDECK")));
    QVERIFY(!isDesignPath(QStringLiteral("/a/b/Deck_Rectangle.txt")));
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_designfile.moc"
