// The 3D road's rules without its pages, one table of named rows each: the
// sizes' limits, half-foot steps and repairs with their messages; framing
// values on top of the worked example; each deck type's files and code line;
// the joists-against-beams rule; and the reading back of DeckType.txt and
// Sizes.txt. Whole files, through the pages, are proved in tst_road3d.
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

// '+' and '-' are the step buttons, 'l' the check of a box that is left. The
// result is the text afterwards, then each message shown.
void TestDeck3dRules::sizes()
{
    using enum decksizes::Row;
    const struct { const char *name; decksizes::Row row; const char *text; char action; const char *result; } rows[] = {
        {"A + 98.5", A, "98.5", '+', "99"},
        {"A + at 99", A, "99", '+', "99 | Deck length can not exceed 99 feet."},
        {"A + 98.75", A, "98.75", '+', "98.75 | Deck length can not exceed 99 feet."},
        {"A + off the grid stays off", A, "20.25", '+', "20.75"},
        {"A + blanks around", A, " 20.5 ", '+', "21"},
        {"A - 10.5", A, "10.5", '-', "10"},
        {"A - 10.25", A, "10.25", '-', "10.25 | Deck length can not be less than 10 feet."},
        {"B + 98.5", B, "98.5", '+', "99"},
        {"B + at 99", B, "99", '+', "99 | Deck width can not exceed 99 feet."},
        {"B - 10.5", B, "10.5", '-', "10"},
        {"B - at 10", B, "10", '-', "10 | Deck width can not be less than 10 feet."},
        {"height + 5.5", Height, "5.5", '+', "6"},
        {"height + at 6", Height, "6", '+', "6 | Deck height can not exceed 6 feet."},
        {"height - 3, below the typed range", Height, "3", '-', "2.5"},
        {"height - 1.5", Height, "1.5", '-', "1"},
        {"height - at 1", Height, "1", '-', "1 | Deck height can not be less than 1 foot."},
        {"step on letters", A, "abc", '+', "(nothing)"},
        {"step on a unit", B, "12ft", '-', "(nothing)"},
        {"A left at 150", A, "150", 'l', "99 | The deck Width can not exceed 99 feet."},
        {"A left at 99.5", A, "99.5", 'l', "99 | The deck Width can not exceed 99 feet."},
        {"A left at 99", A, "99", 'l', "99"},
        {"A left at 10", A, "10", 'l', "10"},
        {"A left at 20.0", A, "20.0", 'l', "20.0"},
        {"A left at 9.5", A, "9.5", 'l', "10 | The deck Width can not be less than 10 feet."},
        {"A left empty", A, "", 'l', "10 | The deck Width can not be less than 10 feet."},
        {"B left at 9", B, "9", 'l', "10 | The deck Length can not be less than 10 feet."},
        {"B left at 100", B, "100", 'l', "99 | The deck Length can not exceed 99 feet."},
        {"B left with letters", B, "ten", 'l', "10 | The deck Length can not be less than 10 feet."},
        {"height left at 2.5", Height, "2.5", 'l', "3 | The deck height can not be less than 3 feet."},
        {"height left at 7 goes to 3", Height, "7", 'l', "3 | The deck height can not exceed 6 feet."},
        {"height left at 6.5", Height, "6.5", 'l', "3 | The deck height can not exceed 6 feet."},
        {"height left at 6", Height, "6", 'l', "6"},
        {"height left at 3", Height, "3", 'l', "3"},
    };
    for (const auto &r : rows) {
        QStringList result{QLatin1String(r.text)};
        if (r.action == 'l') {
            for (const decksizes::Repair &repair : decksizes::repairs(r.row, result[0])) {
                result << repair.message;
                result[0] = repair.text;
            }
        } else if (const auto step = decksizes::step(r.row, result[0], r.action == '+' ? 1 : -1)) {
            result = QStringList{step->text, step->message};
            result.removeAll(QString());
        } else {
            result[0] = QStringLiteral("(nothing)");
        }
        COMPARE_ROW(r.name, result.join(" | "), QLatin1String(r.result));
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

// The deck type, or the width and length, or the failure's number and text.
void TestDeck3dRules::readBack()
{
    const struct { const char *name; const char *file; QByteArray bytes; const char *read; } rows[] = {
        {"deck type line", "DeckType.txt", " 3 \r\n", "3"},
        {"deck type without blanks or line end", "DeckType.txt", "9", "9"},
        {"deck type 0", "DeckType.txt", " 0 \r\n", "13: The file \"DeckType.txt\" holds the deck type 0, which is not one of 1 to 9."},
        {"deck type 2.5", "DeckType.txt", " 2.5 \r\n", "13: The file \"DeckType.txt\" holds the deck type 2.5, which is not one of 1 to 9."},
        {"deck type a word", "DeckType.txt", "square\r\n", "13: The first value of the file \"DeckType.txt\" is \"square\", which is not a number."},
        {"deck type empty", "DeckType.txt", "", "62: The file \"DeckType.txt\" ends before its first value."},
        {"sizes, third not read", "Sizes.txt", "12.5\r\n20.0\r\nthree\r\n", "12.5 20"},
        {"leading blanks and tabs, bare LF", "Sizes.txt", "  \t12\n 16", "12 16"},
        {"comma ends a field", "Sizes.txt", "12,16\r\n", "12 16"},
        {"blanks after a number, then a comma", "Sizes.txt", "12  ,16 3\r\n", "12 16"},
        {"one line only", "Sizes.txt", "12\r\n", "62: The file \"Sizes.txt\" ends before its second value."},
        {"empty line", "Sizes.txt", "\r\n16\r\n", "13: The first value of the file \"Sizes.txt\" is \"\", which is not a number."},
        {"text runs to the line end", "Sizes.txt", "2 X 6  \r\n", "13: The second value of the file \"Sizes.txt\" is \"X 6\", which is not a number."},
        {"beyond a double", "Sizes.txt", "1E+999\r\n16\r\n", "13: The first value of the file \"Sizes.txt\" is \"1E+999\", which is not a number."},
    };
    for (const auto &r : rows) {
        const bool deckType = QLatin1String(r.file) == u"DeckType.txt";
        const freeformat::DeckType type = deckType ? freeformat::readDeckType(r.bytes) : freeformat::DeckType{};
        const freeformat::Numbers sizes = deckType ? freeformat::Numbers{} : freeformat::readNumbers(r.bytes, 2, r.file);
        const auto failure = deckType ? type.failure : sizes.failure;
        QStringList values{deckType ? QString::number(type.value) : QString()};
        for (double value : sizes.values)
            values << QString::number(value);
        COMPARE_ROW(r.name, failure ? QString::number(failure->number) + ": " + failure->description : values.join(u' ').trimmed(),
                    QString::fromUtf8(r.read));
    }
}

QTEST_GUILESS_MAIN(TestDeck3dRules)
#include "tst_deck3drules.moc"
