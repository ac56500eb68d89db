#include "symbolcalls.h"

#include <utility>

SymbolCalls::SymbolCalls(int intervalMs, QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SymbolCalls::passOn);
}

void SymbolCalls::loaded(const QString &path)
{
    m_waiting = {{true, path}};
    if (!m_timer.isActive())
        m_timer.start();
}

void SymbolCalls::opened(const QString &path)
{
    if (!m_waiting.empty() && !m_waiting.back().load)
        m_waiting.back().path = path;
    else
        m_waiting.push_back({false, path});
    if (!m_timer.isActive())
        m_timer.start();
}

void SymbolCalls::passOn()
{
    const std::vector<Call> calls = std::exchange(m_waiting, {});
    for (const Call &call : calls) {
        if (call.load)
            emit symbolLoaded(call.path);
        else
            emit symbolFileOpened(call.path);
    }
}
