#include "panellayout.h"

#include "checksettings.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace deckviewer {

namespace {
QString layoutKey(const QString &name)
{
    return QStringLiteral("layout/") + name;
}
constexpr int largestSize = 10000;
} // namespace

QList<int> savedSizes(const QString &name)
{
    const std::unique_ptr<const QSettings> stored = storedSettings();
    const QStringList parts = stored ? stored->value(layoutKey(name)).toStringList() : QStringList();
    QList<int> sizes;
    for (const QString &part : parts) {
        bool isNumber = false;
        const int size = part.trimmed().toInt(&isNumber);
        if (!isNumber || size < 1 || size > largestSize)
            return {};
        sizes << size;
    }
    return sizes;
}

void saveSizes(const QString &name, const QList<int> &sizes)
{
    QStringList parts;
    for (int size : sizes)
        parts << QString::number(std::clamp(size, 1, largestSize));
    if (const std::unique_ptr<QSettings> stored = settingsToWrite())
        stored->setValue(layoutKey(name), parts);
}

} // namespace deckviewer
