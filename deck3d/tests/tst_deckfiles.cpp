// The 3D road's file text without the pages: hand-picked rows of the framing
// tables on top of the worked example, the family and code of each deck type,
// the joists-against-beams rule, and the reading back of DeckType.txt and
// Sizes.txt. Whole files, byte for byte, are proved through the pages
// (tst_road3d).
#include "deckparameters.h"
#include "freeformat.h"
#include "golden.h"
#include "textfiles.h"

#include <QTest>

using namespace deckparameters;
using golden::Lines;

Q_DECLARE_METATYPE(deckparameters::Answers)

namespace {
// Deck type 2, W 12, beams 2 X 8, joists 2 X 6, 4-inch posts, 5/4x6 decking, wireframe.
Answers workedExample(const QString &beam = QStringLiteral("2 X 8"), const QString &joist = QStringLiteral("2 X 6"),
                      double width = 12)
{
    return Answers{2, width, {beam, joist}};
}
} // namespace

class TestDeckFiles : public QObject {
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void families_data();
    void families();
    void joistsAgainstBeams_data();
    void joistsAgainstBeams();
    void readBack_data();
    void readBack();
};

// Each row is the worked example with the listed lines changed.
void TestDeckFiles::framing_data()
{
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Lines>("changed");
    QTest::newRow("W 11.999 gives 10") << workedExample("2 X 8", "2 X 6", 11.999)
        << Lines{{11, "10      - X - Beam Width"}, {21, "10 foot 2x8 Beams"}};
    QTest::newRow("W 14 gives 14") << workedExample("2 X 8", "2 X 6", 14)
        << Lines{{11, "14      - X - Beam Width"}, {21, "14 foot 2x8 Beams"}};
    QTest::newRow("W 19.5 gives 16") << workedExample("2 X 8", "2 X 6", 19.5)
        << Lines{{11, "16      - X - Beam Width"}, {21, "16 foot 2x8 Beams"}};
    QTest::newRow("W 20 gives 20") << workedExample("2 X 8", "2 X 6", 20)
        << Lines{{11, "20      - X - Beam Width"}, {21, "20 foot 2x8 Beams"}};
    QTest::newRow("2 X 10 joists") << workedExample("2 X 8", "2 X 10")
        << Lines{{12, "9.25    ' Y,  - Joist Height"}, {22, "8 foot 2x10 Joists"}};
    QTest::newRow("empty joist text") << workedExample("2 X 8", "")
        << Lines{{12, ""}, {14, ""}, {22, "8 foot  Joists"}};
    QTest::newRow("joist text with a blank after it") << workedExample("2 X 8", "2 X 6 ")
        << Lines{{12, ""}, {14, ""}, {22, "8 foot  Joists"}};
    QTest::newRow("empty beam text") << workedExample("", "2 X 6")
        << Lines{{6, "       ' X,   ', Length Between Posts"}, {9, ""}, {10, ""}, {13, "       ' Z - Joist Depth"},
                 {21, "12 foot  Beams"}, {22, " foot 2x6 Joists"}};
}

void TestDeckFiles::framing()
{
    QFETCH(Answers, answers);
    QFETCH(Lines, changed);
    const QByteArray example = golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt"));
    const QByteArray head = golden::lines(example).mid(0, 3).join();
    COMPARE_BYTES(head + textfiles::encodeLines(framingLines(answers)), golden::withLines(example, changed));
}

void TestDeckFiles::families_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("code"); // line 19
    QTest::newRow("1 square") << 1 << "Deck_Rectangle.txt" << "*Program Data\\3D Decks\\Deck_Rectangle.bsx" << "1     - Deck Type";
    QTest::newRow("2 rectangle") << 2 << "Deck_Rectangle.txt" << "*Program Data\\3D Decks\\Deck_Rectangle.bsx" << "1     - Deck Type";
    QTest::newRow("3 L, leg left") << 3 << "Deck_L-Shape.txt" << "*Program Data\\3D Decks\\Deck_L-Shape.bsx" << "1     - Deck Type";
    QTest::newRow("4 L, leg right") << 4 << "Deck_L-Shape.txt" << "*Program Data\\3D Decks\\Deck_L-Shape.bsx" << "2     - Deck Type";
    QTest::newRow("5 L, top left") << 5 << "Deck_L-Shape.txt" << "*Program Data\\3D Decks\\Deck_L-Shape.bsx" << "3     - Deck Type";
    QTest::newRow("6 L, top right") << 6 << "Deck_L-Shape.txt" << "*Program Data\\3D Decks\\Deck_L-Shape.bsx" << "4     - Deck Type";
    QTest::newRow("7 both corners cut") << 7 << "Deck_Slice2.txt" << "*Program Data\\3D Decks\\Deck_Slice2.bsx" << "1     - Deck Type";
    QTest::newRow("8 right corner cut") << 8 << "Deck_Slice.txt" << "*Program Data\\3D Decks\\Deck_Slice.bsx" << "1     - Deck Type";
    QTest::newRow("9 left corner cut") << 9 << "Deck_Slice.txt" << "*Program Data\\3D Decks\\Deck_Slice.bsx" << "0     - Deck Type";
    QTest::newRow("10 none") << 10 << "" << "" << "";
}

