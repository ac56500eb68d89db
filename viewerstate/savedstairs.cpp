#include "savedstairs.h"

#include "outputfile.h"
#include "ownfolder.h"
#include "recentdecks.h"
#include "stairrecord.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace savedstairs {

namespace {

QString keyOf(const QString &deckFile) { return QDir::cleanPath(QFileInfo(deckFile).absoluteFilePath()); }

} // namespace

QString stairsFile() { return recentdecks::stateFolder() + QStringLiteral("/stairs.json"); }

std::optional<deckmodel::StairLayout> savedStair(const QString &deckFile)
{
    if (!ownfolder::check(recentdecks::stateFolder()) || QFileInfo(stairsFile()).isSymLink())
        return std::nullopt;
    const auto bytes = textfiles::readWhole(stairsFile());
    return bytes ? deckmodel::stairLayoutIn(*bytes, keyOf(deckFile)) : std::nullopt;
}

jm::Status saveStair(const QString &deckFile, const deckmodel::StairLayout &layout)
{
    if (const jm::Status own = ownfolder::make(recentdecks::stateFolder()); !own)
        return own;
    if (QFileInfo(stairsFile()).isSymLink())
        return jm::failure(QStringLiteral("%1 is a link; the viewer's state is not written through links.")
                               .arg(QDir::toNativeSeparators(stairsFile())));
    // Two viewers saving at once each read, merge and write in turn, so
    // neither loses the other's stair.
    QLockFile lock(stairsFile() + QStringLiteral(".lock"));
    if (!lock.tryLock(5000))
        return jm::failure(QStringLiteral("%1 is being changed by another viewer; the stair is not saved.")
                               .arg(QDir::toNativeSeparators(stairsFile())));
    QByteArray bytes;
    if (QFileInfo::exists(stairsFile())) {
        const auto read = textfiles::readWhole(stairsFile());
        if (!read)
            return read.failure();
        bytes = *read;
    }
    return outputfile::writeWhole(stairsFile(), deckmodel::withStairLayout(bytes, keyOf(deckFile), layout));
}

} // namespace savedstairs
