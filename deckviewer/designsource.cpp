#include "designsource.h"

#include "catalogue.h"
#include "designfile.h"
#include "handoff.h"
#include "recentdecks.h"
#include "savedstairs.h"

#include <QDir>
#include <QFileInfo>

namespace deckviewer {

namespace {
// What the host was last asked for in a folder: the 2D style loaded, or the
// 3D family opened; nothing when it was never asked.
std::optional<recentdecks::Asked> askedIn(const QString &path)
{
    return QFileInfo(path).isDir() ? recentdecks::askedIn(path) : std::nullopt;
}

bool is2D(const recentdecks::Asked &asked)
{
    const QString symbol = asked.opened.isEmpty() ? asked.loaded : asked.opened;
    return symbol.endsWith(QLatin1String(".dc"), Qt::CaseInsensitive) || deckfile::isCommon2DSymbol(symbol);
}
} // namespace

QString wizardDeckFile(const QString &path)
{
    if (design::isDesignPath(path) && !QFileInfo(path).isDir())
        return {};
    if (!QFileInfo(path).isDir())
        return path;
    if (const auto asked = askedIn(path)) {
        if (is2D(*asked))
            return {};
        if (const deckfile::Family *family = deckfile::familyOfSymbol(asked->opened))
            return QDir(path).filePath(QLatin1String(family->file));
    }
    const auto read = deckfile::readDeck(path);
    return read ? QDir(path).filePath(QFileInfo(read->fileName).fileName()) : QString();
}

jm::Result<design::Design> designFrom(const QString &path, const deckmodel::CodeSettings &settings, double wastePercent)
{
    if (design::isDesignPath(path) && !QFileInfo(path).isDir())
        return design::readDesign(path);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    jm::Result<design::Design> made = jm::failure(QString());
    if (const auto asked = askedIn(path); asked && is2D(*asked)) {
        const auto plan = deckfile::read2DFrom(asked->loaded, path);
        if (!plan)
            return plan.failure();
        made = design::from2D(*plan, path, now);
    } else {
        // A folder read whole: its DeckType.txt tells the square from the rectangle.
        const QString file = wizardDeckFile(path);
        const bool asked3D = bool(askedIn(path));
        const auto read = deckfile::readDeck(asked3D && !file.isEmpty() ? file : path);
        if (!read)
            return read.failure();
        const deckfile::DeckParameters &parameters = *read;
        made = design::fromParameters(parameters, path, now);
        if (const auto stair = savedstairs::savedStair(file))
            made->stair = *stair;
    }
    made->code = settings;
    made->wastePercent = wastePercent;
    return made;
}

} // namespace deckviewer
