// Work that runs off the GUI thread where only the latest request counts: a
// deck being built, a scene being meshed, a frame being rendered. Each start()
// is a new request and makes every earlier one stale; a stale job that has not
// begun skips its work, and a stale result is dropped instead of delivered.
// Results are delivered on the receiver's thread, in request order.
//
// A job that finishes after the LatestJob has gone delivers nothing, so that
// its owner need not wait for work it no longer wants.
#pragma once

#include <QMutex>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <utility>

namespace deckview {

class LatestJob {
public:
    LatestJob(QThreadPool *pool, QObject *receiver) : m_pool(pool), m_state(std::make_shared<State>(receiver)) {}
    LatestJob(const LatestJob &) = delete;
    LatestJob &operator=(const LatestJob &) = delete;

    ~LatestJob()
    {
        // Jobs still running deliver to no one.
        const QMutexLocker lock(&m_state->mutex);
        m_state->receiver = nullptr;
        ++m_state->latest;
    }

    // Runs work() on the pool, then deliver(result) on the receiver's thread,
    // each only while this is still the latest request.
    template<typename Work, typename Deliver>
    void start(Work work, Deliver deliver)
    {
        const quint64 request = ++m_state->latest;
        m_pool->start([state = m_state, request, work = std::move(work), deliver = std::move(deliver)] {
            if (request != state->latest)
                return;
            auto result = work();
            const QMutexLocker lock(&state->mutex);
            if (!state->receiver)
                return;
            QMetaObject::invokeMethod(
                state->receiver,
                [state, request, deliver, result = std::move(result)] {
                    if (request == state->latest)
                        deliver(result);
                },
                Qt::QueuedConnection);
        });
    }

    // Makes every request made so far stale, without a new one.
    void supersede() { ++m_state->latest; }

private:
    struct State {
        explicit State(QObject *r) : receiver(r) {}
        std::atomic<quint64> latest{0};
        QMutex mutex;
        QObject *receiver;
    };
    QThreadPool *m_pool;
    // Shared with the jobs, which may still be queued or running on the pool.
    std::shared_ptr<State> m_state;
};

} // namespace deckview
