// The wizard's files without its pages: the framing lines on top of the
// worked example, each deck type's family, code and picture, the lookups of
// families, lumber sizes and the joists-against-beams rule, the reading back of DeckType.txt and
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

// The later pages' answers as a table row writes them: the sizes' texts, 4 or
// 6 inch posts, 2x4, 2x6 or 5/4x6 decking, viewing mode 0, 1 or 2.
static Deck3dAnswers answersOf(const QStringList &f)
{
    return {f[0], f[1], f[2] == u"4" ? Posts::FourInch : Posts::SixInch,
            f[3] == u"2x4" ? Decking::TwoByFour : f[3] == u"2x6" ? Decking::TwoBySix : Decking::FiveQuarterBySix,
            ViewingMode(f[4].toInt())};
}

// A row's result, named so that a failure says which row it is.
#define COMPARE_ROW(name, actual, expected) QCOMPARE(QString(name) + ": " + (actual), QString(name) + ": " + (expected))

class TestParameterFile : public QObject {
    Q_OBJECT
private slots:
    void framing();
    void shapes();
    void lookups();
    void readBack();
    void roundTrip();
};

// The rows are in data/framing-lines.txt: the worked example with the listed lines changed.
void TestParameterFile::framing()
{
    const QByteArray example = golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt"));
    const QByteArray head = golden::lines(example).mid(0, 3).join();
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/framing-lines.txt");
    QCOMPARE(rows.size(), 10);
    for (const QStringList &r : rows) {
        const Deck3dAnswers pages = answersOf(r.mid(2, 5));
        golden::Lines changed;
        for (qsizetype f = 7; f + 1 < r.size(); f += 2)
            changed[r[f].toInt()] = r[f + 1].toLatin1();
        COMPARE_ROW(r[0], head + textfiles::encodeLines(framingLines({2, r[1].toDouble(), pages})),
                    golden::withLines(example, changed));
    }
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
}

// The rows are in data/lookups.txt.
void TestParameterFile::lookups()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/lookups.txt");
    QCOMPARE(rows.size(), 25);
    for (const QStringList &r : rows) {
        const Family *family = r[0] == u"symbol" ? familyOfSymbol(r[1]) : nullptr;
        const QString found = r[0] == u"symbol"    ? (family ? QLatin1String(family->file) : QString())
                              : r[0] == u"nominal" ? nominalInches(r[1].toDouble())
                                                   : QString::number(joistsDeeperThanBeams(r[1].toInt(), r[2], r[3]));
        COMPARE_ROW(r.mid(0, r.size() - 1).join(u' '), found, r.last());
    }
}

// The rows are in data/read-back.txt.
void TestParameterFile::readBack()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/read-back.txt");
    QCOMPARE(rows.size(), 15);
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
        const Deck3dAnswers pages = answersOf(r.mid(5, 5));
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
