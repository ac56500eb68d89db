// Reading the wizard's files as the host's symbols read them: every value of
// the worked example by its line, and every way a file can fail the model,
// each with the message that names the file and the line (data/reading.txt),
// and the 2D hand-off (data/handoff.txt).
#include "datatable.h"
#include "handoff.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace deckfile;

namespace {

QList<QStringList> tableRows(const char *name) { return dataTable(JM_TESTDATA "/" + QString(name), " | "); }
QByteArray workedExampleFile() { return dataBytes(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"); }

QByteArray withLine(int line, const QByteArray &text) { return withLines(workedExampleFile(), {{line, text}}); }

} // namespace

class TestDeckReading : public QObject {
    Q_OBJECT
private slots:
    void workedExampleValues()
    {
        const auto read = readDeckFile(workedExampleFile(), QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY2(read, qPrintable(read.error()));
        const DeckParameters &d = *read;
        const QList<double> got{double(d.deckType), d.depthA, d.widthB, d.height, d.overhangX, d.overhangZ,
                                d.postSpacing, d.postSize, d.beamSpacing, d.beamHeight, d.beamPly, d.joistHeight,
                                d.joistWidth, d.joistSpacing, d.deckingThickness, d.deckingWidth, d.deckingGap,
                                double(d.viewingMode)};
        const QList<double> lines{2, 16, 12, 3, 2, 2.5, 8, 4, 6, 7.25, 1.5, 5.5, 1.5, 12, 1, 5.5, .25, 0};
        QCOMPARE(got, lines);
        QCOMPARE(d.materials, (QStringList{"4 inch x 4 inch Square Posts", "12 foot 2x8 Beams", "8 foot 2x6 Joists",
                                           "2x6 Pieces of Decking"}));
    }

    // Each file read as a deck of the type its family and code give, or
    // refused with the message that names the file and the line.
    void reading_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("outcome");
        const QList<QStringList> rows = tableRows("reading.txt");
        QCOMPARE(rows.size(), 22);
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0])) << r.value(1)
                                            << (r.value(2) == u"-" ? workedExampleFile() : withLine(r.value(2).toInt(), r.value(3).toUtf8()))
                                            << r.value(4);
        QTest::newRow("short file") << "Deck_Rectangle.txt"
                                    << QByteArray("16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n"
                                                  "3        ' Y,   ', Deck Height\r\n")
                                    << "\"Deck_Rectangle.txt\" ends after line 3; a deck needs all 24 lines.";
        QTest::newRow("a beam size not in the list") << "Deck_Slice.txt" << dataBytes(JM_DECK3D_DATA "/Deck_Slice-unlisted-sizes.txt")
            << "The beam size is not one of 2 X 6, 2 X 8, 2 X 10, so Deck_Slice.txt has no beams (lines 6, 9, 10 and 13 "
               "hold no value). Run Joistmaster again and pick a beam size from the list.";
        QByteArray typedJoist = withLine(12, "");
        typedJoist.replace("1.5      ' X,  - Joist Width", "");
        QTest::newRow("a joist size not in the list") << "Deck_Rectangle.txt" << typedJoist
            << "The joist size is not one of 2 X 6, 2 X 8, 2 X 10, so Deck_Rectangle.txt has no joists (lines 12 and 14 "
               "hold no value). Run Joistmaster again and pick a joist size from the list.";
        QTest::newRow("control characters, and more than 80 of them")
            << "Deck_Rectangle.txt" << withLine(9, "\x1b[2J\t" + QByteArray(100, 'x'))
            << "\"Deck_Rectangle.txt\" line 9 (Beam Height) begins with no number: \"\\x1b[2J\\t" + QString(75, u'x') + "...\".";
        QTest::newRow("lines ended by CR alone") << "Deck_Rectangle.txt" << workedExampleFile().replace("\r\n", "\r")
                                                 << "\"Deck_Rectangle.txt\" ends its lines with CR alone; a deck file's lines end with CR LF.";
    }
    void reading()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        const auto read = readDeckFile(bytes, file);
        QTEST(read ? QStringLiteral("deck type %1, viewing mode %2").arg(read->deckType).arg(int(read->viewingMode))
                   : read.error(),
              "outcome");
    }

    // No DeckType.txt, a deck type whose file is not there, and a square's
    // " 1 ", which names the rectangle's family. The deck type's own rows are
    // the read-back's.
    void folderErrors()
    {
        QTemporaryDir folder;
        const struct { const char *type; const char *file; } rows[] = {
            {nullptr, "DeckType.txt"}, {" 5 ", "Deck_L-Shape.txt"}, {" 1 ", "Deck_Rectangle.txt"}};
        for (const auto &r : rows) {
            QVERIFY(!r.type || textfiles::writeWhole(folder.filePath("DeckType.txt"), QByteArray(r.type) + "\r\n"));
            QCOMPARE(readDeck(folder.path()).error(), "Could not read the file \"" + QString(r.file) + "\" in the folder \""
                                                          + QDir::toNativeSeparators(folder.path()) + "\": No such file or directory.");
        }
    }

    void twoDHandOff_data() { rowsOf(JM_TESTDATA "/handoff.txt", 3); }
    void twoDHandOff()
    {
        QFETCH(QStringList, row);
        const auto deck = read2D(row.value(1), row.value(2).toUtf8() + "\r\n");
        QCOMPARE(deck ? QStringLiteral("%1 %2").arg(deck->style).arg(deck->widthFeet) : deck.error(), row.value(3));
    }
};

QTEST_GUILESS_MAIN(TestDeckReading)
#include "tst_deckreading.moc"
