// One wizard per program folder. Two wizards in one folder would share the
// hand-off files and the deck parameter files: one person's deck would be
// built from the other's sizes, and the second start-up would delete the
// first one's deck file. The lock lives in the program folder itself.
#pragma once

#include <QLockFile>
#include <QString>

inline const QString AlreadyRunningMessage = QStringLiteral("Joistmaster is already running from this folder.");

class FolderLock {
public:
    explicit FolderLock(const QString &programFolder);

    // Takes the folder for this run. False only when another running wizard
    // holds it; a lock left by a run that crashed is taken over (or, where it
    // cannot be removed, passed by), and a folder where no lock can be made at
    // all is used without one (its files fail with their own messages). The
    // lock goes when this object does, on every way the wizard ends.
    [[nodiscard]] bool claim();

private:
    QLockFile m_lock;
};
