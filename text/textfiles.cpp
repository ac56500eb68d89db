#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textfiles {

QByteArray encodeLine(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character, one byte
        bytes.append(c.unicode() < 256 ? char(c.unicode()) : '?');
    }
    bytes.append("\r\n", 2);
    return bytes;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeLine(line);
    return bytes;
}

QString pathIn(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

static Failure failureOf(const QFileDevice &file, const QString &path, const char *action)
{
    return Failure{qint64(file.error()),
                   QStringLiteral("Could not %1 the file \"%2\" in the folder \"%3\": %4.")
                       .arg(QLatin1String(action), QFileInfo(path).fileName(),
                            QDir::toNativeSeparators(QFileInfo(path).absolutePath()), file.errorString())};
}

jm::Status writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // No QIODevice::Text: the bytes are written exactly as given.
    if (!file.open(QIODevice::WriteOnly))
        return failureOf(file, path, "write");
    // The last bytes reach the disk at the flush; a full disk shows there,
    // and commit() would not notice it.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        auto failure = failureOf(file, path, "write");
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return failureOf(file, path, "write");
    return jm::success();
}

jm::Status writeLines(const QString &path, const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            return Failure{qint64(QFileDevice::WriteError),
                           QStringLiteral("Could not write the file \"%1\" in the folder \"%2\": the value \"%3\" "
                                          "holds a line break, which would split its line in two. Nothing was "
                                          "written.")
                               .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
                                    QString(line).replace(u'\r', u' ').replace(u'\n', u' ').simplified())};
    }
    return writeWhole(path, encodeLines(lines));
}

QString quoted(QStringView text, qsizetype longest)
{
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size() && i < longest; ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case 0: out += QStringLiteral("\\0"); break;
        default:
            if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0))
                out += QStringLiteral("\\x%1").arg(int(c), 2, 16, QLatin1Char('0'));
            else
                out += QChar(c);
        }
    }
    if (text.size() > longest)
        out += QStringLiteral("...");
    return out + u'"';
}

QStringList decodeLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype end; (end = bytes.indexOf("\r\n", start)) >= 0; start = end + 2)
        lines << QString::fromLatin1(bytes.mid(start, end - start));
    return lines;
}

static Failure refusalOf(const QString &path, const QString &why)
{
    return Failure{qint64(QFileDevice::OpenError),
                   QStringLiteral("Could not read the file \"%1\" in the folder \"%2\": %3.")
                       .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath()), why)};
}

static QString tooLarge()
{
    return QStringLiteral("it holds more than %1 MB, far more than any file of the wizard's")
        .arg(LargestFileBytes / (1024 * 1024));
}

jm::Result<QByteArray> readWhole(const QString &path)
{
    QFile file(path);
#ifdef Q_OS_UNIX
    // Opened without waiting (a FIFO would wait for a writer), then asked
    // what it is: what is checked is what is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refusalOf(path, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refusalOf(path, S_ISDIR(status.st_mode) ? QStringLiteral("it is a folder")
                                                       : QStringLiteral("it is not a regular file"));
    }
    if (status.st_size > LargestFileBytes) {
        ::close(fd);
        return refusalOf(path, tooLarge());
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failureOf(file, path, "read");
    }
#else
    if (QFileInfo(path).isDir())
        return refusalOf(path, QStringLiteral("it is a folder"));
    if (!file.open(QIODevice::ReadOnly))
        return failureOf(file, path, "read");
    if (file.isSequential())
        return refusalOf(path, QStringLiteral("it is not a regular file"));
#endif
    // A file that grows while it is read is cut off at the limit, not followed.
    QByteArray bytes = file.read(LargestFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failureOf(file, path, "read");
    if (bytes.size() > LargestFileBytes)
        return refusalOf(path, tooLarge());
    return bytes;
}

} // namespace textfiles
