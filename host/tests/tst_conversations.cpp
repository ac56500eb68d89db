// The three host conversations against golden journals written by hand:
// - data/sequences.journals, against the in-process fake host: the calls in
//   order, on the right objects, where the wizard's own steps fall among them,
//   and every object released in the right order;
// - data/dbuslink.journals, against the real deckhost on a private bus whose
//   daemon has a service file for "Plankora.Application": what the host
//   receives and what the wizard gets back for every way a host can let it down.
// Each journal is a section "[name]" with its lines in order; blank lines and
// lines starting with "#" are not read. And a journal line's escapes.
#include "datatable.h"
#include "dbusconnector.h"
#include "dbuslink.h"
#include "deckhostprocess.h"
#include "fakehost.h"
#include "journalline.h"
#include "sequences.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

#include <csignal>

namespace {
const QString Name = QStringLiteral("Plankora.Application");

void addJournals(const char *file)
{
    QTest::addColumn<QStringList>("journal");
    for (const DataSection &section : dataSections(QStringLiteral(JM_HOST_TESTDATA "/") + file))
        QTest::newRow(qPrintable(section.name)) << section.lines;
}

// The field `i` of the running row's name "field | field | ...".
QString field(int i) { return QString::fromLatin1(QTest::currentDataTag()).section(u'|', i, i).trimmed(); }

// An error as the journals show it.
QString shown(const host::Error &e) { return "= " + QString::number(e.number, 16) + ": " + e.description.c_str(); }

// Runs the row's conversation: the wizard's steps go to `note`, the outcome
// comes back as "= ok" or "= <number in hex>: <description>".
QString run(host::Connector &connector, const std::function<void(const char *)> &note, bool diskFull = false)
{
    const QString conversation = field(0);
    host::Status status = host::success();
    if (conversation == u"start-up")
        host::runStartup(connector, [&] { note("show page"); });
    else if (conversation == u"2D finish")
        status = host::runFinish2D(connector, 19, [&] { note("hide page"); }, [&]() -> host::Status {
            note("write DeckSize.txt");
            return diskFull ? host::Status(host::Error{2, "disk full"}) : host::success();
        });
    else
        status = host::runFinish3D(connector, "*Program Data\\3D Decks\\Deck_Slice.bsx");
    return status ? QStringLiteral("= ok") : shown(status.error());
}
} // namespace

class TestConversations : public QObject {
    Q_OBJECT
private slots:
    void withTheFakeHost_data() { addJournals("sequences.journals"); }
    void withTheFakeHost();
    void overTheBus_data() { addJournals("dbuslink.journals"); }
    void overTheBus();
    void noBus();
    void theBusWouldHaveStartedTheHost();
    void journalEscapes();
};

// A string with every character a journal line escapes, each as JSON writes it.
void TestConversations::journalEscapes()
{
    const host::JournalEntry entry{"/A", "I", "M", "call", {std::string("q\"b\\\b\f\n\r\t\x01z")}, {}};
    QCOMPARE(QByteArray::fromStdString(host::journalLine(entry)),
             QByteArray("{\"path\":\"/A\",\"interface\":\"I\",\"member\":\"M\",\"kind\":\"call\","
                        "\"args\":[\"q\\\"b\\\\\\b\\f\\n\\r\\t\\u0001z\"]}"));
}

// Rows "[conversation | what goes wrong]".
void TestConversations::withTheFakeHost()
{
    QFETCH(QStringList, journal);
    host::testing::FakeConnector host;
    auto &state = host.state();
    state.running = field(1) != u"no host";
    state.failing.insert(field(1).section(u' ', 0, 0).toStdString());
    const QString outcome = run(host, [&](const char *step) { state.journal.push_back(step); },
                                field(1) == u"DeckSize.txt cannot be written");
    QStringList seen;
    for (const auto &line : host.journal())
        seen << QString::fromStdString(line);
    QCOMPARE(seen << outcome, journal);
    QCOMPARE(state.live, 0);
}

// Rows "[conversation | deckhost options | bounds of start-up and of a finish
// call in ms, 300 each if not given | the host killed after this many seconds]".
void TestConversations::overTheBus()
{
    QFETCH(QStringList, journal);
    DeckHostProcess deckhost(field(1).split(u' ', Qt::SkipEmptyParts));
    if (field(1) != u"no host")
        QVERIFY(deckhost.start());
    const QStringList bounds = (field(2) + " 300 300").split(u' ', Qt::SkipEmptyParts);
    const auto connector = host::makeDBusConnector({bounds[0].toInt(), bounds[1].toInt()});
    if (!field(3).isEmpty()) // the host is killed while the wizard waits for it
        QProcess::startDetached("sh", {"-c",
                                       QString("sleep %1; kill -KILL %2").arg(field(3)).arg(deckhost.processId())});
    QStringList steps;
    const QString outcome = run(*connector, [&](const char *step) { steps << step; });
    QCOMPARE(deckhost.calls() << steps << outcome, journal);
}

void TestConversations::noBus()
{
    const auto none = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
    const auto link = host::dbus::Link::attach(none, Name, 300);
    QCOMPARE(shown(link.error()),
             R"(= 800401e3: No host application can be reached under "Plankora.Application": there is no session bus (Failed to )"
             R"(connect to socket /nonexistent/bus: No such file or directory). Start the host application in your )"
             R"(desktop session, then try again.)");
}

// The "no host" rows prove that the link starts nothing; this proves that the
// bus would have, had it been asked.
void TestConversations::theBusWouldHaveStartedTheHost()
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    QVERIFY(bus->startService(Name).isValid());
    const uint pid = bus->servicePid(Name).value();
    QVERIFY(pid != 0);
    ::kill(pid_t(pid), SIGTERM);
    QTRY_VERIFY(!bus->isServiceRegistered(Name).value());
}

QTEST_GUILESS_MAIN(TestConversations)
#include "tst_conversations.moc"
