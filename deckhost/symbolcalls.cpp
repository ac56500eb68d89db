#include "symbolcalls.h"

#include <utility>

SymbolCalls::SymbolCalls(int quietMs, int longestWaitMs, QObject *parent) : QObject(parent)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMs);
    m_longest.setSingleShot(true);
    m_longest.setInterval(longestWaitMs);
    connect(&m_quiet, &QTimer::timeout, this, &SymbolCalls::passOn);
    connect(&m_longest, &QTimer::timeout, this, &SymbolCalls::passOn);
}

void SymbolCalls::loaded(const QString &path)
{
    m_waiting = {{true, path}};
    waitFor();
}

void SymbolCalls::opened(const QString &path)
{
    if (!m_waiting.empty() && !m_waiting.back().load)
        m_waiting.back().path = path;
    else
        m_waiting.push_back({false, path});
    waitFor();
}

void SymbolCalls::waitFor()
{
    m_quiet.start();
    if (!m_longest.isActive())
        m_longest.start();
}

void SymbolCalls::passOn()
{
    m_quiet.stop();
    m_longest.stop();
    const std::vector<Call> calls = std::exchange(m_waiting, {});
    for (const Call &call : calls) {
        if (call.load)
            emit symbolLoaded(call.path);
        else
            emit symbolFileOpened(call.path);
    }
}

#include "moc_symbolcalls.cpp"
