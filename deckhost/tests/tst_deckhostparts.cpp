// deckhost's parts that need no bus: its command line, its journal lines and
// their short form, the parameter files it shows, and its window.
#include "hostwindow.h"
#include "journal.h"
#include "options.h"
#include "parameterfiles.h"

#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
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
    void helpNamesEveryOption();
    void journalLineKeepsItsOrderAndEscapes();
    void compactCalls_data();
    void compactCalls();
    void parameterFilesInOrder();
    void noParameterFiles();
    void windowListsCallsAndFiles();
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
    QTest::newRow("help") << QStringList{"--help"} << "journal= folder=/own headless=0 help=1 fail= wrong= delay=";
    QTest::newRow("unknown option") << QStringList{"--window"}
                                    << "error: unknown option \"--window\" (see --help).";
    QTest::newRow("value missing") << QStringList{"--journal"} << "error: --journal needs a value (see --help).";
    QTest::newRow("no such member")
        << QStringList{"--fail", "prepare"}
        << "error: --fail prepare: there is no member \"prepare\" (see --help for the members).";
    QTest::newRow("delay without time") << QStringList{"--delay", "Prepare"}
                                        << "error: --delay Prepare: write MEMBER=MS, e.g. --delay Prepare=5000.";
    QTest::newRow("negative delay") << QStringList{"--delay", "Prepare=-1"}
                                    << "error: --delay Prepare=-1: write MEMBER=MS, e.g. --delay Prepare=5000.";
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

void TestDeckHostParts::helpNamesEveryOption()
{
    for (const char *option : {"--journal FILE", "--wizard-folder DIR", "--headless", "--fail MEMBER",
                               "--delay MEMBER=MS", "--wrong-type MEMBER", "--help", "already owns"})
        QVERIFY2(helpText().contains(QLatin1String(option)), option);
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

void TestDeckHostParts::compactCalls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QJsonArray>("args");
    QTest::addColumn<QString>("line");
    QTest::newRow("get") << "get" << "/Application" << "ActiveProvider" << QJsonArray{}
                         << "get /Application ActiveProvider";
    QTest::newRow("call without arguments") << "call" << "/Application" << "Prepare" << QJsonArray{}
                                            << "call /Application Prepare";
    QTest::newRow("put") << "put" << "/Application/ActiveTarget" << "Mode2D" << QJsonArray{true}
                         << "put /Application/ActiveTarget Mode2D True";
    QTest::newRow("strings unescaped, booleans by name")
        << "call" << "/Application/Provider/Target/Loader" << "LoadSymbol"
        << QJsonArray{R"(*\Program Data\2D Decks\Deck 19.dc)", false, true, true}
        << R"(call /Application/Provider/Target/Loader LoadSymbol "*\Program Data\2D Decks\Deck 19.dc", False, True, True)";
    QTest::newRow("numbers as printed") << "call" << "/A" << "M" << QJsonArray{3, 2.5} << "call /A M 3, 2.5";
}

void TestDeckHostParts::compactCalls()
{
    QFETCH(QString, kind);
    QFETCH(QString, path);
    QFETCH(QString, member);
    QFETCH(QJsonArray, args);
    QFETCH(QString, line);
    QCOMPARE(compactCall(ReceivedCall{path, "Plankora.X", member, kind, args}), line);
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

void TestDeckHostParts::noParameterFiles()
{
    QTemporaryDir folder;
    QCOMPARE(describeParameterFiles(folder.path(), parameterFiles(folder.path())),
             QStringLiteral("No parameter files in %1.\n").arg(folder.path()));
}

void TestDeckHostParts::windowListsCallsAndFiles()
{
    QTemporaryDir folder;
    write(folder, "DeckSize.txt", "24.5\r\n");
    HostWindow window(folder.path());
    window.addCall({"/Application", "Plankora.HostApplication", "Prepare", "call", {}});
    window.addCall({"/Application/ActiveTarget", "Plankora.SymbolTarget", "Mode2D", "put", {true}});
    QCOMPARE(window.calls->count(), 2);
    QCOMPARE(window.calls->item(1)->text(), QStringLiteral("put /Application/ActiveTarget Mode2D True"));
    QVERIFY(window.parameterFiles->toPlainText().isEmpty());
    window.showParameterFiles(R"(*\Program Data\2D Decks\2ddecks.bsx)");
    QCOMPARE(window.parameterFiles->toPlainText(),
             QStringLiteral("After OpenSymbolFile \"*\\Program Data\\2D Decks\\2ddecks.bsx\":\n\nDeckSize.txt\n    24.5\n"));
}

QTEST_MAIN(TestDeckHostParts)
#include "tst_deckhostparts.moc"