void TestDeckFiles::families()
{
    QFETCH(int, deckType);
    QFETCH(QString, file);
    QFETCH(QString, symbol);
    QFETCH(QString, code);
    QCOMPARE(parameterFile(deckType), file);
    QCOMPARE(symbolPath(deckType), symbol);
    QCOMPARE(framingLines({deckType}).at(19 - 4), code);
}

void TestDeckFiles::joistsAgainstBeams_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("beam");
    QTest::addColumn<QString>("joist");
    QTest::addColumn<bool>("refused");
    QTest::newRow("7: 2 X 6 beams, 2 X 8 joists") << 7 << "2 X 6" << "2 X 8" << true;
    QTest::newRow("8: 2 X 6 beams, 2 X 10 joists") << 8 << "2 X 6" << "2 X 10" << true;
    QTest::newRow("9: 2 X 8 beams, 2 X 10 joists") << 9 << "2 X 8" << "2 X 10" << true;
    QTest::newRow("9: equal sizes pass") << 9 << "2 X 8" << "2 X 8" << false;
    QTest::newRow("9: smaller joists pass") << 9 << "2 X 10" << "2 X 6" << false;
    QTest::newRow("6: not a cut-corner deck") << 6 << "2 X 6" << "2 X 10" << false;
    QTest::newRow("7: unlisted beam text") << 7 << "2 x 6" << "2 X 10" << false;
    QTest::newRow("8: unlisted joist text") << 8 << "2 X 6" << "2 X 10 " << false;
}

void TestDeckFiles::joistsAgainstBeams()
{
    QFETCH(int, deckType);
    QFETCH(QString, beam);
    QFETCH(QString, joist);
    QFETCH(bool, refused);
    QCOMPARE(joistsDeeperThanBeams(deckType, beam, joist), refused);
}

// What the finish reads back: the deck type, or width and length, or the failure.
void TestDeckFiles::readBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("read");
    const QString type = QStringLiteral("DeckType.txt"), sizes = QStringLiteral("Sizes.txt");
    QTest::newRow("deck type line") << type << QByteArray(" 3 \r\n") << "3";
    QTest::newRow("deck type without blanks or line end") << type << QByteArray("9") << "9";
    QTest::newRow("deck type 0") << type << QByteArray(" 0 \r\n") << "13: The file \"DeckType.txt\" holds the deck type 0, which is not one of 1 to 9.";
    QTest::newRow("deck type 10") << type << QByteArray(" 10 \r\n") << "13: The file \"DeckType.txt\" holds the deck type 10, which is not one of 1 to 9.";
    QTest::newRow("deck type 2.5") << type << QByteArray(" 2.5 \r\n") << "13: The file \"DeckType.txt\" holds the deck type 2.5, which is not one of 1 to 9.";
    QTest::newRow("deck type a word") << type << QByteArray("square\r\n") << "13: The first value of the file \"DeckType.txt\" is \"square\", which is not a number.";
    QTest::newRow("deck type empty") << type << QByteArray() << "62: The file \"DeckType.txt\" ends before its first value.";
    QTest::newRow("sizes, third not read") << sizes << QByteArray("12.5\r\n20.0\r\nthree\r\n") << "12.5 20";
    QTest::newRow("leading blanks and tabs") << sizes << QByteArray("  \t12\r\n 16\r\n") << "12 16";
    QTest::newRow("comma ends a field") << sizes << QByteArray("12,16\r\n") << "12 16";
    QTest::newRow("blank after a number ends it") << sizes << QByteArray("12 16\r\n") << "12 16";
    QTest::newRow("blanks then a comma: one delimiter") << sizes << QByteArray("12  ,16\r\n") << "12 16";
    QTest::newRow("bare LF, no last line end") << sizes << QByteArray("12\n16") << "12 16";
    QTest::newRow("one line only") << sizes << QByteArray("12\r\n") << "62: The file \"Sizes.txt\" ends before its second value.";
    QTest::newRow("empty line") << sizes << QByteArray("\r\n16\r\n") << "13: The first value of the file \"Sizes.txt\" is \"\", which is not a number.";
    QTest::newRow("a unit") << sizes << QByteArray("12\r\n16ft\r\n") << "13: The second value of the file \"Sizes.txt\" is \"16ft\", which is not a number.";
    QTest::newRow("text with blanks up to the line end") << sizes << QByteArray("2 X 6  \r\n") << "13: The second value of the file \"Sizes.txt\" is \"X 6\", which is not a number.";
    QTest::newRow("beyond a double") << sizes << QByteArray("1E+999\r\n16\r\n") << "13: The first value of the file \"Sizes.txt\" is \"1E+999\", which is not a number.";
}

void TestDeckFiles::readBack()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, read);
    std::optional<textfiles::Failure> failure;
    QStringList values;
    if (file == QLatin1String("DeckType.txt")) {
        const freeformat::DeckType deckType = freeformat::readDeckType(bytes);
        failure = deckType.failure;
        values << QString::number(deckType.value);
    } else {
        const freeformat::Numbers numbers = freeformat::readNumbers(bytes, 2, file);
        failure = numbers.failure;
        for (double value : numbers.values)
            values << QString::number(value);
    }
    QCOMPARE(failure ? QString::number(failure->number) + ": " + failure->description : values.join(u' '), read);
}

QTEST_GUILESS_MAIN(TestDeckFiles)
#include "tst_deckfiles.moc"
