// The deck parameter file's framing section, byte for byte against golden
// files, for every size text, deck width range, option and deck type; the
// family of each deck type; and the joists-against-beams check.
#include "deckparameters.h"
#include "golden.h"
#include "textfiles.h"

#include <QTest>

using namespace deckparameters;

Q_DECLARE_METATYPE(deckparameters::Answers)

namespace {

const QString WorkedExample = QStringLiteral("Deck_Rectangle-worked-example.txt");

// Deck type 2, A 16, B 12, height 3, beams 2 X 8, joists 2 X 6, 4-inch posts,
// 5/4x6 decking, wireframe.
Answers workedExample()
{
    return Answers{2, 12, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), Posts::FourInch, Decking::FiveQuarterBySix,
                   ViewingMode::Wireframe};
}

// The golden file's three dimension lines followed by the framing lines.
QByteArray fileOf(const QByteArray &goldenBytes, const Answers &answers)
{
    const QList<QByteArray> head = golden::lines(goldenBytes).mid(0, 3);
    return head.join() + textfiles::encodeLines(framingLines(answers));
}

using golden::Lines;

// What each list text gives, as the file's readers expect it.
struct BeamRow {
    QString text;
    QByteArray spacing, height, depth, label;
};
const QList<BeamRow> BeamRows{
    {"2 X 6", "6", "5.5    ' Y,  - Beam Height", "1.5     ' Z,  - Beam Depth", "2x6"},
    {"2 X 8", "8", "7.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "2x8"},
    {"2 X 10", "10", "9.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "2x10"},
    {"2 x 6", "", "", "", ""},
    {"2 X 12", "", "", "", ""},
    {"", "", "", "", ""},
    {" 2 X 6", "", "", "", ""},
};
struct JoistRow {
    QString text;
    QByteArray height, width, label;
};
const QList<JoistRow> JoistRows{
    {"2 X 6", "5.5     ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x6"},
    {"2 X 8", "7.25    ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x8"},
    {"2 X 10", "9.25    ' Y,  - Joist Height", "1.5      ' X,  - Joist Width", "2x10"},
    {"2 x 6", "", "", ""},
    {"2 X 12", "", "", ""},
    {"", "", "", ""},
    {"2 X 6 ", "", "", ""},
};

} // namespace

class TestDeckParameters : public QObject {
    Q_OBJECT
private slots:
    void goldenFiles_data();
    void goldenFiles();
    void variations_data();
    void variations();
    void beamAndJoistTexts_data();
    void beamAndJoistTexts();
    void deckTypes_data();
    void deckTypes();
    void slicesDifferOnlyInTheDeckTypeCode();
    void aDeckTypeOutsideTheRangeHasNoFamily();
    void joistsAgainstBeams_data();
    void joistsAgainstBeams();
    void benchmarkFramingSection();
};

void TestDeckParameters::goldenFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Answers>("answers");
    QTest::newRow("worked example") << WorkedExample << workedExample();
    QTest::newRow("later pages' defaults, L-shape, width 10")
        << "Deck_L-Shape-defaults.txt"
        << Answers{4, 10, "2 X 6", "2 X 6", Posts::FourInch, Decking::FiveQuarterBySix, ViewingMode::Wireframe};
    QTest::newRow("unlisted sizes on a cut-corner deck, width 12.5")
        << "Deck_Slice-unlisted-sizes.txt"
        << Answers{9, 12.5, "2 x 6", "2 X 12", Posts::SixInch, Decking::TwoByFour, ViewingMode::HiddenLine};
}

void TestDeckParameters::goldenFiles()
{
    QFETCH(QString, file);
    QFETCH(Answers, answers);
    const QByteArray expected = golden::read(file);
    QCOMPARE(framingLines(answers).size(), 21);
    COMPARE_BYTES(fileOf(expected, answers), expected);
}

