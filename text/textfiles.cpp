#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QStringList decodeLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype end; (end = bytes.indexOf("\r\n", start)) >= 0; start = end + 2)
        lines << QString::fromLatin1(bytes.mid(start, end - start));
    return lines;
}

jm::Result<QByteArray> readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failureOf(file, path, "read");
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failureOf(file, path, "read");
    return bytes;
}

} // namespace textfiles
