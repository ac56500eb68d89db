// What the session-bus link costs: finding out that no host is running, and
// one round trip (a property get) to a running deckhost. Run it on a bus of its own:
//   DECKHOST=bin/deckhost dbus-run-session -- bench/bench_dbuslink -iterations 500
#include "dbusconnector.h"
#include "deckhostprocess.h"

#include <QTest>

class BenchDBusLink : public QObject {
    Q_OBJECT
private slots:
    void detectAbsentHost();
    void roundTripToRunningHost();
};

void BenchDBusLink::detectAbsentHost()
{
    const auto connector = host::makeDBusConnector();
    QBENCHMARK {
        auto attached = connector->attach("Plankora.Application");
        QVERIFY(!attached);
    }
}

void BenchDBusLink::roundTripToRunningHost()
{
    // The journal is written on every call, as it is when the wizard talks to deckhost.
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    const auto connector = host::makeDBusConnector();
    auto app = connector->attach("Plankora.Application");
    QVERIFY(app);
    QBENCHMARK {
        QVERIFY(app.value()->ActiveProvider());
    }
}

QTEST_GUILESS_MAIN(BenchDBusLink)
#include "bench_dbuslink.moc"
