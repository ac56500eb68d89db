#include "folderlock.h"

#include "textfiles.h"

#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>

static bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}
#else
static bool processRuns(qint64) { return true; }
#endif

FolderLock::FolderLock(const QString &programFolder)
    : m_lock(textfiles::pathIn(programFolder, QStringLiteral("Joistmaster.lock")))
{
    // A wizard may stay open for hours: only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

bool FolderLock::claim()
{
    if (m_lock.tryLock(0))
        return true;
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    // A lock whose process is gone that cannot be taken over (the folder
    // became read-only under the run that left it) holds no one back.
    qint64 pid = 0;
    QString hostName, application;
    return m_lock.getLockInfo(&pid, &hostName, &application) && hostName == QSysInfo::machineHostName()
           && !processRuns(pid);
}
