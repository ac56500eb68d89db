// deckviewer's command line, read without starting it, against the table in
// data/command-lines.txt.
#include "datatable.h"
#include "vieweroptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace deckviewer;

class TestViewerOptions : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void hostileArguments_data();
    void hostileArguments();
    void anOutputThatIsAnInputIsRefused_data();
    void anOutputThatIsAnInputIsRefused();
    void helpText();
    void wrapped_data();
    void wrapped();
};

void TestViewerOptions::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/command-lines.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 26);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f[1].split(u' ', Qt::SkipEmptyParts) << f[2];
}

void TestViewerOptions::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    const jm::Result<Options> read = parseOptions(arguments);
    QCOMPARE(read ? QStringLiteral("open=%1 render=%2 out=%3 view=%4 mode=%5 help=%6 code=%7/%8/%9/%10 framing=%11 code-given=%12")
                        .arg(read->open, read->render, read->out, read->view, read->mode)
                        .arg(read->help)
                        .arg(deckmodel::speciesKey(read->code.species))
                        .arg(read->code.snowLoadPsf)
                        .arg(read->code.soilBearingPsf)
                        .arg(deckmodel::footingKey(read->code.footing))
                        .arg(read->suggestedFraming ? QStringLiteral("suggested") : QStringLiteral("designed"))
                        .arg(read->codeGiven)
                  : QStringLiteral("error: ") + read.error(),
             parsed);
}

// Values no one types on purpose: empty, with terminal escapes, very long.
// A message quotes at most 80 characters of one, its control characters
// escaped; an option that would be silently ignored is refused.
void TestViewerOptions::hostileArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    const QStringList render{"--render", "d", "--out", "x.pdf"};
    QTest::newRow("--sheets empty") << render + QStringList{"--sheets", ""} << "--sheets \"\": the value is empty (see --help).";
    QTest::newRow("--prices empty") << render + QStringList{"--prices", ""} << "--prices \"\": the value is empty (see --help).";
    QTest::newRow("--out empty") << QStringList{"--render", "d", "--out", ""} << "--out \"\": the value is empty (see --help).";
    QTest::newRow("--paper without --sheets") << render + QStringList{"--paper", "a4"}
                                              << "--paper is the paper of a drawing set: it goes with --sheets (see --help).";
    QTest::newRow("a terminal escape in a value") << render + QStringList{"--view", "\x1b[2Jiso"}
                                                  << "--view \"\\x1b[2Jiso\": write iso, plan, front or side.";
    QTest::newRow("a long value")
        << render + QStringList{"--species", QString(100000, u'p')}
        << "--species \"" + QString(80, u'p') + "...\": write southern-pine, dfl or redwood.";
    QTest::newRow("a value of 80 plain characters, as typed")
        << render + QStringList{"--mode", QString(80, u'm')} << "--mode " + QString(80, u'm') + ": write wireframe, hidden or shaded.";
    QTest::newRow("a long unknown option with a line break")
        << render + QStringList{"--x\r\n" + QString(200, u'y')}
        << "unknown option \"--x\\r\\n" + QString(75, u'y') + "...\" (see --help).";
    QTest::newRow("--waste with a NUL") << render + QStringList{"--waste", QString::fromLatin1("1\0", 2)}
                                        << "--waste \"1\\0\": write a percentage from 0 to 100.";
    QTest::newRow("--paper with --sheets") << render + QStringList{"--sheets", "all", "--paper", "a4"} << "";
    QTest::newRow("--attach top") << render + QStringList{"--attach", "top"} << "--attach top: write front, back, left or right.";
    QTest::newRow("--attached-to brick") << render + QStringList{"--attach", "left", "--attached-to", "brick"}
        << "--attached-to brick: write band-joist, rim-board, brick-veneer, stone-veneer, cantilevered-floor or overhang.";
    QTest::newRow("--fastener screw") << render + QStringList{"--attach", "left", "--fastener", "screw"}
                                      << "--fastener screw: write lag, bolt or bolt-washers.";
    QTest::newRow("--sheathing past 12") << render + QStringList{"--attach", "left", "--sheathing", "12.5"}
        << "--sheathing 12.5: write the inches between ledger and band joist, 0 to 12.";
    QTest::newRow("--sheathing below 0") << render + QStringList{"--attach", "left", "--sheathing", "-1"}
        << "--sheathing -1: write the inches between ledger and band joist, 0 to 12.";
    QTest::newRow("--fastener without --attach") << render + QStringList{"--fastener", "bolt"}
        << "--attached-to, --fastener and --sheathing say how the deck hangs on the house: they go with --attach (see --help).";
    QTest::newRow("--attach with all of them")
        << render + QStringList{"--attach", "right", "--attached-to", "rim-board", "--fastener", "bolt-washers", "--sheathing", "0.75"}
        << "";
}

