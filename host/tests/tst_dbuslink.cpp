// The session-bus link against the real deckhost process on a private bus:
// what arrives at the host for each conversation, and the error (number and
// description) for every way a host can let the wizard down.
#include "dbusconnector.h"
#include "deckhostprocess.h"
#include "journal.h"
#include "sequences.h"

#include <QElapsedTimer>
#include <QTest>

namespace {
const QString Mode2DPut = QStringLiteral("put /Application/ActiveTarget Mode2D %1");

// The conversation a row runs; returns its outcome as "ok" or "<number in hex>: <description>".
QString run(const QString &conversation, int timeoutMs = 3000)
{
    const auto connector = host::makeDBusConnector(timeoutMs);
    host::Status status = host::success();
    if (conversation == u"start-up") {
        bool shown = false;
        host::runStartup(*connector, [&] { shown = true; });
        return shown ? QStringLiteral("ok") : QStringLiteral("page not shown");
    }
    if (conversation == u"2D finish")
        status = host::runFinish2D(*connector, 19, [] {}, [] { return host::success(); });
    else
        status = host::runFinish3D(*connector, "*Program Data\\3D Decks\\Deck_Slice.bsx");
    if (status)
        return QStringLiteral("ok");
    return QStringLiteral("%1: %2").arg(QString::number(status.error().number, 16),
                                        QString::fromStdString(status.error().description));
}
} // namespace

class TestDBusLink : public QObject {
    Q_OBJECT
private slots:
    void eachCallArrivesAsJournalled_data();
    void eachCallArrivesAsJournalled();
    void failures_data();
    void failures();
    void noHost();
    void aHostThatHasGoneAway();
    void aSilentHostCostsNoMoreThanTheBound();
    void aDelayedMemberDoesNotHoldUpTheOthers();
    void loaderCallsAreMadeByName();
};

void TestDBusLink::eachCallArrivesAsJournalled_data()
{
    QTest::addColumn<QString>("conversation");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("start-up") << "start-up"
                              << QStringList{"get /Application ActiveProvider", "get /Application ActiveTarget",
                                             "call /Application Prepare"};
    QTest::newRow("2D finish, style 19")
        << "2D finish"
        << QStringList{"get /Application ActiveProvider",
                       "get /Application ActiveTarget",
                       Mode2DPut.arg("True"),
                       "get /Application/Provider Target",
                       "get /Application/Provider/Target SymbolLoader",
                       R"(call /Application/Provider/Target/Loader LoadSymbol "*\Program Data\2D Decks\Deck 19.dc", False, True, True)",
                       R"(call /Application/Provider/Target OpenSymbolFile "*\Program Data\2D Decks\2ddecks.bsx")"};
    QTest::newRow("3D finish")
        << "3D finish"
        << QStringList{"get /Application ActiveProvider",
                       "get /Application ActiveTarget",
                       "call /Application Prepare",
                       Mode2DPut.arg("False"),
                       "get /Application/Provider Target",
                       R"(call /Application/Provider/Target OpenSymbolFile "*Program Data\3D Decks\Deck_Slice.bsx")"};
}

void TestDBusLink::eachCallArrivesAsJournalled()
{
    QFETCH(QString, conversation);
    QFETCH(QStringList, calls);
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    QCOMPARE(run(conversation), QStringLiteral("ok"));
    QCOMPARE(deckhost.calls(), calls);
    // The interface of each member travels with it.
    for (const QJsonObject &entry : deckhost.journal())
        QVERIFY2(entry.value(u"interface").toString().startsWith(u"Plankora."), qPrintable(compactCall(entry)));
}

