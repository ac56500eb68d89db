// deckhost's parts that need no bus: its command line, its journal lines and
// the parameter files it shows.
#include "journal.h"
#include "options.h"
#include "parameterfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString summary(const ParsedOptions &parsed)
{
    if (!parsed.error.isEmpty())
        return QStringLiteral("error: ") + parsed.error;
    const Options &o = parsed.options;
    QStringList failing(o.behaviour.failing.begin(), o.behaviour.failing.end());
    QStringList wrong(o.behaviour.wrongType.begin(), o.behaviour.wrongType.end());
    QStringList delays;
    for (auto it = o.behaviour.delaysMs.begin(); it != o.behaviour.delaysMs.end(); ++it)
        delays << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
    failing.sort();
    wrong.sort();
    delays.sort();
    return QStringLiteral("journal=%1 folder=%2 headless=%3 help=%4 fail=%5 wrong=%6 delay=%7")
        .arg(o.journal, o.wizardFolder)
        .arg(o.headless)
        .arg(o.help)
        .arg(failing.join(u','), wrong.join(u','), delays.join(u','));
}

void write(const QTemporaryDir &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestDeckHostParts : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void journalLineKeepsItsOrderAndEscapes();
    void parameterFilesInOrder();
};

void TestDeckHostParts::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("nothing: the own folder, a window")
        << QStringList{} << "journal= folder=/own headless=0 help=0 fail= wrong= delay=";
    QTest::newRow("everything")
        << QStringList{"--journal", "/tmp/j", "--wizard-folder", "/w", "--headless", "--fail", "Prepare",
                       "--fail", "Mode2D", "--delay", "Target=250", "--wrong-type", "SymbolLoader"}
        << "journal=/tmp/j folder=/w headless=1 help=0 fail=Mode2D,Prepare wrong=SymbolLoader delay=Target=250";
    QTest::newRow("unknown option") << QStringList{"--window"}
                                    << "error: unknown option \"--window\" (see --help).";
    QTest::newRow("value missing") << QStringList{"--journal"} << "error: --journal needs a value (see --help).";
    QTest::newRow("no such member")
        << QStringList{"--fail", "prepare"}
        << "error: --fail prepare: there is no member \"prepare\" (see --help for the members).";
    QTest::newRow("delay without time") << QStringList{"--delay", "Prepare"}
                                        << "error: --delay Prepare: write MEMBER=MS, e.g. --delay Prepare=5000.";
    QTest::newRow("no such view") << QStringList{"--view", "top"} << "error: --view top: write iso, plan, front or side.";
    QTest::newRow("no such mode") << QStringList{"--mode", "hidden-line"}
                                  << "error: --mode hidden-line: write wireframe, hidden or shaded.";
    QTest::newRow("delay of no member")
        << QStringList{"--delay", "Open=5"}
        << "error: --delay Open: there is no member \"Open\" (see --help for the members).";
}

void TestDeckHostParts::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    QCOMPARE(summary(parseOptions(arguments, QStringLiteral("/own"))), parsed);
}

void TestDeckHostParts::journalLineKeepsItsOrderAndEscapes()
{
    const ReceivedCall call{"/Application/Provider/Target/Loader", "Plankora.SymbolLoader", "LoadSymbol", "call",
                            QJsonArray{R"(*\Program Data\2D Decks\Deck 1.dc)", false, true, 2.5, R"(say "hi")"}};
    QCOMPARE(journalLine(call),
             QByteArray(R"({"path":"/Application/Provider/Target/Loader","interface":"Plankora.SymbolLoader",)"
                        R"("member":"LoadSymbol","kind":"call",)"
                        R"("args":["*\\Program Data\\2D Decks\\Deck 1.dc",false,true,2.5,)"
                        "\"say \\\"hi\\\"\"]}"));
}

void TestDeckHostParts::parameterFilesInOrder()
{
    QTemporaryDir folder;
    write(folder, "Deck_Slice.txt", "7 \r\n");
    write(folder, "Sizes.txt", "20\r\n10\r\n");
    write(folder, "DeckSize.txt", "24.5\r\n");
    write(folder, "Deck_L-Shape.txt", "a\nb\r\n");
    write(folder, "DeckType.txt", " 2 \r\n");
    write(folder, "notes.txt", "not a parameter file\r\n");
    const auto files = parameterFiles(folder.path());
    QStringList names;
    for (const ParameterFile &file : files)
        names << file.name;
    QCOMPARE(names, (QStringList{"DeckSize.txt", "DeckType.txt", "Sizes.txt", "Deck_L-Shape.txt", "Deck_Slice.txt"}));
    QCOMPARE(describeParameterFiles(folder.path(), files),
             QStringLiteral("DeckSize.txt\n    24.5\nDeckType.txt\n     2 \nSizes.txt\n    20\n    10\n"
                            "Deck_L-Shape.txt\n    a<LF>b\nDeck_Slice.txt\n    7 \n"));
}

QTEST_GUILESS_MAIN(TestDeckHostParts)
#include "tst_deckhostparts.moc"
