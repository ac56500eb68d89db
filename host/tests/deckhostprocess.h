// The substitute host `deckhost` ($DECKHOST) as a child process of a test, on
// the test's private session bus, with its journal in a temporary folder.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class DeckHostProcess {
public:
    explicit DeckHostProcess(QStringList extraArgs = {}) : m_extraArgs(std::move(extraArgs)) {}
    ~DeckHostProcess() { stop(); }

    // Runs deckhost --headless --journal <file> extraArgs and waits until it
    // owns "Plankora.Application"; false, with a warning, when it does not.
    bool start();
    // Ends the host and waits until the name is free again.
    void stop();
    // The journal so far as "<kind> <path> <member> <arguments>" lines.
    QStringList calls() const;
    qint64 processId() const { return m_process.processId(); }

private:
    QString journalPath() const { return m_folder.filePath(QStringLiteral("journal.jsonl")); }

    QStringList m_extraArgs;
    QTemporaryDir m_folder;
    QProcess m_process;
};
