#include "recentdecks.h"

#include "handoff.h"
#include "ownfolder.h"
#include "textfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#endif

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

// Makes the folder and every folder above it up to the state folder, which
// must be the user's alone (the copies are their designs), refusing one that
// is a link.
jm::Status makeFolder(const QString &path)
{
    if (const jm::Status own = ownfolder::make(stateFolder()); !own)
        return own;
    for (QString at = path; at.size() > stateFolder().size(); at = QFileInfo(at).absolutePath())
        if (QFileInfo(at).isSymLink())
            return jm::failure(QStringLiteral("%1 is a link; the host's state is not written through links.")
                                   .arg(QDir::toNativeSeparators(at)));
    if (!QDir().mkpath(path))
        return jm::failure(QStringLiteral("Cannot make the folder %1.").arg(QDir::toNativeSeparators(path)));
    return jm::success();
}

// The files the host writes into a copy.
QStringList copyFileNames()
{
    return QStringList(deckfile::wizardFiles()) << QStringLiteral("symbols.txt");
}

// Removes a copy the host made: its own files by name, each only when it is
// a regular file, then the folder when that leaves it empty. No link is
// followed, in the copy or as the copy: a link or anything else planted there
// stays, and so does what it points at.
void removeCopy(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0)
        return;
    for (const QString &name : copyFileNames()) {
        const QByteArray file = QFile::encodeName(name);
        struct stat status {};
        if (::fstatat(dir, file.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode))
            ::unlinkat(dir, file.constData(), 0);
    }
    ::close(dir);
    ::rmdir(QFile::encodeName(folder).constData()); // only an empty folder, never a link
#else
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path = fs::path(folder.toStdWString());
    if (!fs::is_directory(fs::symlink_status(path, error)))
        return;
    for (const QString &name : copyFileNames())
        if (const fs::path file = path / name.toStdWString(); fs::is_regular_file(fs::symlink_status(file, error)))
            fs::remove(file, error);
    fs::remove(path, error);
#endif
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
    if (QFileInfo(decks).isSymLink())
        return {};
    // Folders only, never a link named like one.
    QStringList names = QDir(decks).entryList({QStringLiteral("*")}, QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
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
        removeCopy(decks + u'/' + kept[i]);
    return jm::success();
}

std::optional<Asked> askedIn(const QString &folder)
{
    if (const auto own = symbolsIn(QDir(folder).filePath(QStringLiteral("symbols.txt"))))
        return own;
    if (!ownfolder::check(stateFolder()))
        return std::nullopt;
    return symbolsIn(folderState(folder) + QStringLiteral("/last.txt"));
}

QList<SavedDeck> recentDecks(const QString &wizardFolder)
{
    const QString decks = folderState(wizardFolder) + QStringLiteral("/decks");
    QList<SavedDeck> saved;
    if (!ownfolder::check(stateFolder()))
        return saved;
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
