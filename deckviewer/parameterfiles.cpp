#include "parameterfiles.h"

#include "catalogue.h"
#include "handoff.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
// A file that cannot be read (a FIFO, a device, far too large) shows why.
ParameterFile readParameterFile(const QDir &dir, const QString &name)
{
    const auto bytes = textfiles::readWhole(dir.filePath(name));
    return {name, bytes ? QString::fromLatin1(*bytes) : bytes.error()};
}
} // namespace

QList<ParameterFile> parameterFiles(const QString &folder)
{
    const QDir dir(folder);
    QStringList names;
    for (const QString &fixed : {deckfile::DeckSizeFile, deckfile::DeckTypeFile, deckfile::SizesFile})
        if (dir.exists(fixed))
            names << fixed;
    QStringList families = deckfile::parameterFiles();
    std::sort(families.begin(), families.end());
    for (const QString &family : families)
        if (dir.exists(family))
            names << family;

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