void TestDBusLink::failures_data()
{
    QTest::addColumn<QStringList>("deckhostArgs");
    QTest::addColumn<QString>("conversation");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("callsArrived");

    const QString failed = "80020009: The host application failed %1: %2 failed: deckhost was told to fail it "
                           "(--fail %3). [Plankora.Error.Failed]";
    QTest::newRow("failing Prepare") << QStringList{"--fail", "Prepare"} << "3D finish"
                                     << failed.arg(R"(the method "Prepare" of /Application)", "Prepare", "Prepare") << 3;
    QTest::newRow("failing ActiveProvider get")
        << QStringList{"--fail", "ActiveProvider"} << "2D finish"
        << failed.arg(R"(the property "ActiveProvider" of /Application)", "Reading ActiveProvider", "ActiveProvider")
        << 1;
    QTest::newRow("failing Mode2D put")
        << QStringList{"--fail", "Mode2D"} << "2D finish"
        << failed.arg(R"(setting the property "Mode2D" of /Application/ActiveTarget)", "Setting Mode2D", "Mode2D") << 3;
    QTest::newRow("failing LoadSymbol")
        << QStringList{"--fail", "LoadSymbol"} << "2D finish"
        << failed.arg(R"(the method "LoadSymbol" of /Application/Provider/Target/Loader)", "LoadSymbol", "LoadSymbol")
        << 6;
    QTest::newRow("failing OpenSymbolFile")
        << QStringList{"--fail", "OpenSymbolFile"} << "3D finish"
        << failed.arg(R"(the method "OpenSymbolFile" of /Application/Provider/Target)", "OpenSymbolFile",
                      "OpenSymbolFile")
        << 6;

    const QString wrong = "80020005: The host application answered %1 with %2 where %3 was expected. The running host "
                          "does not follow the Plankora automation interface.";
    QTest::newRow("string for ActiveTarget")
        << QStringList{"--wrong-type", "ActiveTarget"} << "3D finish"
        << wrong.arg(R"(the property "ActiveTarget" of /Application)", R"(D-Bus type "s")", R"(D-Bus type "o")") << 2;
    QTest::newRow("string for SymbolLoader")
        << QStringList{"--wrong-type", "SymbolLoader"} << "2D finish"
        << wrong.arg(R"(the property "SymbolLoader" of /Application/Provider/Target)", R"(D-Bus type "s")",
                     R"(D-Bus type "o")")
        << 5;
    QTest::newRow("a value from Prepare") << QStringList{"--wrong-type", "Prepare"} << "3D finish"
                                          << wrong.arg(R"(the method "Prepare" of /Application)", R"(D-Bus type "s")",
                                                       "no value")
                                          << 3;
    QTest::newRow("a value from the Mode2D put")
        << QStringList{"--wrong-type", "Mode2D"} << "3D finish"
        << wrong.arg(R"(setting the property "Mode2D" of /Application/ActiveTarget)", R"(D-Bus type "s")", "no value")
        << 4;
    QTest::newRow("a bare string from OpenSymbolFile")
        << QStringList{"--wrong-type", "OpenSymbolFile"} << "2D finish"
        << wrong.arg(R"(the method "OpenSymbolFile" of /Application/Provider/Target)", R"(D-Bus type "s")",
                     R"(D-Bus type "v")")
        << 7;

    QTest::newRow("Target too slow")
        << QStringList{"--delay", "Target=5000"} << "2D finish"
        << "800705b4: The host application did not answer the property \"Target\" of /Application/Provider within "
           "300 ms. It may be busy or hung; wait until it responds, then try again."
        << 4;
    QTest::newRow("start-up goes on to show the page") << QStringList{"--fail", "ActiveProvider"} << "start-up"
                                                       << "ok" << 1;
}

void TestDBusLink::failures()
{
    QFETCH(QStringList, deckhostArgs);
    QFETCH(QString, conversation);
    QFETCH(QString, outcome);
    QFETCH(int, callsArrived);
    DeckHostProcess deckhost(deckhostArgs);
    QVERIFY(deckhost.start());
    QCOMPARE(run(conversation, 300), outcome);
    // Nothing is called after the failing member.
    QCOMPARE(deckhost.calls().size(), callsArrived);
}

