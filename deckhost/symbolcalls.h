// The symbols the host is asked to load and open, passed on to what shows
// and remembers them. A flood of calls is coalesced: only the latest deck
// matters, so a LoadSymbol drops whatever waits before it and an
// OpenSymbolFile replaces the one waiting after the load. What waits is
// passed on, in order (the load, then the open), once the calls have paused
// for `quietMs`, or `longestWaitMs` after the first of them while they go on:
// a flood builds its deck once at its end, not every few milliseconds on the
// thread that answers the calls.
// The calls themselves are answered at once, before any of this.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class SymbolCalls : public QObject {
    Q_OBJECT
public:
    explicit SymbolCalls(int quietMs = 50, int longestWaitMs = 500, QObject *parent = nullptr);

    void loaded(const QString &path);
    void opened(const QString &path);

signals:
    void symbolLoaded(const QString &path);
    void symbolFileOpened(const QString &path);

private:
    void waitFor();
    void passOn();

    struct Call {
        bool load = false;
        QString path;
    };
    std::vector<Call> m_waiting; // at most a load and an open
    QTimer m_quiet;              // restarted by every call
    QTimer m_longest;            // from the first call waiting
};
