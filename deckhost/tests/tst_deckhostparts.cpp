// deckhost's command line, read without starting it.
#include "options.h"

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

} // namespace

class TestDeckHostParts : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
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

QTEST_GUILESS_MAIN(TestDeckHostParts)
#include "tst_deckhostparts.moc"
