// Start-up with the real session-bus link against the real deckhost process:
// the calls the host sees, the page shown whatever happens, no message, and
// every message sent with auto-start off. Also what deckhost says about itself
// when introspected.
#include "busmonitor.h"
#include "contract.h"
#include "dbusconnector.h"
#include "deckhostprocess.h"
#include "sequences.h"
#include "testseams.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

namespace {
const QStringList FullStartUp{"get /Application ActiveProvider", "get /Application ActiveTarget",
                              "call /Application Prepare"};

QString introspect(const QString &path)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("Plankora.Application"), path,
                                                      QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                                      QStringLiteral("Introspect"));
    return QDBusConnection::sessionBus().call(ask).arguments().value(0).toString();
}
} // namespace

class TestHostStartup : public QObject {
    Q_OBJECT
private slots:
    void startUp_data();
    void startUp();
    void everyMessageGoesWithAutoStartOff_data();
    void everyMessageGoesWithAutoStartOff();
    void eachObjectIntrospectsAsTheContract_data();
    void eachObjectIntrospectsAsTheContract();
    void gdbusShowsTheInterfaces();
};

void TestHostStartup::startUp_data()
{
    QTest::addColumn<bool>("hostRunning");
    QTest::addColumn<QStringList>("deckhostArgs");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("host running") << true << QStringList{} << FullStartUp;
    QTest::newRow("no host: no call at all") << false << QStringList{} << QStringList{};
    QTest::newRow("failing Prepare") << true << QStringList{"--fail", "Prepare"} << FullStartUp;
    QTest::newRow("failing ActiveProvider cuts it short")
        << true << QStringList{"--fail", "ActiveProvider"} << QStringList{"get /Application ActiveProvider"};
    QTest::newRow("ActiveTarget slower than the bound")
        << true << QStringList{"--delay", "ActiveTarget=10000"} << FullStartUp.mid(0, 2);
    QTest::newRow("a string for ActiveProvider")
        << true << QStringList{"--wrong-type", "ActiveProvider"} << QStringList{"get /Application ActiveProvider"};
}

void TestHostStartup::startUp()
{
    QFETCH(bool, hostRunning);
    QFETCH(QStringList, deckhostArgs);
    QFETCH(QStringList, calls);
    DeckHostProcess deckhost(deckhostArgs);
    if (hostRunning)
        QVERIFY(deckhost.start());

    QTemporaryDir folder;
    RecordingMessages messages;
    RecordingEnd end;
    const auto connector = host::makeDBusConnector(300);
    Wizard wizard(folder.path(), connector.get(), &messages, &end);
    QElapsedTimer clock;
    clock.start();
    wizard.start();
    const qint64 elapsed = clock.elapsed();

    QVERIFY(wizard.existingPage(PageId::Wiz_1));
    QVERIFY(wizard.existingPage(PageId::Wiz_1)->isVisible());
    QVERIFY(messages.shown.empty());
    QCOMPARE(end.count, 0);
    QCOMPARE(deckhost.calls(), calls);
    // A host that does not answer holds start-up up for one bound, not for its ten seconds.
    QVERIFY2(elapsed < 300 + 3000, qPrintable(QString::number(elapsed)));
}

void TestHostStartup::everyMessageGoesWithAutoStartOff_data()
{
    QTest::addColumn<bool>("hostRunning");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("no host: only the question who owns the name")
        << false << QStringList{"org.freedesktop.DBus GetNameOwner"};
    QTest::newRow("host running: the question, then straight to its unique name")
        << true
        << QStringList{"org.freedesktop.DBus GetNameOwner", "<host> /Application org.freedesktop.DBus.Properties.Get",
                       "<host> /Application org.freedesktop.DBus.Properties.Get",
                       "<host> /Application Plankora.HostApplication.Prepare"};
}

void TestHostStartup::everyMessageGoesWithAutoStartOff()
{
    QFETCH(bool, hostRunning);
    QFETCH(QStringList, seen);
    DeckHostProcess deckhost;
    if (hostRunning)
        QVERIFY(deckhost.start());
    BusMonitor monitor;
    if (!monitor.start())
        QSKIP("dbus-monitor is not available");
    const auto connector = host::makeDBusConnector(1000);
    host::runStartup(*connector, [] {});
    const QString ours = QDBusConnection::sessionBus().baseService();

    QStringList calls;
    for (const SeenCall &call : monitor.stop()) {
        if (call.sender != ours)
            continue;
        QVERIFY2(!call.autoStart, qPrintable(call.member));
        if (call.destination == u"org.freedesktop.DBus")
            calls << call.destination + u' ' + call.member;
        else
            calls << QStringLiteral("<host> %1 %2.%3")
                         .arg(call.path, call.interface, call.member);
        QVERIFY(call.destination == u"org.freedesktop.DBus" || call.destination.startsWith(u':'));
    }
    QCOMPARE(calls, seen);
}

void TestHostStartup::eachObjectIntrospectsAsTheContract_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QStringList>("children");
    QTest::newRow("application") << "/Application" << "Plankora.HostApplication"
                                 << QStringList{"ActiveTarget", "Provider"};
    QTest::newRow("provider") << "/Application/Provider" << "Plankora.TargetProvider" << QStringList{"Target"};
    QTest::newRow("active target") << "/Application/ActiveTarget" << "Plankora.SymbolTarget" << QStringList{"Loader"};
    QTest::newRow("provider's target") << "/Application/Provider/Target" << "Plankora.SymbolTarget"
                                       << QStringList{"Loader"};
    QTest::newRow("active target's loader")
        << "/Application/ActiveTarget/Loader" << "Plankora.SymbolLoader" << QStringList{};
    QTest::newRow("provider's target's loader")
        << "/Application/Provider/Target/Loader" << "Plankora.SymbolLoader" << QStringList{};
}

void TestHostStartup::eachObjectIntrospectsAsTheContract()
{
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QStringList, children);
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    const QString xml = introspect(path);

    QStringList plankora;
    for (const contract::Interface &served : contract::parse(xml.toUtf8())) {
        if (served.name.startsWith(u"Plankora.")) {
            plankora << served.name;
            QCOMPARE(served.introspection(), contract::findInterface(interface)->introspection());
        }
    }
    QCOMPARE(plankora, QStringList{interface});
    for (const QString &child : children)
        QVERIFY2(xml.contains(QStringLiteral("<node name=\"%1\"/>").arg(child)), qPrintable(xml));
    // Introspection is not a call on the host's members.
    QCOMPARE(deckhost.calls(), QStringList{});
}

void TestHostStartup::gdbusShowsTheInterfaces()
{
    const QString gdbus = QStandardPaths::findExecutable(QStringLiteral("gdbus"));
    if (gdbus.isEmpty())
        QSKIP("gdbus is not installed");
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    QProcess process;
    process.start(gdbus, {"introspect", "--session", "--dest", "Plankora.Application", "--object-path", "/Application"});
    QVERIFY(process.waitForFinished(10000));
    const QString shown = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(shown.contains(QStringLiteral("  interface Plankora.HostApplication {\n"
                                           "    methods:\n"
                                           "      Prepare();\n"
                                           "    signals:\n"
                                           "    properties:\n"
                                           "      readonly o ActiveTarget = '/Application/ActiveTarget';\n"
                                           "      readonly o ActiveProvider = '/Application/Provider';\n"
                                           "  };\n")),
             qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("  node ActiveTarget {\n  };\n  node Provider {\n  };\n")));
}

QTEST_MAIN(TestHostStartup)
#include "tst_hoststartup.moc"
