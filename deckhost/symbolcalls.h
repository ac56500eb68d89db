// The symbols the host is asked to load and open, passed on to what shows
// and remembers them. A flood of calls is coalesced: only the latest deck
// matters, so a LoadSymbol drops whatever waits before it and an
// OpenSymbolFile replaces the one waiting after the load; what waits is
// passed on at most once every interval, in order (the load, then the open).
// The calls themselves are answered at once, before any of this.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class SymbolCalls : public QObject {
    Q_OBJECT
public:
    explicit SymbolCalls(int intervalMs = 50, QObject *parent = nullptr);

    void loaded(const QString &path);
    void opened(const QString &path);

signals:
    void symbolLoaded(const QString &path);
    void symbolFileOpened(const QString &path);

private:
    void passOn();

    struct Call {
        bool load = false;
        QString path;
    };
    std::vector<Call> m_waiting; // at most a load and an open
    QTimer m_timer;
};
