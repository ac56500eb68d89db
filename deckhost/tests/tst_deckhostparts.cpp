// deckhost's command line, read without starting it, against the table in
// data/command-lines.txt; the calls panel with a megabyte argument.
#include "callspanel.h"
#include "datatable.h"
#include "hostobject.h"
#include "options.h"
#include "symbolcalls.h"

#include <QFile>
#include <QListWidget>
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
    QString summary = QStringLiteral("journal=%1 folder=%2 headless=%3 help=%4 fail=%5 wrong=%6 delay=%7")
                          .arg(o.journal, o.wizardFolder)
                          .arg(o.headless)
                          .arg(o.help)
                          .arg(failing.join(u','), wrong.join(u','), delays.join(u','));
    if (const std::optional<deckviewer::Options> &v = o.viewer)
        summary += QStringLiteral(" viewer: open=%1 render=%2 out=%3 view=%4 mode=%5")
                       .arg(v->open, v->render, v->out, v->view, v->mode);
    return summary;
}

} // namespace

class TestDeckHostParts : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void help();
    void aLongCallIsShownShort();
    void hostilePaths_data();
    void hostilePaths();
    void theListKeepsTheLatestCalls();
    void aFloodOfCallsIsPassedOnOnce_data();
    void aFloodOfCallsIsPassedOnOnce();
    void callsSpreadOverTime_data();
    void callsSpreadOverTime();
};

void TestDeckHostParts::commandLine_data()
{
    wordRows(JM_TESTDATA "/command-lines.txt", 16);
}

void TestDeckHostParts::commandLine()
{
    QFETCH(QStringList, words);
    QTEST(summary(parseOptions(words, QStringLiteral("/own"))), "expected");
}

// --help's text whole (data/help.txt).
void TestDeckHostParts::help()
{
    QCOMPARE(helpText(), QString::fromUtf8(dataBytes(JM_TESTDATA "/help.txt")));
}

void TestDeckHostParts::aLongCallIsShownShort()
{
    CallsPanel panel(QStringLiteral("/own"));
    const QString path = QStringLiteral("*\\") + QString(1 << 20, u'x');
    panel.addCall({"/Application/ActiveTarget", "Plankora.SymbolTarget", "OpenSymbolFile", "call", {path}});
    panel.addCall({"/Application", "Plankora.HostApplication", "Prepare", "call", {}});
    QTRY_COMPARE(panel.calls->count(), 2);
    // 300 characters: the 49 of `call /Application/ActiveTarget OpenSymbolFile "*\`, 248 x and "...".
    QCOMPARE(panel.calls->item(0)->text(),
             QStringLiteral("call /Application/ActiveTarget OpenSymbolFile \"*\\") + QString(248, u'x') + "...");
    QCOMPARE(panel.calls->item(1)->text(), "call /Application Prepare");
}

// A flood of calls keeps the latest 1,000 in the list, in order, in two
// bursts as in one.
void TestDeckHostParts::theListKeepsTheLatestCalls()
{
    CallsPanel panel(QStringLiteral("/own"));
    const auto call = [&](int i) {
        panel.addCall({"/Application", "Plankora.HostApplication", "Prepare", "call", {i}});
    };
    for (int i = 1; i <= 700; ++i)
        call(i);
    QTRY_COMPARE(panel.calls->count(), 700);
    for (int i = 701; i <= 2500; ++i)
        call(i);
    QTRY_COMPARE(panel.calls->item(panel.calls->count() - 1)->text(), "call /Application Prepare 2500");
    QCOMPARE(panel.calls->count(), 1000);
    QCOMPARE(panel.calls->item(0)->text(), "call /Application Prepare 1501");
    for (int i = 2501; i <= 2800; ++i)
        call(i);
    QTRY_COMPARE(panel.calls->item(panel.calls->count() - 1)->text(), "call /Application Prepare 2800");
    QCOMPARE(panel.calls->count(), 1000);
    QCOMPARE(panel.calls->item(0)->text(), "call /Application Prepare 1801");
    QCOMPARE(panel.calls->item(699)->text(), "call /Application Prepare 2500");
}