// Each row changes one answer of the worked example; the expected file is the
// worked example with the listed lines replaced.
void TestDeckParameters::variations_data()
{
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Lines>("changed");

    const auto width = [](double w) { Answers a = workedExample(); a.deckWidth = w; return a; };
    const auto widthLines = [](const QByteArray &value) {
        return Lines{{11, value + "      - X - Beam Width"}, {21, value + " foot 2x8 Beams"}};
    };
    QTest::newRow("W 0") << width(0) << widthLines("10");
    QTest::newRow("W 11.5") << width(11.5) << widthLines("10");
    QTest::newRow("W 11.999") << width(11.999) << widthLines("10");
    QTest::newRow("W 12") << width(12) << widthLines("12");
    QTest::newRow("W 12.5") << width(12.5) << widthLines("12");
    QTest::newRow("W 13.9") << width(13.9) << widthLines("12");
    QTest::newRow("W 14") << width(14) << widthLines("14");
    QTest::newRow("W 15.5") << width(15.5) << widthLines("14");
    QTest::newRow("W 16") << width(16) << widthLines("16");
    QTest::newRow("W 19.5") << width(19.5) << widthLines("16");
    QTest::newRow("W 20") << width(20) << widthLines("20");
    QTest::newRow("W 99") << width(99) << widthLines("20");

    const auto posts = [](Posts p, Decking d) { Answers a = workedExample(); a.posts = p; a.decking = d; return a; };
    const Lines four{{7, "4       ' XZ,  ', Post Width & Depth"}, {20, "4 inch x 4 inch Square Posts"}};
    const Lines six{{7, "6       ' XZ,  ', Post Width & Depth"}, {20, "6 inch x 6 inch Square Posts"}};
    const Lines twoByFour{{16, "1.5     ' Y - Decking Height"}, {17, "3.5     ' Z - Decking Depth"},
                          {23, "2x4 Pieces of Decking"}};
    const Lines twoBySix{{16, "1.5     ' Y - Decking Height"}, {17, "5.5     ' Z - Decking Depth"},
                         {23, "2x6 Pieces of Decking"}};
    const Lines fiveQuarter{{16, "1       ' Y - Decking Height"}, {17, "5.5     ' Z - Decking Depth"},
                            {23, "2x6 Pieces of Decking"}};
    const auto both = [](Lines a, const Lines &b) { a.insert(b); return a; };
    QTest::newRow("4-inch posts, 2x4 decking") << posts(Posts::FourInch, Decking::TwoByFour) << both(four, twoByFour);
    QTest::newRow("4-inch posts, 2x6 decking") << posts(Posts::FourInch, Decking::TwoBySix) << both(four, twoBySix);
    QTest::newRow("4-inch posts, 5/4x6 decking")
        << posts(Posts::FourInch, Decking::FiveQuarterBySix) << both(four, fiveQuarter);
    QTest::newRow("6-inch posts, 2x4 decking") << posts(Posts::SixInch, Decking::TwoByFour) << both(six, twoByFour);
    QTest::newRow("6-inch posts, 2x6 decking") << posts(Posts::SixInch, Decking::TwoBySix) << both(six, twoBySix);
    QTest::newRow("6-inch posts, 5/4x6 decking")
        << posts(Posts::SixInch, Decking::FiveQuarterBySix) << both(six, fiveQuarter);

    const auto mode = [](ViewingMode m) { Answers a = workedExample(); a.viewing = m; return a; };
    QTest::newRow("wireframe") << mode(ViewingMode::Wireframe) << Lines{{24, "0          - WireFrame"}};
    QTest::newRow("hidden line") << mode(ViewingMode::HiddenLine) << Lines{{24, "1          - Hidden"}};
    QTest::newRow("shaded") << mode(ViewingMode::Shaded) << Lines{{24, "2          - Shaded"}};
}

void TestDeckParameters::variations()
{
    QFETCH(Answers, answers);
    QFETCH(Lines, changed);
    const QByteArray example = golden::read(WorkedExample);
    COMPARE_BYTES(fileOf(example, answers), golden::withLines(example, changed));
}

void TestDeckParameters::beamAndJoistTexts_data()
{
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Lines>("changed");
    for (const BeamRow &beam : BeamRows) {
        for (const JoistRow &joist : JoistRows) {
            Answers a = workedExample();
            a.beamSize = beam.text;
            a.joistSize = joist.text;
            const Lines changed{
                {6, beam.spacing + "       ' X,   ', Length Between Posts"},
                {9, beam.height},
                {10, beam.depth},
                {12, joist.height},
                {13, beam.spacing + "       ' Z - Joist Depth"},
                {14, joist.width},
                {21, "12 foot " + beam.label + " Beams"},
                {22, beam.spacing + " foot " + joist.label + " Joists"},
            };
            QTest::addRow("beam \"%s\", joist \"%s\"", qPrintable(beam.text), qPrintable(joist.text)) << a << changed;
        }
    }
}

void TestDeckParameters::beamAndJoistTexts()
{
    variations();
}

