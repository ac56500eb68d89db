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
    void deckTypes_data();
    void deckTypes();
    void aDeckTypeOutsideTheRangeHasNoFamily();
    void joistsAgainstBeams_data();
    void joistsAgainstBeams();
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

// Each row changes the worked example's deck width, posts and decking, viewing
// mode, or beam and joist texts; the expected file is the worked example with
// the listed lines replaced.
void TestDeckParameters::variations_data()
{
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Lines>("changed");

    const QList<QPair<double, QByteArray>> widths{{0, "10"},   {11.5, "10"}, {11.999, "10"}, {12, "12"},
                                                  {12.5, "12"}, {13.9, "12"}, {14, "14"},      {15.5, "14"},
                                                  {16, "16"},  {19.5, "16"}, {20, "20"},      {99, "20"}};
    for (const auto &[w, beamWidth] : widths) {
        Answers a = workedExample();
        a.deckWidth = w;
        QTest::addRow("W %g", w) << a
                                 << Lines{{11, beamWidth + "      - X - Beam Width"}, {21, beamWidth + " foot 2x8 Beams"}};
    }

    const QList<std::tuple<const char *, Posts, Lines>> posts{
        {"4-inch posts", Posts::FourInch, {{7, "4       ' XZ,  ', Post Width & Depth"}, {20, "4 inch x 4 inch Square Posts"}}},
        {"6-inch posts", Posts::SixInch, {{7, "6       ' XZ,  ', Post Width & Depth"}, {20, "6 inch x 6 inch Square Posts"}}}};
    const QList<std::tuple<const char *, Decking, Lines>> deckings{
        {"2x4 decking", Decking::TwoByFour,
         {{16, "1.5     ' Y - Decking Height"}, {17, "3.5     ' Z - Decking Depth"}, {23, "2x4 Pieces of Decking"}}},
        {"2x6 decking", Decking::TwoBySix,
         {{16, "1.5     ' Y - Decking Height"}, {17, "5.5     ' Z - Decking Depth"}, {23, "2x6 Pieces of Decking"}}},
        {"5/4x6 decking", Decking::FiveQuarterBySix,
         {{16, "1       ' Y - Decking Height"}, {17, "5.5     ' Z - Decking Depth"}, {23, "2x6 Pieces of Decking"}}}};
    for (const auto &[postName, post, postLines] : posts) {
        for (const auto &[deckingName, decking, deckingLines] : deckings) {
            Answers a = workedExample();
            a.posts = post;
            a.decking = decking;
            Lines changed = postLines;
            changed.insert(deckingLines);
            QTest::addRow("%s, %s", postName, deckingName) << a << changed;
        }
    }

    const auto mode = [](ViewingMode m) { Answers a = workedExample(); a.viewing = m; return a; };
    QTest::newRow("wireframe") << mode(ViewingMode::Wireframe) << Lines{{24, "0          - WireFrame"}};
    QTest::newRow("hidden line") << mode(ViewingMode::HiddenLine) << Lines{{24, "1          - Hidden"}};
    QTest::newRow("shaded") << mode(ViewingMode::Shaded) << Lines{{24, "2          - Shaded"}};

    for (const BeamRow &beam : BeamRows) {
        for (const JoistRow &joist : JoistRows) {
            Answers a = workedExample();
            a.beamSize = beam.text;
            a.joistSize = joist.text;
            const Lines changed{{6, beam.spacing + "       ' X,   ', Length Between Posts"}, {9, beam.height},
                                {10, beam.depth}, {12, joist.height}, {13, beam.spacing + "       ' Z - Joist Depth"},
                                {14, joist.width}, {21, "12 foot " + beam.label + " Beams"},
                                {22, beam.spacing + " foot " + joist.label + " Joists"}};
            QTest::addRow("beam \"%s\", joist \"%s\"", qPrintable(beam.text), qPrintable(joist.text)) << a << changed;
        }
    }
}

void TestDeckParameters::variations()
{
    QFETCH(Answers, answers);
    QFETCH(Lines, changed);
    const QByteArray example = golden::read(WorkedExample);
    COMPARE_BYTES(fileOf(example, answers), golden::withLines(example, changed));
}

void TestDeckParameters::deckTypes_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("family"); // the file's and the symbol's name
    QTest::addColumn<int>("code");       // line 19
    QTest::newRow("1 square") << 1 << "Deck_Rectangle" << 1;
    QTest::newRow("2 rectangle") << 2 << "Deck_Rectangle" << 1;
    QTest::newRow("3 L, leg left") << 3 << "Deck_L-Shape" << 1;
    QTest::newRow("4 L, leg right") << 4 << "Deck_L-Shape" << 2;
    QTest::newRow("5 L, top left") << 5 << "Deck_L-Shape" << 3;
    QTest::newRow("6 L, top right") << 6 << "Deck_L-Shape" << 4;
    QTest::newRow("7 both corners cut") << 7 << "Deck_Slice2" << 1;
    QTest::newRow("8 right corner cut") << 8 << "Deck_Slice" << 1;
    QTest::newRow("9 left corner cut") << 9 << "Deck_Slice" << 0;
}

// Each deck type's file is the worked example but for line 19, so deck types
// 8 and 9, which share a file, differ in that line alone.
void TestDeckParameters::deckTypes()
{
    QFETCH(int, deckType);
    QFETCH(QString, family);
    QFETCH(int, code);
    QCOMPARE(parameterFile(deckType), family + ".txt");
    QCOMPARE(symbolPath(deckType), "*Program Data\\3D Decks\\" + family + ".bsx");
    Answers a = workedExample();
    a.deckType = deckType;
    const QByteArray example = golden::read(WorkedExample);
    COMPARE_BYTES(fileOf(example, a), golden::withLines(example, {{19, QByteArray::number(code) + "     - Deck Type"}}));
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

QTEST_GUILESS_MAIN(TestDeckParameters)
#include "tst_deckparameters.moc"
