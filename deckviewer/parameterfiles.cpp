#include "parameterfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
ParameterFile readParameterFile(const QDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return {name, QString::fromLatin1(bytes)};
}
} // namespace

QList<ParameterFile> parameterFiles(const QString &folder)
{
    const QDir dir(folder);
    QStringList names;
    for (const char *fixed : {"DeckSize.txt", "DeckType.txt", "Sizes.txt"})
        if (dir.exists(QLatin1String(fixed)))
            names << QLatin1String(fixed);
    names += dir.entryList({QStringLiteral("Deck_*.txt")}, QDir::Files, QDir::Name);

    QList<ParameterFile> files;
    for (const QString &name : names)
        files.append(readParameterFile(dir, name));
    return files;
}

OpenedDeck openDeckFiles(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {true, info.absoluteFilePath(), parameterFiles(path)};
    if (info.isFile())
        return {true, info.absolutePath(), {readParameterFile(info.absoluteDir(), info.fileName())}};
    return {};
}

QString describeParameterFiles(const QString &folder, const QList<ParameterFile> &files)
{
    if (files.isEmpty())
        return QStringLiteral("No parameter files in %1.\n").arg(QDir::toNativeSeparators(folder));
    QString text;
    for (const ParameterFile &file : files) {
        text += file.name + u'\n';
        QString body = file.text;
        if (body.endsWith(QStringLiteral("\r\n")))
            body.chop(2);
        for (const QString &line : body.split(QStringLiteral("\r\n"))) {
            QString shown = line;
            shown.replace(u'\r', QStringLiteral("<CR>")).replace(u'\n', QStringLiteral("<LF>"));
            text += QStringLiteral("    ") + shown + u'\n';
        }
    }
    return text;
}