void TestDBusLink::noHost()
{
    for (const QString &conversation : {QStringLiteral("2D finish"), QStringLiteral("3D finish")})
        QCOMPARE(run(conversation), QStringLiteral("800401e3: No host application is running under "
                                                   "\"Plankora.Application\". Start the host application, then try "
                                                   "again."));
}

void TestDBusLink::aHostThatHasGoneAway()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    const auto connector = host::makeDBusConnector(1000);
    auto app = connector->attach("Plankora.Application");
    QVERIFY(app);
    deckhost.stop();
    const host::Status prepared = app.value()->Prepare();
    QVERIFY(!prepared);
    QCOMPARE(prepared.error().number, host::errors::Transport);
    QVERIFY2(QString::fromStdString(prepared.error().description)
                 .startsWith(R"(The connection to the host application was lost during the method "Prepare" of /Application: )"),
             prepared.error().description.c_str());
}

void TestDBusLink::aSilentHostCostsNoMoreThanTheBound()
{
    DeckHostProcess deckhost({"--delay", "Prepare=10000"});
    QVERIFY(deckhost.start());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(run("3D finish", 300).startsWith(u"800705b4: "));
    // The bound, not the host's ten seconds; the margin only absorbs a slow machine.
    QVERIFY2(clock.elapsed() < 300 + 3000, qPrintable(QString::number(clock.elapsed())));
}

void TestDBusLink::aDelayedMemberDoesNotHoldUpTheOthers()
{
    DeckHostProcess deckhost({"--delay", "Prepare=2000"});
    QVERIFY(deckhost.start());
    const auto connector = host::makeDBusConnector(200);
    auto app = connector->attach("Plankora.Application");
    QVERIFY(app);
    QCOMPARE(app.value()->Prepare().error().number, host::errors::Timeout);
    // The host is still answering the other members while Prepare waits.
    QVERIFY(app.value()->ActiveTarget());
    QCOMPARE(deckhost.calls(), (QStringList{"call /Application Prepare", "get /Application ActiveTarget"}));
}

void TestDBusLink::loaderCallsAreMadeByName()
{
    DeckHostProcess deckhost({"--wrong-type", "LoadSymbol"});
    QVERIFY(deckhost.start());
    const auto connector = host::makeDBusConnector(1000);
    auto app = connector->attach("Plankora.Application");
    auto target = app.value()->ActiveTarget();
    auto loader = target.value()->SymbolLoader();
    QVERIFY(loader);

    // By name, the loader takes whatever single value the host answers.
    auto loaded = loader.value()->Invoke("LoadSymbol", {std::string("a.dc"), true, false, true});
    QVERIFY(loaded);
    QCOMPARE(std::get<std::string>(loaded.value()), std::string("not what the interface says"));

    auto unknown = loader.value()->Invoke("Unload", {std::string("a.dc")});
    QCOMPARE(unknown.error().number, host::errors::MemberFailed);
    QCOMPARE(QString::fromStdString(unknown.error().description),
             R"(The host application failed the method "Unload" of /Application/ActiveTarget/Loader: )"
             "Plankora.SymbolLoader has no method Unload. [org.freedesktop.DBus.Error.UnknownMethod]");

    auto empty = loader.value()->Invoke("LoadSymbol", {std::monostate{}});
    QCOMPARE(empty.error().number, host::errors::WrongType);

    QCOMPARE(deckhost.calls(),
             (QStringList{"get /Application ActiveTarget", "get /Application/ActiveTarget SymbolLoader",
                          R"(call /Application/ActiveTarget/Loader LoadSymbol "a.dc", True, False, True)",
                          R"(call /Application/ActiveTarget/Loader Unload "a.dc")"}));
}

QTEST_GUILESS_MAIN(TestDBusLink)
#include "tst_dbuslink.moc"
