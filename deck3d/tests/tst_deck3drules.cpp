// The 3D road's rules without its pages, one table of named rows each: the
// sizes' limits, half-foot steps and repairs with their messages; framing
// values on top of the worked example; each deck type's files and code line;
// the joists-against-beams rule; and the reading back of DeckType.txt and
// Sizes.txt. Whole files, through the pages, are proved in tst_road3d.
#include "datatable.h"
#include "deckparameters.h"
#include "decksizes.h"
#include "freeformat.h"
#include "golden.h"
#include "textfiles.h"

#include <QTest>

using namespace deckparameters;

// A row's result, named so that a failure says which row it is.
#define COMPARE_ROW(name, actual, expected) QCOMPARE(QString(name) + ": " + (actual), QString(name) + ": " + (expected))


class TestDeck3dRules : public QObject {
    Q_OBJECT
private slots:
    void sizes();
    void framing();
    void families();
    void joistsAgainstBeams();
    void readBack();
};

// The rows are in data/size-rules.txt.
void TestDeck3dRules::sizes()
{
    using enum decksizes::Row;
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/size-rules.txt");
    QCOMPARE(rows.size(), 33);
    for (const QStringList &r : rows) {
        const decksizes::Row row = r[1] == u"A" ? A : r[1] == u"B" ? B : Height;
        QStringList result{r[2]};
        if (r[3] == u"l") {
            for (const decksizes::Repair &repair : decksizes::repairs(row, result[0])) {
                result << repair.message;
                result[0] = repair.text;
            }
        } else if (const auto step = decksizes::step(row, result[0], r[3] == u"+" ? 1 : -1)) {
            result = QStringList{step->text, step->message};
            result.removeAll(QString());
        } else {
            result[0] = QStringLiteral("(nothing)");
        }
        COMPARE_ROW(r[0], result.join(u'|'), r.mid(4).join(u'|'));
    }
}

// Each row is the worked example with the listed lines changed.
void TestDeck3dRules::framing()
{
    const QByteArray example = golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt"));
    const QByteArray head = golden::lines(example).mid(0, 3).join();
    const struct { const char *name; double width; const char *beam; const char *joist; golden::Lines changed; } rows[] = {
        {"W 11.999", 11.999, "2 X 8", "2 X 6", {{11, "10      - X - Beam Width"}, {21, "10 foot 2x8 Beams"}}},
        {"W 14", 14, "2 X 8", "2 X 6", {{11, "14      - X - Beam Width"}, {21, "14 foot 2x8 Beams"}}},
        {"W 19.5", 19.5, "2 X 8", "2 X 6", {{11, "16      - X - Beam Width"}, {21, "16 foot 2x8 Beams"}}},
        {"W 20", 20, "2 X 8", "2 X 6", {{11, "20      - X - Beam Width"}, {21, "20 foot 2x8 Beams"}}},
        {"2 X 10 joists", 12, "2 X 8", "2 X 10", {{12, "9.25    ' Y,  - Joist Height"}, {22, "8 foot 2x10 Joists"}}},
        {"joist text with a blank after it", 12, "2 X 8", "2 X 6 ", {{12, ""}, {14, ""}, {22, "8 foot  Joists"}}},
        {"empty beam text", 12, "", "2 X 6", {{6, "       ' X,   ', Length Between Posts"}, {9, ""}, {10, ""},
            {13, "       ' Z - Joist Depth"}, {21, "12 foot  Beams"}, {22, " foot 2x6 Joists"}}},
    };
    for (const auto &r : rows) {
        const QByteArray framing = textfiles::encodeLines(framingLines({2, r.width, {r.beam, r.joist}}));
        COMPARE_ROW(r.name, head + framing, golden::withLines(example, r.changed));
    }
}

void TestDeck3dRules::families()
{
    const char *const rows[] = {"Deck_Rectangle 1", "Deck_Rectangle 1", "Deck_L-Shape 1", "Deck_L-Shape 2",
                                "Deck_L-Shape 3", "Deck_L-Shape 4", "Deck_Slice2 1", "Deck_Slice 1", "Deck_Slice 0"};
    for (int deckType = 1; deckType <= 9; ++deckType) {
        const QStringList row = QString(rows[deckType - 1]).split(u' ');
        COMPARE_ROW(QString::number(deckType), parameterFile(deckType) + " " + symbolPath(deckType) + " " + framingLines({deckType})[15],
                    row[0] + ".txt *Program Data\\3D Decks\\" + row[0] + ".bsx " + row[1] + "     - Deck Type");
    }
    QVERIFY(parameterFile(10).isEmpty() && symbolPath(0).isEmpty());
}

void TestDeck3dRules::joistsAgainstBeams()
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
void TestDeck3dRules::readBack()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/read-back.txt");
    QCOMPARE(rows.size(), 14);
    for (const QStringList &r : rows) {
        const QByteArray bytes = r[2].toLatin1();
        const bool deckType = r[1] == u"DeckType.txt";
        const freeformat::DeckType type = deckType ? freeformat::readDeckType(bytes) : freeformat::DeckType{};
        const freeformat::Numbers sizes = deckType ? freeformat::Numbers{} : freeformat::readNumbers(bytes, 2, r[1]);
        const auto failure = deckType ? type.failure : sizes.failure;
        QStringList values{deckType ? QString::number(type.value) : QString()};
        for (double value : sizes.values)
            values << QString::number(value);
        COMPARE_ROW(r[0], failure ? QString::number(failure->number) + ": " + failure->description : values.join(u' ').trimmed(), r[3]);
    }
}

QTEST_GUILESS_MAIN(TestDeck3dRules)
#include "tst_deck3drules.moc"
