#include "folderlock.h"

#include "textfiles.h"

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
    return m_lock.error() != QLockFile::LockFailedError;
}
