// The substitute host `deckhost` as a child process of an integration test, on
// the test's session bus, with a journal of its own in a temporary folder.
//
//     DeckHostProcess deckhost({"--fail", "Prepare"});
//     QVERIFY(deckhost.start());
//     ... drive the wizard ...
//     QCOMPARE(deckhost.calls(), (QStringList{"get /Application ActiveProvider", ...}));
#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class DeckHostProcess {
public:
    explicit DeckHostProcess(QStringList extraArgs = {});
    ~DeckHostProcess();
    DeckHostProcess(const DeckHostProcess &) = delete;
    DeckHostProcess &operator=(const DeckHostProcess &) = delete;

    // Runs $DECKHOST --headless --journal <temporary file> extraArgs and waits
    // (at most about 10 s) until it owns "Plankora.Application". False, with a
    // warning saying why, when it does not get there.
    bool start();
    // Ends the host and waits until the name is free again. The journal stays readable.
    void stop();

    // Every journal entry so far, in order.
    QList<QJsonObject> journal() const;
    // The entries as "<kind> <path> <member> <args>" lines, e.g.
    // `put /Application/ActiveTarget Mode2D True`.
    QStringList calls() const;

    QString journalPath() const;
    qint64 processId() const { return m_process.processId(); }

private:
    QStringList m_extraArgs;
    QTemporaryDir m_folder;
    QProcess m_process;
};
