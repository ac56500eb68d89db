// Work that runs off the GUI thread where only the latest request counts: a
// deck being built, a scene being meshed, a frame being rendered. Each start()
// is a new request and makes every earlier one stale; a stale job that has not
// begun skips its work, and a stale result is dropped instead of delivered.
// Results are delivered on the receiver's thread, in request order.
//
// The receiver must outlive the jobs: its owner clears and waits for the pool
// before it goes.
#pragma once

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <utility>

namespace deckview {

class LatestJob {
public:
    LatestJob(QThreadPool *pool, QObject *receiver) : m_pool(pool), m_receiver(receiver) {}

    // Runs work() on the pool, then deliver(result) on the receiver's thread,
    // each only while this is still the latest request.
    template<typename Work, typename Deliver>
    void start(Work work, Deliver deliver)
    {
        const quint64 request = ++*m_latest;
        m_pool->start([latest = m_latest, request, receiver = m_receiver, work = std::move(work),
                       deliver = std::move(deliver)] {
            if (request != *latest)
                return;
            auto result = work();
            QMetaObject::invokeMethod(
                receiver,
                [latest, request, deliver, result = std::move(result)] {
                    if (request == *latest)
                        deliver(result);
                },
                Qt::QueuedConnection);
        });
    }

    // Makes every request made so far stale, without a new one.
    void supersede() { ++*m_latest; }

private:
    QThreadPool *m_pool;
    QObject *m_receiver;
    // Shared with the jobs, which may still be queued on the pool.
    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
};

} // namespace deckview
