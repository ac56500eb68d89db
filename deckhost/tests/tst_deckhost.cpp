// The deckhost program on a private session bus: its journal file (and one
// it cannot open), its claim on the name, its journal on stdout, and how it
// answers what the contract does not allow (data/contract.txt).
#include "datatable.h"
#include "deckhostprocess.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusPendingCall>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString Service = QStringLiteral("Plankora.Application");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

QDBusMessage ask(const QString &path, const QString &interface, const QString &member, const QVariantList &args,
                 int timeoutMs = 2000)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, member);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, timeoutMs);
}

} // namespace

class TestDeckHost : public QObject {
    Q_OBJECT
private slots:
    void aJournalInNoFolder();
    void aJournalThatIsAFifo();
    void aSecondHostIsTurnedAway();
    void noSessionBus();
    void journalLinesAlsoGoToStdout();
    void targetsAreDistinctObjects();
    void aWindowedHostKeepsAnswering();
    void whatTheContractDoesNotAllow_data();
    void whatTheContractDoesNotAllow();
    void aFloodOfCallsIsAnswered();
    void aPathWithALineBreakIsRefused();
};

void TestDeckHost::aJournalInNoFolder()
{
    QProcess process;
    process.start(qEnvironmentVariable("DECKHOST"), {"--headless", "--journal", "/nonexistent/folder/journal"});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("deckhost: cannot open the journal /nonexistent/folder/journal: No such file or directory\n"));
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
}

// A FIFO named as the journal is refused at once rather than waited on.
void TestDeckHost::aJournalThatIsAFifo()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("journal");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QProcess process;
    process.start(qEnvironmentVariable("DECKHOST"), {"--headless", "--journal", fifo});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QStringLiteral("deckhost: cannot open the journal %1: it is not a regular file\n").arg(fifo).toUtf8());
}

void TestDeckHost::aSecondHostIsTurnedAway()
{
    DeckHostProcess first;
    QVERIFY(first.start());
    QProcess second;
    second.start(qEnvironmentVariable("DECKHOST"), {"--headless"});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 1);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    QVERIFY2(err.startsWith(R"(deckhost: "Plankora.Application" is already owned on the session bus by :)"), qPrintable(err));
    QVERIFY2(err.endsWith(QStringLiteral("(process %1): another host application is running. Stop it first, or use that one.\n")
                              .arg(first.processId())),
             qPrintable(err));
}

// A session bus that is not there: refused with the way to start one.
void TestDeckHost::noSessionBus()
{
    QTemporaryDir dir;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("no-bus"));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("DECKHOST"), {"--headless"});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 1);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.startsWith(R"(deckhost: there is no session bus to offer "Plankora.Application" on ()"), qPrintable(err));
    QVERIFY2(err.endsWith("). Start one, e.g. with dbus-run-session -- deckhost.\n") && err.count(u'\n') == 1, qPrintable(err));
}

void TestDeckHost::journalLinesAlsoGoToStdout()
{
    QProcess process;
    process.start(qEnvironmentVariable("DECKHOST"), {"--headless"});
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(Service).value(), 10000);
    ask("/Application/Provider/Target", "Plankora.SymbolTarget", "OpenSymbolFile", {R"(*\a "b".bsx)"});
    QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 5000);
    QCOMPARE(process.readLine(),
             QByteArray(R"({"path":"/Application/Provider/Target","interface":"Plankora.SymbolTarget",)"
                        "\"member\":\"OpenSymbolFile\",\"kind\":\"call\",\"args\":[\"*\\\\a \\\"b\\\".bsx\"]}\n"));
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
}

void TestDeckHost::targetsAreDistinctObjects()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    QCOMPARE(ask("/Application/ActiveTarget", Properties, "Set",
                 {"Plankora.SymbolTarget", "Mode2D", QVariant::fromValue(QDBusVariant(true))})
                 .type(),
             QDBusMessage::ReplyMessage);
    for (const auto &[target, mode] : {std::pair{"/Application/ActiveTarget", true}, {"/Application/Provider/Target", false}})
        QCOMPARE(ask(target, Properties, "Get", {"Plankora.SymbolTarget", "Mode2D"}).arguments().value(0).value<QDBusVariant>().variant(),
                 QVariant(mode));
}

