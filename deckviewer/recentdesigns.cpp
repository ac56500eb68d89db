#include "recentdesigns.h"

#include "catalogue.h"
#include "checksettings.h"
#include "designfile.h"
#include "lengthtext.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <memory>

namespace deckviewer {

namespace {
const QString RecentKey = QStringLiteral("recent/designs");

QString feet(double value)
{
    return lengthtext::feetAndInchesFromInches(value * 12);
}
} // namespace

void rememberDesign(const QString &path)
{
    const std::unique_ptr<QSettings> stored = settingsToWrite();
    if (!stored)
        return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList paths = stored->value(RecentKey).toStringList();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    while (paths.size() > RecentDesignsKept)
        paths.removeLast();
    stored->setValue(RecentKey, paths);
}

QList<RecentDesign> recentDesigns()
{
    const std::unique_ptr<const QSettings> stored = storedSettings();
    QList<RecentDesign> designs;
    if (!stored)
        return designs;
    for (const QString &path : stored->value(RecentKey).toStringList().mid(0, RecentDesignsKept))
        if (const auto read = design::readDesign(path))
            designs.append({path, *read, QFileInfo(path).lastModified()});
    return designs;
}

QString shapeAndSize(const design::Design &d)
{
    if (d.is2D)
        return QStringLiteral("2D deck %1, %2 wide").arg(d.plan.style).arg(feet(d.plan.widthFeet));
    const deckfile::Shape *known = deckfile::shapeOf(d.deck.deckType);
    return QStringLiteral("%1, %2 x %3")
        .arg(known ? QString::fromUtf8(known->words) : QStringLiteral("deck"), feet(d.deck.depthA), feet(d.deck.widthB));
}

QString recentDesignLabel(const RecentDesign &recent)
{
    return QStringLiteral("%1 (design): %2, saved %3")
        .arg(QFileInfo(recent.path).completeBaseName(), shapeAndSize(recent.design),
             QLocale().toString(recent.savedAt, QLocale::ShortFormat));
}

} // namespace deckviewer
