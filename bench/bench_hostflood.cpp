// How the substitute host with its window answers a flood of calls: 3,000
// OpenSymbolFile calls sent at once on the worked example's folder, while a
// property read (Get) is sent every 10 ms on a second connection, from the
// first call until 3 s after the last answer. The bus hands the host its
// calls in order, so a call waits for the calls queued before it; what the
// host itself adds shows as
// - the longest gap between two answers while the flood is answered (the
//   host busy with something else than answering), and
// - the slowest Get sent after the flood's last answer (the deck being
//   built and shown, the calls listed, the copy remembered meanwhile).
// Both are to stay under 100 ms. Run it on a bus of its own, with private
// state and config folders (the host keeps a copy of each deck it is asked for):
//   DECKHOST=bin/deckhost QT_QPA_PLATFORM=offscreen dbus-run-session -- bench/bench_hostflood [ROUNDS]
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const QString Service = QStringLiteral("Plankora.Application");

QDBusMessage openSymbolFile()
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, QStringLiteral("/Application/ActiveTarget"),
                                                          QStringLiteral("Plankora.SymbolTarget"),
                                                          QStringLiteral("OpenSymbolFile"));
    message.setArguments({QStringLiteral("*\\Program Data\\3D Decks\\Deck_Rectangle.bsx")});
    return message;
}

QDBusMessage getActiveTarget()
{
    return QDBusMessage::createMethodCall(Service, QStringLiteral("/Application"),
                                          QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
        << QStringLiteral("Plankora.HostApplication") << QStringLiteral("ActiveTarget");
}

struct Round {
    qint64 lastAnswerMs = 0;
    qint64 longestGapMs = 0;
    qint64 slowestGetAfterMs = 0;
    int getsAfter = 0;
    int errors = 0;
};

Round floodOnce(QCoreApplication &app, int calls)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnection probes = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("probes"));
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> answered;
    struct Probe {
        qint64 sent, took;
    };
    std::vector<Probe> gets;
    Round round;
    bool flooding = true;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, &app, [&] {
        const qint64 sent = clock.elapsed();
        if (!flooding && sent > round.lastAnswerMs + 3000) {
            probe.stop();
            app.quit();
            return;
        }
        auto *watcher = new QDBusPendingCallWatcher(probes.asyncCall(getActiveTarget(), 60000), &app);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &app, [&, watcher, sent] {
            gets.push_back({sent, clock.elapsed() - sent});
            round.errors += watcher->isError() ? 1 : 0;
            watcher->deleteLater();
        });
    });
    probe.start();
    for (int i = 0; i < calls; ++i) {
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(openSymbolFile(), 120000), &app);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &app, [&, watcher] {
            answered.push_back(clock.elapsed());
            round.errors += watcher->isError() ? 1 : 0;
            watcher->deleteLater();
            if (int(answered.size()) == calls) {
                flooding = false;
                round.lastAnswerMs = clock.elapsed();
            }
        });
    }
    app.exec();
    std::sort(answered.begin(), answered.end());
    for (size_t i = 1; i < answered.size(); ++i)
        round.longestGapMs = std::max(round.longestGapMs, answered[i] - answered[i - 1]);
    for (const Probe &get : gets)
        if (get.sent > round.lastAnswerMs) {
            ++round.getsAfter;
            round.slowestGetAfterMs = std::max(round.slowestGetAfterMs, get.took);
        }
    QDBusConnection::disconnectFromBus(QStringLiteral("probes"));
    return round;
}

bool copy(const QString &from, const QString &to)
{
    return QFile::exists(from) && (QFile::remove(to), QFile::copy(from, to));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    // The worked example in a folder of its own; config and state private to this run.
    QTemporaryDir work;
    const QDir dir(work.path());
    for (const char *name : {"config", "state", "wizard"})
        dir.mkdir(QLatin1String(name));
    QFile::setPermissions(dir.filePath("config"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(dir.filePath("state"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString examples = QStringLiteral(JM_DECK3D_DATA);
    if (!copy(examples + "/DeckType-worked-example.txt", dir.filePath("wizard/DeckType.txt"))
        || !copy(examples + "/Deck_Rectangle-worked-example.txt", dir.filePath("wizard/Deck_Rectangle.txt"))
        || !copy(examples + "/Sizes-worked-example.txt", dir.filePath("wizard/Sizes.txt"))) {
        std::fprintf(stderr, "bench_hostflood: the worked example is not in %s\n", qPrintable(examples));
        return 1;
    }
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath("state"));
    host.setProcessEnvironment(environment);
    host.setStandardOutputFile(QProcess::nullDevice());
    host.start(qEnvironmentVariable("DECKHOST"), {QStringLiteral("--wizard-folder"), dir.filePath("wizard")});
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (int i = 0; i < 100 && !bus.interface()->isServiceRegistered(Service).value(); ++i)
        QThread::msleep(100);
    constexpr int calls = 3000;
    qint64 worstGap = 0, worstGet = 0;
    for (int r = 1; r <= rounds; ++r) {
        const Round round = floodOnce(app, calls);
        std::printf("round %d: %d calls answered after %lld ms (%d errors), longest gap between answers %lld ms; "
                    "slowest of %d Gets sent after them %lld ms\n",
                    r, calls, round.lastAnswerMs, round.errors, round.longestGapMs, round.getsAfter,
                    round.slowestGetAfterMs);
        std::fflush(stdout);
        worstGap = std::max(worstGap, round.longestGapMs);
        worstGet = std::max(worstGet, round.slowestGetAfterMs);
    }
    std::printf("worst of %d rounds: a gap of %lld ms, a Get after the flood %lld ms (bound 100 ms: %s)\n", rounds,
                worstGap, worstGet, worstGap < 100 && worstGet < 100 ? "held" : "NOT held");
    host.terminate();
    host.waitForFinished(5000);
    return 0;
}
