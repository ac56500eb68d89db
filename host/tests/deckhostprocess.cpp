#include "deckhostprocess.h"

#include "journal.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

namespace {
const QString Name = QStringLiteral("Plankora.Application");

bool nameOwned()
{
    auto *bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(Name).value();
}

uint ownerProcessId()
{
    auto *bus = QDBusConnection::sessionBus().interface();
    return bus ? bus->servicePid(Name).value() : 0;
}
} // namespace

DeckHostProcess::DeckHostProcess(QStringList extraArgs) : m_extraArgs(std::move(extraArgs))
{
    // The journal is the record; its copy on stdout is not needed here.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

DeckHostProcess::~DeckHostProcess()
{
    stop();
}

QString DeckHostProcess::journalPath() const
{
    return m_folder.filePath(QStringLiteral("journal.jsonl"));
}

bool DeckHostProcess::start()
{
    const QString program = qEnvironmentVariable("DECKHOST");
    if (program.isEmpty()) {
        qWarning("DeckHostProcess: DECKHOST does not name the deckhost executable.");
        return false;
    }
    if (!QDBusConnection::sessionBus().isConnected()) {
        qWarning("DeckHostProcess: there is no session bus (run the test under dbus-run-session).");
        return false;
    }
    if (nameOwned()) {
        qWarning("DeckHostProcess: another process already owns %s.", qPrintable(Name));
        return false;
    }
    m_process.start(program, QStringList{QStringLiteral("--headless"), QStringLiteral("--journal"), journalPath()}
                                 + m_extraArgs);
    if (!m_process.waitForStarted(10000)) {
        qWarning("DeckHostProcess: %s did not start: %s", qPrintable(program), qPrintable(m_process.errorString()));
        return false;
    }
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (nameOwned() && ownerProcessId() == uint(m_process.processId()))
            return true;
        if (m_process.waitForFinished(20)) {
            qWarning("DeckHostProcess: deckhost ended with code %d before owning %s.", m_process.exitCode(),
                     qPrintable(Name));
            return false;
        }
    }
    qWarning("DeckHostProcess: deckhost did not own %s within 10 s.", qPrintable(Name));
    stop();
    return false;
}

void DeckHostProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    // The bus lets go of the name a moment after the process has gone.
    QDeadlineTimer deadline(3000);
    while (nameOwned() && !deadline.hasExpired())
        QThread::msleep(10);
}

QList<QJsonObject> DeckHostProcess::journal() const
{
    QFile file(journalPath());
    QList<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.isEmpty())
            entries << QJsonDocument::fromJson(line).object();
    }
    return entries;
}

QStringList DeckHostProcess::calls() const
{
    QStringList lines;
    for (const QJsonObject &entry : journal())
        lines << compactCall(entry);
    return lines;
}