// What a symbol path over the bus may hold: at most PATH_MAX bytes, no
// control character (a CR LF would split the host's files' lines).
void TestDeckHostParts::hostilePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("plain") << "*\\Program Data\\3D Decks\\Deck_Rectangle.bsx" << "";
    QTest::newRow("CR LF") << "a.bsx\r\nopened b.bsx"
                           << "OpenSymbolFile takes a path without control characters; \"a.bsx\\r\\nopened b.bsx\" holds "
                              "one at character 6.";
    QTest::newRow("a terminal escape") << "\x1b]0;x\x07.bsx"
                                       << "OpenSymbolFile takes a path without control characters; \"\\x1b]0;x\\x07.bsx\" "
                                          "holds one at character 1.";
    QTest::newRow("DEL") << "a\x7f" << "OpenSymbolFile takes a path without control characters; \"a\\x7f\" holds one at character 2.";
    QTest::newRow("4,096 bytes") << QString(4096, u'x') << "";
    QTest::newRow("4,097 bytes") << QString(4097, u'x') << "OpenSymbolFile takes a path of at most 4096 bytes, not 4097.";
    QTest::newRow("2,049 characters of 2 bytes") << QString(2049, QChar(0xe9))
                                                 << "OpenSymbolFile takes a path of at most 4096 bytes, not 4098.";
    QTest::newRow("50 MB") << QString(50 << 20, u'x') << "OpenSymbolFile takes a path of at most 4096 bytes, not 52428800.";
}

void TestDeckHostParts::hostilePaths()
{
    QFETCH(QString, path);
    QTEST(argumentRefusal(QStringLiteral("OpenSymbolFile"), path), "refusal");
}

// Calls as quick as a loop can make them: only the latest deck is passed on,
// a load before its open, once.
void TestDeckHostParts::aFloodOfCallsIsPassedOnOnce_data()
{
    QTest::addColumn<QStringList>("calls"); // "load X" or "open X"
    QTest::addColumn<QStringList>("passedOn");
    QStringList opens;
    for (int i = 1; i <= 3000; ++i)
        opens << QStringLiteral("open %1.bsx").arg(i);
    QTest::newRow("3,000 opens") << opens << QStringList{"open 3000.bsx"};
    QTest::newRow("a load, then its opens") << (QStringList{"load a.dc"} + opens) << QStringList{"load a.dc", "open 3000.bsx"};
    QTest::newRow("a load after opens") << (opens + QStringList{"load b.dc"}) << QStringList{"load b.dc"};
    QTest::newRow("two decks") << QStringList{"load a.dc", "open a.bsx", "load b.dc", "open b.bsx", "open c.bsx"}
                               << QStringList{"load b.dc", "open c.bsx"};
}

void TestDeckHostParts::aFloodOfCallsIsPassedOnOnce()
{
    QFETCH(QStringList, calls);
    SymbolCalls symbols(20);
    QStringList passedOn;
    connect(&symbols, &SymbolCalls::symbolLoaded, this, [&](const QString &path) { passedOn << "load " + path; });
    connect(&symbols, &SymbolCalls::symbolFileOpened, this, [&](const QString &path) { passedOn << "open " + path; });
    for (const QString &call : calls)
        call.startsWith(u"load ") ? symbols.loaded(call.mid(5)) : symbols.opened(call.mid(5));
    QVERIFY(passedOn.isEmpty()); // after the calls are answered, never during them
    QTRY_VERIFY(!passedOn.isEmpty());
    QTest::qWait(100); // nothing more comes
    QTEST(passedOn, "passedOn");
}

// Calls 20 ms apart: passed on when they pause (300 ms), and while they go on
// at most once each longest wait, the latest deck each time.
void TestDeckHostParts::callsSpreadOverTime_data()
{
    QTest::addColumn<int>("calls");       // opens "1.bsx", "2.bsx", ... 20 ms apart
    QTest::addColumn<int>("longestWaitMs");
    QTest::addColumn<int>("fewestPasses");
    QTest::addColumn<int>("mostPasses");
    QTest::newRow("20 calls in 0.4 s: once, at the end") << 20 << 10000 << 1 << 1;
    QTest::newRow("60 calls in 1.2 s, at most 0.5 s waiting") << 60 << 500 << 2 << 3;
}

void TestDeckHostParts::callsSpreadOverTime()
{
    QFETCH(int, calls);
    QFETCH(int, longestWaitMs);
    QFETCH(int, fewestPasses);
    QFETCH(int, mostPasses);
    SymbolCalls symbols(300, longestWaitMs);
    QStringList passedOn;
    connect(&symbols, &SymbolCalls::symbolFileOpened, this, [&](const QString &path) { passedOn << path; });
    for (int i = 1; i <= calls; ++i) {
        symbols.opened(QStringLiteral("%1.bsx").arg(i));
        QTest::qWait(20);
    }
    QTRY_COMPARE(passedOn.value(passedOn.size() - 1), QStringLiteral("%1.bsx").arg(calls));
    QTest::qWait(400); // nothing more comes
    QVERIFY2(passedOn.size() >= fewestPasses && passedOn.size() <= mostPasses,
             qPrintable(passedOn.join(u' ')));
}

QTEST_MAIN(TestDeckHostParts)
#include "tst_deckhostparts.moc"