void TestDeckParameters::deckTypes_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QByteArray>("code");
    const QString rectangle = QStringLiteral("*Program Data\\3D Decks\\Deck_Rectangle.bsx");
    const QString lShape = QStringLiteral("*Program Data\\3D Decks\\Deck_L-Shape.bsx");
    QTest::newRow("1 square") << 1 << "Deck_Rectangle.txt" << rectangle << QByteArray("1     - Deck Type");
    QTest::newRow("2 rectangle") << 2 << "Deck_Rectangle.txt" << rectangle << QByteArray("1     - Deck Type");
    QTest::newRow("3 L, leg left") << 3 << "Deck_L-Shape.txt" << lShape << QByteArray("1     - Deck Type");
    QTest::newRow("4 L, leg right") << 4 << "Deck_L-Shape.txt" << lShape << QByteArray("2     - Deck Type");
    QTest::newRow("5 L, top left") << 5 << "Deck_L-Shape.txt" << lShape << QByteArray("3     - Deck Type");
    QTest::newRow("6 L, top right") << 6 << "Deck_L-Shape.txt" << lShape << QByteArray("4     - Deck Type");
    QTest::newRow("7 both corners cut") << 7 << "Deck_Slice2.txt" << "*Program Data\\3D Decks\\Deck_Slice2.bsx"
                                        << QByteArray("1     - Deck Type");
    QTest::newRow("8 right corner cut") << 8 << "Deck_Slice.txt" << "*Program Data\\3D Decks\\Deck_Slice.bsx"
                                        << QByteArray("1     - Deck Type");
    QTest::newRow("9 left corner cut") << 9 << "Deck_Slice.txt" << "*Program Data\\3D Decks\\Deck_Slice.bsx"
                                       << QByteArray("0     - Deck Type");
}

void TestDeckParameters::deckTypes()
{
    QFETCH(int, deckType);
    QFETCH(QString, file);
    QFETCH(QString, symbol);
    QFETCH(QByteArray, code);
    QCOMPARE(parameterFile(deckType), file);
    QCOMPARE(symbolPath(deckType), symbol);
    Answers a = workedExample();
    a.deckType = deckType;
    const QByteArray example = golden::read(WorkedExample);
    COMPARE_BYTES(fileOf(example, a), golden::withLines(example, {{19, code}}));
}

void TestDeckParameters::slicesDifferOnlyInTheDeckTypeCode()
{
    Answers right = workedExample();
    right.deckType = 8;
    Answers left = right;
    left.deckType = 9;
    const QStringList r = framingLines(right);
    const QStringList l = framingLines(left);
    QCOMPARE(parameterFile(8), parameterFile(9));
    for (int line = 4; line <= 24; ++line)
        if (line != 19)
            QCOMPARE(l[line - 4], r[line - 4]);
    QCOMPARE(r[19 - 4], QStringLiteral("1     - Deck Type"));
    QCOMPARE(l[19 - 4], QStringLiteral("0     - Deck Type"));
}

void TestDeckParameters::aDeckTypeOutsideTheRangeHasNoFamily()
{
    for (int deckType : {0, 10, -1}) {
        QVERIFY(parameterFile(deckType).isEmpty());
        QVERIFY(symbolPath(deckType).isEmpty());
        Answers a = workedExample();
        a.deckType = deckType;
        QCOMPARE(framingLines(a).size(), 21);
    }
}

void TestDeckParameters::joistsAgainstBeams_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("beam");
    QTest::addColumn<QString>("joist");
    QTest::addColumn<bool>("refused");
    const QStringList texts{"2 X 6", "2 X 8", "2 X 10", "2 x 6", "2 x 8", "2 X 12", "", "2 X 10 "};
    const QList<QPair<QString, QString>> deeper{{"2 X 6", "2 X 8"}, {"2 X 6", "2 X 10"}, {"2 X 8", "2 X 10"}};
    for (int deckType = 1; deckType <= 9; ++deckType)
        for (const QString &beam : texts)
            for (const QString &joist : texts)
                QTest::addRow("type %d, beam \"%s\", joist \"%s\"", deckType, qPrintable(beam), qPrintable(joist))
                    << deckType << beam << joist << (deckType >= 7 && deeper.contains({beam, joist}));
}

void TestDeckParameters::joistsAgainstBeams()
{
    QFETCH(int, deckType);
    QFETCH(QString, beam);
    QFETCH(QString, joist);
    QFETCH(bool, refused);
    QCOMPARE(joistsDeeperThanBeams(deckType, beam, joist), refused);
}

void TestDeckParameters::benchmarkFramingSection()
{
    const Answers answers = workedExample();
    QByteArray bytes;
    QBENCHMARK {
        bytes = textfiles::encodeLines(framingLines(answers));
    }
    QCOMPARE(bytes.count("\r\n"), 21);
}

QTEST_GUILESS_MAIN(TestDeckParameters)
#include "tst_deckparameters.moc"