// A megabyte path to the host with its window: refused as longer than any
// path, and the next call is still answered within two seconds (before,
// laying the path out took a minute).
void TestDeckHost::aWindowedHostKeepsAnswering()
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(qEnvironmentVariable("DECKHOST"), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(Service).value(), 10000);
    const QString path = QStringLiteral("*\\") + QString(1 << 20, u'x') + QStringLiteral(".bsx");
    const QDBusMessage refused = ask("/Application/ActiveTarget", "Plankora.SymbolTarget", "OpenSymbolFile", {path});
    QCOMPARE(refused.errorName() + ": " + refused.errorMessage(),
             QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs: OpenSymbolFile takes a path of at most 4096 bytes, not %1.")
                 .arg(path.size()));
    // The calls after it, a little apart, while the window shows it.
    for (int call = 0; call < 3; ++call, QThread::msleep(300))
        QCOMPARE(ask("/Application", Properties, "Get", {"Plankora.HostApplication", "ActiveTarget"}).type(),
                 QDBusMessage::ReplyMessage);
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
}

void TestDeckHost::whatTheContractDoesNotAllow_data()
{
    rowsOf(JM_TESTDATA "/contract.txt", 4);
}

void TestDeckHost::whatTheContractDoesNotAllow()
{
    QFETCH(QStringList, row);
    QVariantList args;
    for (const QString &a : row[4].split(u' ', Qt::SkipEmptyParts))
        args << (a.startsWith(u"string:") ? QVariant::fromValue(QDBusVariant(a.mid(7)))
                 : a.startsWith(u"path:") ? QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusObjectPath(a.mid(5)))))
                                          : QVariant(a));
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    const QDBusMessage reply = ask(row[1], row[2], row[3], args);
    QCOMPARE(reply.errorName() + ": " + reply.errorMessage(), row[5]);
    QCOMPARE(deckhost.calls(), QStringList{row[6]});
}

// 3,000 OpenSymbolFile calls sent at once to the host with its window: every
// one is answered, and so is a property read sent after them (it waited up
// to 19 s when each call built its deck).
void TestDeckHost::aFloodOfCallsIsAnswered()
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(qEnvironmentVariable("DECKHOST"), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(Service).value(), 10000);
    QList<QDBusPendingCall> calls;
    for (int i = 0; i < 3000; ++i) {
        QDBusMessage message = QDBusMessage::createMethodCall(Service, "/Application/ActiveTarget", "Plankora.SymbolTarget",
                                                              "OpenSymbolFile");
        message.setArguments({QStringLiteral("*\\Program Data\\3D Decks\\Deck_Rectangle.bsx")});
        calls << QDBusConnection::sessionBus().asyncCall(message, 60000);
    }
    // Answered behind the flood, not starved by it. How soon depends on the
    // machine (a sanitizer build on two busy cores took more than 2 s): the
    // bound on the host's own work per call is measured by bench/hostflood.
    QCOMPARE(ask("/Application", Properties, "Get", {"Plankora.HostApplication", "ActiveTarget"}, 30000).type(),
             QDBusMessage::ReplyMessage);
    for (QDBusPendingCall &call : calls) {
        call.waitForFinished();
        QVERIFY(!call.isError());
    }
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
}

// A symbol path holding CR LF would become lines of its own in the host's
// files: refused before anything is done with it.
void TestDeckHost::aPathWithALineBreakIsRefused()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    for (const QString &member : {QStringLiteral("OpenSymbolFile"), QStringLiteral("LoadSymbol")}) {
        const bool open = member == u"OpenSymbolFile";
        const QString path = QStringLiteral("a.bsx\r\nopened b.bsx");
        const QDBusMessage reply = open ? ask("/Application/ActiveTarget", "Plankora.SymbolTarget", member, {path})
                                        : ask("/Application/ActiveTarget/Loader", "Plankora.SymbolLoader", member,
                                              {path, false, false, false});
        QCOMPARE(reply.errorName() + ": " + reply.errorMessage(),
                 "org.freedesktop.DBus.Error.InvalidArgs: " + member
                     + " takes a path without control characters; \"a.bsx\\r\\nopened b.bsx\" holds one at character 6.");
    }
}

QTEST_GUILESS_MAIN(TestDeckHost)
#include "tst_deckhost.moc"
