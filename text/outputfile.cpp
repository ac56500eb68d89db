#include "outputfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace outputfile {

namespace fs = std::filesystem;

namespace {

fs::path native(const QString &path) { return fs::path(QFile::encodeName(path).toStdString()); }

jm::Failure cannotWrite(const QString &target, const QString &why)
{
    return jm::failure(QStringLiteral("cannot write %1: %2").arg(target, why));
}

QString reasonOf(const std::error_code &error) { return QString::fromLocal8Bit(error.message().c_str()); }

} // namespace

jm::Status checkTarget(const QString &target)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(native(target), error);
    switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
    case fs::file_type::symlink:
        return jm::success();
    case fs::file_type::directory:
        return cannotWrite(target, QStringLiteral("it is a folder"));
    case fs::file_type::none:
        return cannotWrite(target, reasonOf(error));
    default:
        return cannotWrite(target, QStringLiteral("it is not a regular file (a FIFO, a device or a socket)"));
    }
}

Scratch::Scratch(const QString &target)
    : m_target(target),
      m_folder(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(QFileInfo(target).fileName())))
{
    if (const jm::Status checked = checkTarget(target); !checked)
        m_status = checked;
    else if (!m_folder.isValid())
        m_status = cannotWrite(target, m_folder.errorString());
}

QString Scratch::file() const
{
    return m_folder.filePath(QFileInfo(m_target).fileName());
}

jm::Status Scratch::commit()
{
    if (!m_status)
        return m_status;
    std::error_code error;
    const fs::path target = native(m_target);
    // The permissions of what the target is now, a link's target's included.
    const fs::file_status existing = fs::status(target, error);
    if (fs::is_regular_file(existing)) {
        fs::permissions(native(file()), existing.permissions(), error);
        if (error)
            return cannotWrite(m_target, reasonOf(error));
    }
    fs::rename(native(file()), target, error);
    if (error)
        return cannotWrite(m_target, reasonOf(error));
    return jm::success();
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return !a.isEmpty() && !b.isEmpty() && fs::equivalent(native(a), native(b), error) && !error;
}

jm::Status writeWhole(const QString &target, const QByteArray &bytes)
{
    Scratch scratch(target);
    if (!scratch.status())
        return scratch.status();
#ifdef Q_OS_UNIX
    // Written by hand so that a full disk part-way gives the system's reason
    // (a short write leaves Qt with "Unknown error").
    const int fd = ::open(QFile::encodeName(scratch.file()).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return cannotWrite(target, QString::fromLocal8Bit(std::strerror(errno)));
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const QString why = QString::fromLocal8Bit(std::strerror(wrote < 0 ? errno : ENOSPC));
            ::close(fd);
            return cannotWrite(target, why);
        }
        done += wrote;
    }
    if (::close(fd) != 0)
        return cannotWrite(target, QString::fromLocal8Bit(std::strerror(errno)));
#else
    QFile file(scratch.file());
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return cannotWrite(target, file.errorString());
    file.close();
#endif
    return scratch.commit();
}

} // namespace outputfile
