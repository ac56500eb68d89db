// The session-bus link against the real deckhost on a private bus whose
// daemon has a service file for "Plankora.Application": what the host receives
// in each conversation and what the wizard gets back for every way a host can
// let it down, against the golden journals in data/dbuslink.journals.
#include "dbusconnector.h"
#include "dbuslink.h"
#include "deckhostprocess.h"
#include "journals.h"
#include "sequences.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

#include <chrono>
#include <csignal>
#include <thread>

namespace {
// Runs a conversation; its outcome as "ok", "page shown" or "<number in hex>: <description>".
QString run(const QString &conversation, host::Bounds bounds = {300, 300})
{
    const auto connector = host::makeDBusConnector(bounds);
    if (conversation == u"start-up") {
        bool shown = false;
        host::runStartup(*connector, [&] { shown = true; });
        return shown ? QStringLiteral("page shown") : QStringLiteral("page not shown");
    }
    const host::Status status = conversation == u"2D finish"
        ? host::runFinish2D(*connector, 19, [] {}, [] { return host::success(); })
        : host::runFinish3D(*connector, "*Program Data\\3D Decks\\Deck_Slice.bsx");
    if (status)
        return QStringLiteral("ok");
    return QString::number(status.error().number, 16) + QStringLiteral(": ") + QString::fromStdString(status.error().description);
}

const QString Name = QStringLiteral("Plankora.Application");
} // namespace

class TestDBusLink : public QObject {
    Q_OBJECT
private slots:
    void conversations_data();
    void conversations();
    void boundsOfEachConversation_data();
    void boundsOfEachConversation();
    void aHostThatDiesDuringACall();
    void aHostThatHasGoneAway();
    void noBus();
    void theBusWouldHaveStartedTheHost();
};

void TestDBusLink::conversations_data()
{
    QTest::addColumn<QStringList>("journal");
    for (const auto &[name, journal] : readJournals(JM_HOST_TESTDATA "/dbuslink.journals"))
        QTest::newRow(qPrintable(name)) << journal;
}

void TestDBusLink::conversations()
{
    QFETCH(QStringList, journal);
    const QStringList row = QString::fromLatin1(QTest::currentDataTag()).split(u'|');
    const QString options = row.value(1).trimmed();
    DeckHostProcess deckhost(options.split(u' ', Qt::SkipEmptyParts));
    if (options != u"no host")
        QVERIFY(deckhost.start());
    const QString outcome = run(row.value(0).trimmed());
    QCOMPARE(deckhost.calls() << "= " + outcome, journal);
}

void TestDBusLink::boundsOfEachConversation_data()
{
    QTest::addColumn<QString>("conversation");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("lastCall");
    // Start-up may take 500 ms in all here, a finish call 2000 ms.
    QTest::newRow("a slow finish call is waited for")
        << "3D finish" << QStringList{"--delay", "OpenSymbolFile=900"} << "ok" << "OpenSymbolFile";
    QTest::newRow("start-up calls each in time") << "start-up" << QStringList{"--delay", "ActiveProvider=200"}
                                                 << "page shown" << "Prepare";
    QTest::newRow("start-up out of time as a whole")
        << "start-up" << QStringList{"--delay", "ActiveProvider=300", "--delay", "ActiveTarget=300"} << "page shown"
        << "ActiveTarget";
}

// Start-up is bounded as a whole, a person waits for the first page; each call
// of a finish gets a long bound of its own, the host may be building the deck.
void TestDBusLink::boundsOfEachConversation()
{
    QFETCH(QString, conversation);
    QFETCH(QStringList, options);
    QFETCH(QString, outcome);
    QFETCH(QString, lastCall);
    DeckHostProcess deckhost(options);
    QVERIFY(deckhost.start());
    QCOMPARE(run(conversation, {500, 2000}), outcome);
    QVERIFY2(deckhost.calls().last().contains(u' ' + lastCall), qPrintable(deckhost.calls().join(u'\n')));
}

// The bus answers at once for a host that dies holding a call; that is a lost
// connection, not a late answer.
void TestDBusLink::aHostThatDiesDuringACall()
{
    DeckHostProcess deckhost({"--delay", "OpenSymbolFile=5000"});
    QVERIFY(deckhost.start());
    const pid_t pid = pid_t(deckhost.processId());
    std::thread killer([pid] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        ::kill(pid, SIGKILL);
    });
    const QString outcome = run("3D finish", {300, 3000});
    killer.join();
    QVERIFY2(outcome.startsWith(R"(80010108: The connection to the host application was lost during the method )"
                                R"("OpenSymbolFile" of /Application/Provider/Target: )"),
             qPrintable(outcome));
}

void TestDBusLink::aHostThatHasGoneAway()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    auto app = host::makeDBusConnector(1000)->attach(Name.toStdString());
    QVERIFY(app);
    deckhost.stop();
    const host::Status prepared = app.value()->Prepare();
    QCOMPARE(prepared.error().number, host::errors::Transport);
    const QString text = QString::fromStdString(prepared.error().description);
    QVERIFY2(text.startsWith(R"(The connection to the host application was lost during the method "Prepare" of /Application: )")
                 && text.endsWith(u" Make sure the host application is running, then try again."),
             qPrintable(text));
}

void TestDBusLink::noBus()
{
    const auto none = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
    const auto link = host::dbus::Link::attach(none, Name, 300);
    QCOMPARE(link.error().number, host::errors::NoHost);
    const QString text = QString::fromStdString(link.error().description);
    QVERIFY2(text.startsWith(R"(No host application can be reached under "Plankora.Application": there is no session bus ()")
                 && text.endsWith(u"). Start the host application in your desktop session, then try again."),
             qPrintable(text));
}

// The "no host" rows prove that the link starts nothing; this proves that the
// bus would have, had it been asked.
void TestDBusLink::theBusWouldHaveStartedTheHost()
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    QVERIFY(bus->startService(Name).isValid());
    const uint pid = bus->servicePid(Name).value();
    QVERIFY(pid != 0);
    ::kill(pid_t(pid), SIGTERM);
    QTRY_VERIFY(!bus->isServiceRegistered(Name).value());
}

QTEST_GUILESS_MAIN(TestDBusLink)
#include "tst_dbuslink.moc"
