// Reading the wizard's files as the host's symbols read them: every value of
// the worked example by its line, and every way a file can fail the model,
// each with the message that names the file and the line.
#include "deckfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray workedExample()
{
    QFile file(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray withLine(int line, const QByteArray &text)
{
    QList<QByteArray> lines = workedExample().split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

class TestDeckFile : public QObject {
    Q_OBJECT
private slots:
    void workedExampleValues()
    {
        const deckmodel::ReadResult read = deckmodel::readDeckFile(workedExample(), QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY2(read.deck, qPrintable(read.error));
        const deckmodel::DeckParameters &d = *read.deck;
        const QList<double> got{double(d.deckType), d.depthA, d.widthB, d.height, d.overhangX, d.overhangZ,
                                d.postSpacing, d.postSize, d.beamSpacing, d.beamHeight, d.beamPly, d.joistHeight,
                                d.joistWidth, d.joistSpacing, d.deckingThickness, d.deckingWidth, d.deckingGap,
                                double(d.viewingMode)};
        const QList<double> lines{2, 16, 12, 3, 2, 2.5, 8, 4, 6, 7.25, 1.5, 5.5, 1.5, 12, 1, 5.5, .25, 0};
        QCOMPARE(got, lines);
        QCOMPARE(d.materials, (QStringList{"4 inch x 4 inch Square Posts", "12 foot 2x8 Beams", "8 foot 2x6 Joists",
                                           "2x6 Pieces of Decking"}));
    }

    void deckTypeByFamilyAndCode_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("deckType");
        QTest::newRow("rectangle") << "Deck_Rectangle.txt" << QByteArray("1     - Deck Type") << 2;
        QTest::newRow("L 1") << "Deck_L-Shape.txt" << QByteArray("1     - Deck Type") << 3;
        QTest::newRow("L 4") << "Deck_L-Shape.txt" << QByteArray("4     - Deck Type") << 6;
        QTest::newRow("slice2") << "Deck_Slice2.txt" << QByteArray("1     - Deck Type") << 7;
        QTest::newRow("slice 1") << "Deck_Slice.txt" << QByteArray("1     - Deck Type") << 8;
        QTest::newRow("slice 0") << "Deck_Slice.txt" << QByteArray("0     - Deck Type") << 9;
    }
    void deckTypeByFamilyAndCode()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, code);
        QFETCH(int, deckType);
        const deckmodel::ReadResult read = deckmodel::readDeckFile(withLine(19, code), file);
        QVERIFY2(read.deck, qPrintable(read.error));
        QCOMPARE(read.deck->deckType, deckType);
    }

    void readingErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("short file") << "Deck_Rectangle.txt"
                                    << QByteArray("16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n"
                                                  "3        ' Y,   ', Deck Height\r\n")
                                    << "\"Deck_Rectangle.txt\" ends after line 3; a deck needs all 24 lines.";
        QFile unlisted(QStringLiteral(JM_DECK3D_DATA "/Deck_Slice-unlisted-sizes.txt"));
        QVERIFY(unlisted.open(QIODevice::ReadOnly));
        QTest::newRow("unlisted sizes") << "Deck_Slice.txt" << unlisted.readAll()
                                        << "\"Deck_Slice.txt\" line 6 (Length Between Posts) begins with no number: "
                                           "\"       ' X,   ', Length Between Posts\".";
        QTest::newRow("empty beam height") << "Deck_Rectangle.txt" << withLine(9, "")
                                           << "\"Deck_Rectangle.txt\" line 9 (Beam Height) is empty.";
        QTest::newRow("empty beam depth") << "Deck_Rectangle.txt" << withLine(10, "  ")
                                          << "\"Deck_Rectangle.txt\" line 10 (Beam Depth) is empty.";
        QTest::newRow("empty joist height") << "Deck_Rectangle.txt" << withLine(12, "")
                                            << "\"Deck_Rectangle.txt\" line 12 (Joist Height) is empty.";
        QTest::newRow("empty joist width") << "Deck_Rectangle.txt" << withLine(14, "")
                                           << "\"Deck_Rectangle.txt\" line 14 (Joist Width) is empty.";
        QTest::newRow("zero post") << "Deck_Rectangle.txt" << withLine(7, "0       ' XZ,  ', Post Width & Depth")
                                   << "\"Deck_Rectangle.txt\" line 7 (Post Width & Depth) is 0; it must be above 0.";
        QTest::newRow("code of no type") << "Deck_Slice.txt" << withLine(19, "2     - Deck Type")
                                         << "\"Deck_Slice.txt\" line 19 (Deck Type) is 2, which is no deck type of this file.";
        QTest::newRow("not a deck file") << "Deck_Round.txt" << workedExample()
                                         << "\"Deck_Round.txt\" is not a deck parameter file (Deck_Rectangle.txt, "
                                            "Deck_L-Shape.txt, Deck_Slice.txt or Deck_Slice2.txt).";
    }
    void readingErrors()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const deckmodel::ReadResult read = deckmodel::readDeckFile(bytes, file);
        QVERIFY(!read.deck);
        QCOMPARE(read.error, error);
    }

    void folderErrors()
    {
        QTemporaryDir folder;
        const QString native = QDir::toNativeSeparators(folder.path());
        QCOMPARE(deckmodel::readDeck(folder.path()).error,
                 "Could not read the file \"DeckType.txt\" in the folder \"" + native + "\": No such file or directory.");
        QFile type(folder.filePath(QStringLiteral("DeckType.txt")));
        QVERIFY(type.open(QIODevice::WriteOnly));
        type.write(" 5 \r\n");
        type.close();
        QCOMPARE(deckmodel::readDeck(folder.path()).error,
                 "Could not read the file \"Deck_L-Shape.txt\" in the folder \"" + native + "\": No such file or directory.");
    }

    void twoDHandOff_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("deckSize");
        QTest::addColumn<int>("style");
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("error");
        QTest::newRow("style 19") << "*\\Program Data\\2D Decks\\Deck 19.dc" << QByteArray("24.5\r\n") << 19 << 24.5 << "";
        QTest::newRow("style 20") << "*\\Program Data\\2D Decks\\Deck 20.dc" << QByteArray("24\r\n") << 20 << 0.0
                                  << "The symbol path \"*\\Program Data\\2D Decks\\Deck 20.dc\" names no 2D deck style 1 to 19.";
        QTest::newRow("no width") << "*\\Program Data\\2D Decks\\Deck 3.dc" << QByteArray("\r\n") << 3 << 0.0
                                  << "\"DeckSize.txt\" line 1 holds no deck width.";
    }
    void twoDHandOff()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, deckSize);
        const deckmodel::Deck2D deck = deckmodel::read2D(path, deckSize);
        QTEST(deck.style, "style");
        QTEST(deck.widthFeet, "width");
        QTEST(deck.error, "error");
    }
};

QTEST_GUILESS_MAIN(TestDeckFile)
#include "tst_deckfile.moc"
