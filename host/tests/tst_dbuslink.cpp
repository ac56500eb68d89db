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

#include <csignal>

namespace {
// Runs a conversation; its outcome as "ok", "page shown" or "<number in hex>: <description>".
QString run(const QString &conversation, int timeoutMs = 300)
{
    const auto connector = host::makeDBusConnector(timeoutMs);
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
