// The wizard's files without its pages: the framing lines on top of the
// worked example, each deck type's family, code and picture, the lumber
// sizes, the joists-against-beams rule, the reading back of DeckType.txt and
// Sizes.txt, and every deck type written as the wizard writes it and read
// back as the host reads it. Whole files through the pages are proved in
// deck3d's tst_road3d.
#include "catalogue.h"
#include "datatable.h"
#include "freeformat.h"
#include "golden.h"
#include "handoff.h"
#include "textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace deckfile;

// A row's result, named so that a failure says which row it is.
#define COMPARE_ROW(name, actual, expected) QCOMPARE(QString(name) + ": " + (actual), QString(name) + ": " + (expected))

class TestParameterFile : public QObject {
    Q_OBJECT
private slots:
    void framing();
    void shapes();
    void lumber();
    void joistsAgainstBeams();
    void readBack();
    void roundTrip();
};

// Each row is the worked example with the listed lines changed.
void TestParameterFile::framing()
{
    const QByteArray example = golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt"));
    const QByteArray head = golden::lines(example).mid(0, 3).join();
    const struct { const char *name; double width; const char *beam; const char *joist; golden::Lines changed; } rows[] = {
        {"W 11.999", 11.999, "2 X 8", "2 X 6", {{11, "10      - X - Beam Width"}, {21, "10 foot 2x8 Beams"}}},
        {"W 14", 14, "2 X 8", "2 X 6", {{11, "14      - X - Beam Width"}, {21, "14 foot 2x8 Beams"}}},
        {"W 19.5", 19.5, "2 X 8", "2 X 6", {{11, "16      - X - Beam Width"}, {21, "16 foot 2x8 Beams"}}},
        {"W 20", 20, "2 X 8", "2 X 6", {{11, "20      - X - Beam Width"}, {21, "20 foot 2x8 Beams"}}},
        {"2 X 10 joists", 12, "2 X 8", "2 X 10", {{12, "9.25    ' Y,  - Joist Height"}, {22, "8 foot 2x10 Joists"}}},
        {"2 X 6 beams", 12, "2 X 6", "2 X 6", {{6, "6       ' X,   ', Length Between Posts"},
            {9, "5.5    ' Y,  - Beam Height"}, {10, "1.5     ' Z,  - Beam Depth"}, {13, "6       ' Z - Joist Depth"},
            {21, "12 foot 2x6 Beams"}, {22, "6 foot 2x6 Joists"}}},
        {"joist text with a blank after it", 12, "2 X 8", "2 X 6 ", {{12, ""}, {14, ""}, {22, "8 foot  Joists"}}},
        {"empty beam text", 12, "", "2 X 6", {{6, "       ' X,   ', Length Between Posts"}, {9, ""}, {10, ""},
            {13, "       ' Z - Joist Depth"}, {21, "12 foot  Beams"}, {22, " foot 2x6 Joists"}}},
    };
    for (const auto &r : rows) {
        const QByteArray framing = textfiles::encodeLines(framingLines({2, r.width, {r.beam, r.joist}}));
        COMPARE_ROW(r.name, head + framing, golden::withLines(example, r.changed));
    }
    const struct { const char *name; Deck3dAnswers pages; golden::Lines changed; } choices[] = {
        {"6 inch posts, 2x4 decking, hidden line", {"2 X 8", "2 X 6", Posts::SixInch, Decking::TwoByFour, ViewingMode::HiddenLine},
         {{7, "6       ' XZ,  ', Post Width & Depth"}, {16, "1.5     ' Y - Decking Height"}, {17, "3.5     ' Z - Decking Depth"},
          {20, "6 inch x 6 inch Square Posts"}, {23, "2x4 Pieces of Decking"}, {24, "1          - Hidden"}}},
        {"2x6 decking, shaded", {"2 X 8", "2 X 6", Posts::FourInch, Decking::TwoBySix, ViewingMode::Shaded},
         {{16, "1.5     ' Y - Decking Height"}, {24, "2          - Shaded"}}},
    };
    for (const auto &r : choices)
        COMPARE_ROW(r.name, head + textfiles::encodeLines(framingLines({2, 12, r.pages})), golden::withLines(example, r.changed));
}

// The rows are in data/catalogue.txt.
void TestParameterFile::shapes()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/catalogue.txt");
    QCOMPARE(rows.size(), 9);
    for (const QStringList &r : rows) {
        const int deckType = r[0].toInt();
        const Shape *shape = shapeOf(deckType);
        QVERIFY(shape);
        COMPARE_ROW(r[0], QStringList({QString::number(shape->pictureId), parameterFile(deckType), symbolPath(deckType),
                                       framingLines({deckType})[15], QLatin1String(shape->words)}).join(u'|'),
                    r.mid(1).join(u'|'));
        const Family *family = familyOfSymbol(symbolPath(deckType));
        COMPARE_ROW(r[0] + " by its symbol", family ? QLatin1String(family->file) : QString(), r[2]);
    }
    QVERIFY(parameterFile(10).isEmpty() && symbolPath(0).isEmpty() && framingLines({0})[15].isEmpty());
    QCOMPARE(parameterFiles(), (QStringList{"Deck_Rectangle.txt", "Deck_Slice.txt", "Deck_Slice2.txt", "Deck_L-Shape.txt"}));
    // The shape page steps round the nine in both directions.
    QCOMPARE(QList<int>({nextDeckType(1), nextDeckType(8), nextDeckType(9), previousDeckType(1), previousDeckType(2)}),
             QList<int>({2, 9, 1, 9, 1}));
    const struct { const char *path; const char *file; } symbols[] = {
        {"Deck_slice2.BSX", "Deck_Slice2.txt"}, {"/elsewhere/Deck_Slice.bsx", "Deck_Slice.txt"},
        {"Deck_Round.bsx", ""}, {"*\\Program Data\\2D Decks\\2ddecks.bsx", ""}, {"Deck_L-Shape.txt", ""},
    };
    for (const auto &s : symbols) {
        const Family *family = familyOfSymbol(QString::fromLatin1(s.path));
        COMPARE_ROW(s.path, family ? QLatin1String(family->file) : QString(), QLatin1String(s.file));
    }
}

