// How the substitute host with its window answers a flood of calls: 3,000
// OpenSymbolFile calls sent at once, then a property read. Prints the
// slowest answer to a call counted from when it was sent (the bus queues
// them, so the last waits for all before it), the mean time between answers
// and how long the read after them took. Run it on a bus of its own:
//   DECKHOST=bin/deckhost QT_QPA_PLATFORM=offscreen dbus-run-session -- bench/bench_hostflood
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString service = QStringLiteral("Plankora.Application");
    QProcess host;
    host.setStandardOutputFile(QProcess::nullDevice());
    host.start(qEnvironmentVariable("DECKHOST"), QStringList());
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (int i = 0; i < 100 && !bus.interface()->isServiceRegistered(service).value(); ++i)
        QThread::msleep(100);
    constexpr int calls = 3000;
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> answered;
    int errors = 0;
    for (int i = 0; i < calls; ++i) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, QStringLiteral("/Application/ActiveTarget"),
                                                              QStringLiteral("Plankora.SymbolTarget"),
                                                              QStringLiteral("OpenSymbolFile"));
        message.setArguments({QStringLiteral("*\\Program Data\\3D Decks\\Deck_Rectangle.bsx")});
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, 120000), &app);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &app, [&, watcher] {
            answered.push_back(clock.elapsed());
            errors += watcher->isError() ? 1 : 0;
            watcher->deleteLater();
            if (int(answered.size()) == calls)
                app.quit();
        });
    }
    const qint64 sent = clock.elapsed();
    app.exec();
    QElapsedTimer get;
    get.start();
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(service, QStringLiteral("/Application"),
                                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                                       QStringLiteral("Get"))
                                            << QStringLiteral("Plankora.HostApplication") << QStringLiteral("ActiveTarget"));
    const qint64 getMs = get.elapsed();
    std::sort(answered.begin(), answered.end());
    std::printf("%d calls sent in %lld ms, all answered after %lld ms (%d errors), %.2f ms between answers; "
                "a Get after them %lld ms (%s)\n",
                calls, sent, answered.back(), errors, double(answered.back() - answered.front()) / (calls - 1), getMs,
                reply.type() == QDBusMessage::ReplyMessage ? "answered" : "not answered");
    host.terminate();
    host.waitForFinished(5000);
    return 0;
}
