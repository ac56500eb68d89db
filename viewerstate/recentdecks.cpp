#include "recentdecks.h"

#include "handoff.h"
#include "textfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace recentdecks {

namespace {

const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString keyOf(const QString &wizardFolder)
{
    const QByteArray path = QDir::cleanPath(QFileInfo(wizardFolder).absoluteFilePath()).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
}

QString folderState(const QString &wizardFolder)
{
    return stateFolder() + QStringLiteral("/folders/") + keyOf(wizardFolder);
}

// Makes the folder and every folder above it up to the state folder's parent,
// refusing one that is a link.
jm::Status makeFolder(const QString &path)
{
    const QString top = QFileInfo(stateFolder()).absolutePath();
    for (QString at = path; at.size() > top.size(); at = QFileInfo(at).absolutePath())
        if (QFileInfo(at).isSymLink())
            return jm::failure(QStringLiteral("%1 is a link; the host's state is not written through links.")
                                   .arg(QDir::toNativeSeparators(at)));
    // The copies are the user's designs: the state folder is made theirs alone.
    const bool isNew = !QFileInfo::exists(stateFolder());
    if (!QDir().mkpath(path))
        return jm::failure(QStringLiteral("Cannot make the folder %1.").arg(QDir::toNativeSeparators(path)));
    if (isNew)
        QFile::setPermissions(stateFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return jm::success();
}

jm::Status writeFile(const QString &path, const QByteArray &bytes)
{
    if (const jm::Status made = makeFolder(QFileInfo(path).absolutePath()); !made)
        return made;
    if (QFileInfo(path).isSymLink())
        return jm::failure(QStringLiteral("%1 is a link; the host's state is not written through links.")
                               .arg(QDir::toNativeSeparators(path)));
    return textfiles::writeWhole(path, bytes);
}

QByteArray symbolsBytes(const Asked &asked)
{
    return textfiles::encodeLines({QStringLiteral("loaded ") + asked.loaded, QStringLiteral("opened ") + asked.opened});
}

std::optional<Asked> symbolsIn(const QString &path)
{
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    const auto bytes = textfiles::readWhole(path);
    if (!bytes)
        return std::nullopt;
    const QStringList lines = textfiles::decodeLines(*bytes);
    if (lines.size() != 2 || !lines[0].startsWith(QLatin1String("loaded ")) || !lines[1].startsWith(QLatin1String("opened ")))
        return std::nullopt;
    return Asked{lines[0].mid(7), lines[1].mid(7)};
}

// The wizard's files present in the folder, by name.
QList<std::pair<QString, QByteArray>> wizardFilesIn(const QString &folder)
{
    QList<std::pair<QString, QByteArray>> files;
    for (const QString &name : deckfile::wizardFiles())
        if (const QFileInfo file(QDir(folder).filePath(name)); file.isFile())
            if (const auto bytes = textfiles::readWhole(file.filePath()))
                files.append({name, *bytes});
    return files;
}

QStringList copiesIn(const QString &decks)
{
    QStringList names = QDir(decks).entryList({QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    names.removeIf([](const QString &name) { return !QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}(-\\d+)?$")).match(name).hasMatch(); });
    return names;
}

// The copy holds this deck: the same files, the same style loaded, and the
// same symbol opened or none yet (the 2D road loads, then opens).
bool sameAs(const QString &copy, const Asked &asked, const QList<std::pair<QString, QByteArray>> &files)
{
    const std::optional<Asked> saved = symbolsIn(copy + QStringLiteral("/symbols.txt"));
    if (!saved || saved->loaded != asked.loaded || (saved->opened != asked.opened && !saved->opened.isEmpty()))
        return false;
    return wizardFilesIn(copy) == files;
}

jm::Status saveCopy(const QString &decks, const Asked &asked, const QList<std::pair<QString, QByteArray>> &files)
{
    QString name = QDateTime::currentDateTime().toString(StampFormat);
    for (int n = 2; QFileInfo::exists(decks + u'/' + name); ++n)
        name = QDateTime::currentDateTime().toString(StampFormat) + QStringLiteral("-%1").arg(n);
    const QString copy = decks + u'/' + name;
    for (const auto &[file, bytes] : files)
        if (const jm::Status written = writeFile(copy + u'/' + file, bytes); !written)
            return written;
    return writeFile(copy + QStringLiteral("/symbols.txt"), symbolsBytes(asked));
}

} // namespace

QString stateFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/joistmaster"));
}

jm::Status remember(const QString &wizardFolder, const Asked &asked)
{
    const QString state = folderState(wizardFolder);
    const QString path = QDir::cleanPath(QFileInfo(wizardFolder).absoluteFilePath());
    if (const jm::Status written = writeFile(state + QStringLiteral("/folder.txt"), textfiles::encodeLine(path)); !written)
        return written;
    if (const jm::Status written = writeFile(state + QStringLiteral("/last.txt"), symbolsBytes(asked)); !written)
        return written;
    const QString decks = state + QStringLiteral("/decks");
    const auto files = wizardFilesIn(wizardFolder);
    const QStringList copies = copiesIn(decks);
    if (!copies.isEmpty() && sameAs(decks + u'/' + copies.last(), asked, files))
        return writeFile(decks + u'/' + copies.last() + QStringLiteral("/symbols.txt"), symbolsBytes(asked));
    if (const jm::Status saved = saveCopy(decks, asked, files); !saved)
        return saved;
    const QStringList kept = copiesIn(decks);
    for (qsizetype i = 0; i + KeptPerFolder < kept.size(); ++i)
        QDir(decks + u'/' + kept[i]).removeRecursively();
    return jm::success();
}

std::optional<Asked> askedIn(const QString &folder)
{
    if (const auto own = symbolsIn(QDir(folder).filePath(QStringLiteral("symbols.txt"))))
        return own;
    return symbolsIn(folderState(folder) + QStringLiteral("/last.txt"));
}

QList<SavedDeck> recentDecks(const QString &wizardFolder)
{
    const QString decks = folderState(wizardFolder) + QStringLiteral("/decks");
    QList<SavedDeck> saved;
    for (const QString &name : copiesIn(decks)) {
        const QString folder = decks + u'/' + name;
        if (const auto asked = symbolsIn(folder + QStringLiteral("/symbols.txt")))
            saved.prepend({folder, QDateTime::fromString(name.left(StampFormat.size()), StampFormat), deckNameOf(*asked)});
    }
    return saved;
}

QString deckNameOf(const Asked &asked)
{
    const auto nameOf = [](const QString &symbol) {
        return QFileInfo(symbol.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1)).completeBaseName();
    };
    const bool is2D = asked.opened.isEmpty() || nameOf(asked.opened).compare(QLatin1String("2ddecks"), Qt::CaseInsensitive) == 0;
    return nameOf(is2D ? asked.loaded : asked.opened);
}

} // namespace recentdecks
