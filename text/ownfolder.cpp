#include "ownfolder.h"

#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ownfolder {

namespace {

jm::Failure notAlone(const QString &folder)
{
    return jm::failure(QStringLiteral("\"%1\" is not a folder of yours alone (it must be a folder, owned by you and "
                                      "writable by no one else); move it aside and start again.")
                           .arg(QDir::toNativeSeparators(folder)));
}

} // namespace

jm::Status check(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? jm::success() : notAlone(folder); // not there: made, or not, by make()
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return notAlone(folder);
    return jm::success();
#else
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return jm::success();
    return info.isSymLink() || !info.isDir() ? notAlone(folder) : jm::success();
#endif
}

jm::Status make(const QString &folder)
{
    if (const jm::Status checked = check(folder); !checked)
        return checked;
    const QFileInfo info(folder);
    if (!info.exists()) {
        // Made by this call, or by another program just now: checked below either way.
        if ((!QDir().mkpath(info.absolutePath()) || !QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            && !QFileInfo(folder).isDir())
            return jm::failure(QStringLiteral("Cannot make the folder \"%1\".").arg(QDir::toNativeSeparators(folder)));
    }
    return check(folder);
}

bool settingsReadable(const QString &file)
{
    if (!check(QFileInfo(file).absolutePath()))
        return false;
    if (!QFileInfo::exists(file) && !QFileInfo(file).isSymLink())
        return true;
    return bool(textfiles::readWhole(file));
}

jm::Status settingsWritable(const QString &file)
{
    if (const jm::Status own = make(QFileInfo(file).absolutePath()); !own)
        return own;
    if (QFileInfo(file).isSymLink())
        return jm::failure(QStringLiteral("\"%1\" is a link; settings are not written through links.")
                               .arg(QDir::toNativeSeparators(file)));
    if (QFileInfo::exists(file))
        if (const auto read = textfiles::readWhole(file); !read)
            return read.failure();
    return jm::success();
}

} // namespace ownfolder
