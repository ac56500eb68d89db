#include "deckhostprocess.h"

#include "journal.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

namespace {
uint ownerProcessId()
{
    auto *bus = QDBusConnection::sessionBus().interface();
    return bus ? bus->servicePid(QStringLiteral("Plankora.Application")).value() : 0;
}
} // namespace

bool DeckHostProcess::start()
{
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(qEnvironmentVariable("DECKHOST"),
                    QStringList{QStringLiteral("--headless"), QStringLiteral("--journal"), journalPath()} + m_extraArgs);
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        if (ownerProcessId() == uint(m_process.processId()))
            return true;
        m_process.waitForFinished(20);
    }
    qWarning("DeckHostProcess: deckhost did not take the name: %s", qPrintable(m_process.errorString()));
    stop();
    return false;
}

void DeckHostProcess::stop()
{
    m_process.terminate(); // nothing to end when it never ran or has ended
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(3000);
    // The bus lets go of the name a moment after the process has gone.
    QDeadlineTimer deadline(3000);
    while (ownerProcessId() != 0 && !deadline.hasExpired())
        QThread::msleep(10);
}

QStringList DeckHostProcess::calls() const
{
    QFile file(journalPath());
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            lines << compactCall(QJsonDocument::fromJson(line.toUtf8()).object());
    return lines;
}
