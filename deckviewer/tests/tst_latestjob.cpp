// The latest request wins: a result superseded while its work ran is never
// delivered, a request superseded before its work began skips it, and the
// latest result is delivered on the receiver's thread.
#include "latestjob.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

using namespace deckview;

class TestLatestJob : public QObject {
    Q_OBJECT
private slots:
    void onlyTheLatestIsDelivered();
    void supersededWithoutANewRequest();
};

void TestLatestJob::onlyTheLatestIsDelivered()
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    LatestJob job(&pool, this);
    QSemaphore running, release;
    QStringList worked, delivered;
    QList<QThread *> deliveredOn;
    auto deliver = [&](const QString &result) {
        delivered << result;
        deliveredOn << QThread::currentThread();
    };
    job.start([&] { running.release(); release.acquire(); worked << "first"; return QStringLiteral("first"); }, deliver);
    running.acquire(); // the first runs, and waits
    job.start([&] { worked << "second"; return QStringLiteral("second"); }, deliver);
    job.start([&] { worked << "third"; return QStringLiteral("third"); }, deliver);
    release.release();
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(worked, QStringList({"first", "third"}));
    QCOMPARE(delivered, QStringList{"third"});
    QCOMPARE(deliveredOn, QList<QThread *>{thread()});
}

void TestLatestJob::supersededWithoutANewRequest()
{
    QThreadPool pool;
    LatestJob job(&pool, this);
    QSemaphore running, release;
    QStringList delivered;
    job.start([&] { running.release(); release.acquire(); return QStringLiteral("stale"); },
              [&](const QString &result) { delivered << result; });
    running.acquire();
    job.supersede();
    release.release();
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(delivered, QStringList());
}

QTEST_GUILESS_MAIN(TestLatestJob)
#include "tst_latestjob.moc"