void TestParameterFile::lumber()
{
    QCOMPARE(framingSizeTexts(), (QStringList{"2 X 6", "2 X 8", "2 X 10"}));
    const struct { double inches; const char *nominal; } actual[] = {
        {1, "5/4"}, {1.5, "2"}, {3.5, "4"}, {4, "4"}, {5.5, "6"}, {6, "6"}, {7.25, "8"}, {9.25, "10"}, {11.25, "12"},
        {2, ""}, {7.5, ""},
    };
    for (const auto &r : actual)
        COMPARE_ROW(QString::number(r.inches), nominalInches(r.inches), QLatin1String(r.nominal));
    const Lumber *twoByEight = framingSizeOf(u"2 X 8")->lumber;
    QCOMPARE(QString("%1 %2 %3").arg(QLatin1String(twoByEight->nominal)).arg(twoByEight->thicknessInches).arg(twoByEight->depthInches),
             QString("2x8 1.5 7.25"));
    QVERIFY(!framingSizeOf(u"2 x 8") && !framingSizeOf(u"2 X 8 ") && !lumberNamed(u"2X8"));
}

void TestParameterFile::joistsAgainstBeams()
{
    const struct { int deckType; const char *beam; const char *joist; bool refused; } rows[] = {
        {7, "2 X 6", "2 X 8", true}, {8, "2 X 6", "2 X 10", true}, {9, "2 X 8", "2 X 10", true},
        {9, "2 X 8", "2 X 8", false}, {9, "2 X 10", "2 X 6", false}, {6, "2 X 6", "2 X 10", false},
        {7, "2 x 6", "2 X 10", false}, {8, "2 X 6", "2 X 10 ", false},
    };
    for (const auto &r : rows)
        COMPARE_ROW(QString("%1 %2/%3").arg(r.deckType).arg(QLatin1String(r.beam), QLatin1String(r.joist)),
                    QString::number(joistsDeeperThanBeams(r.deckType, r.beam, r.joist)), QString::number(r.refused));
}

// The rows are in data/read-back.txt.
void TestParameterFile::readBack()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/read-back.txt");
    QCOMPARE(rows.size(), 14);
    for (const QStringList &r : rows) {
        const QByteArray bytes = r[2].toLatin1();
        QString outcome;
        if (r[1] == u"DeckType.txt") {
            const auto type = readDeckType(bytes);
            outcome = type ? QString::number(*type) : QString::number(type.failure().number) + ": " + type.error();
        } else {
            const auto sizes = readNumbers(bytes, 2, r[1]);
            outcome = sizes ? QString("%1 %2").arg((*sizes)[0]).arg((*sizes)[1])
                            : QString::number(sizes.failure().number) + ": " + sizes.error();
        }
        COMPARE_ROW(r[0], outcome, r[3]);
    }
}

// The rows are in data/round-trip.txt.
void TestParameterFile::roundTrip()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/round-trip.txt");
    QCOMPARE(rows.size(), 9);
    for (const QStringList &r : rows) {
        QTemporaryDir folder;
        const int deckType = r[1].toInt();
        QVERIFY(writeHandOff(folder.path(), qint16(deckType), {r[2], r[3], r[4]}));
        const Deck3dAnswers pages{r[5], r[6], r[7] == u"4" ? Posts::FourInch : Posts::SixInch,
                                  r[8] == u"2x4" ? Decking::TwoByFour : r[8] == u"2x6" ? Decking::TwoBySix
                                                                                      : Decking::FiveQuarterBySix,
                                  ViewingMode(r[9].toInt())};
        const auto stored = readStored(folder.path());
        QVERIFY(stored);
        QVERIFY(completeParameterFile(folder.path(), {stored->deckType, stored->deckWidth, pages}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"DeckType.txt", r[10], "Sizes.txt"}));

        const auto read = readDeck(folder.path());
        QVERIFY2(read, qPrintable(read.error()));
        const DeckParameters &d = *read;
        QStringList values;
        for (double v : {double(d.deckType), d.depthA, d.widthB, d.height, d.overhangX, d.overhangZ, d.postSpacing,
                         d.postSize, d.beamSpacing, d.beamHeight, d.beamPly, d.joistHeight, d.joistWidth,
                         d.joistSpacing, d.deckingThickness, d.deckingWidth, d.deckingGap, double(d.viewingMode)})
            values << QString::number(v);
        COMPARE_ROW(r[0], d.fileName + " " + values.join(u' ') + " " + d.materials.join(u';'),
                    r[10] + " " + r[11] + " " + r[12]);
    }
}

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