void TestViewerOptions::hostileArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(parseOptions(arguments).error(), error);
}

// --out naming a file the run reads: the deck file, a wizard file of the
// folder rendered, one given as read besides (the price list), or a link to
// one of them.
void TestViewerOptions::anOutputThatIsAnInputIsRefused_data()
{
    QTest::addColumn<QString>("render"); // in the folder "deck"
    QTest::addColumn<QString>("out");    // in the folder
    QTest::addColumn<QString>("refused"); // the input named, or empty
    QTest::newRow("the folder's deck file") << "deck" << "deck/Deck_Rectangle.txt" << "deck/Deck_Rectangle.txt";
    QTest::newRow("the folder's DeckType.txt") << "deck" << "deck/DeckType.txt" << "deck/DeckType.txt";
    QTest::newRow("the deck file rendered") << "deck/Deck_Rectangle.txt" << "deck/Deck_Rectangle.txt" << "deck/Deck_Rectangle.txt";
    QTest::newRow("the deck file by another path") << "deck/Deck_Rectangle.txt" << "deck/../deck/./Deck_Rectangle.txt" << "deck/Deck_Rectangle.txt";
    QTest::newRow("a link to the deck file") << "deck" << "link.txt" << "deck/Deck_Rectangle.txt";
    QTest::newRow("the price list") << "deck" << "prices.csv" << "prices.csv";
    QTest::newRow("a new file") << "deck" << "deck/Deck_Rectangle.csv" << "";
    QTest::newRow("another file in the folder") << "deck" << "deck/notes.txt" << "";
}

void TestViewerOptions::anOutputThatIsAnInputIsRefused()
{
    QFETCH(QString, render);
    QFETCH(QString, out);
    QFETCH(QString, refused);
    QTemporaryDir dir;
    const auto write = [&](const QString &name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write("x\r\n") == 3;
    };
    QVERIFY(QDir(dir.path()).mkdir("deck") && write("deck/Deck_Rectangle.txt") && write("deck/DeckType.txt")
            && write("deck/notes.txt") && write("prices.csv"));
    QVERIFY(QFile::link(dir.filePath("deck/Deck_Rectangle.txt"), dir.filePath("link.txt")));
    Options options;
    options.render = dir.filePath(render);
    options.out = dir.filePath(out);
    const jm::Status checked = outputIsNoInput(options, {dir.filePath("prices.csv"), dir.filePath("deckviewer.conf")});
    QCOMPARE(checked.error(), refused.isEmpty() ? QString()
                                                : QStringLiteral("--out \"%1\" is \"%2\", which this run reads: name another file.")
                                                      .arg(dir.filePath(out), dir.filePath(refused)));
    QCOMPARE(dataBytes(dir.filePath("deck/Deck_Rectangle.txt")), QByteArray("x\r\n"));
}

// The whole help, every byte, against data/help.txt: its paragraph listing
// the deck parameter files is wrapped from the catalogue's families.
void TestViewerOptions::helpText()
{
    QCOMPARE(parameterFileList(), QStringLiteral("Deck_Rectangle.txt, Deck_L-Shape.txt, Deck_Slice.txt or Deck_Slice2.txt"));
    QFile golden(JM_TESTDATA "/help.txt");
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(deckviewer::helpText().toUtf8(), golden.readAll());
}

// Lines of at most the width, broken only between words; a word longer than
// the width stands alone on its line.
void TestViewerOptions::wrapped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("lines");
    QTest::newRow("one line") << "a bc def" << 8 << "a bc def\n";
    QTest::newRow("one over") << "a bc def" << 7 << "a bc\ndef\n";
    QTest::newRow("blanks folded") << "  a   bc  " << 10 << "a bc\n";
    QTest::newRow("a long word alone") << "a abcdefgh b" << 4 << "a\nabcdefgh\nb\n";
    QTest::newRow("nothing") << "" << 79 << "";
}

void TestViewerOptions::wrapped()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QString, lines);
    QCOMPARE(deckviewer::wrapped(text, columns), lines);
}

QTEST_GUILESS_MAIN(TestViewerOptions)
#include "tst_vieweroptions.moc"
