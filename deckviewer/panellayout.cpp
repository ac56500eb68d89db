#include "panellayout.h"

#include "checksettings.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace deckviewer {

namespace {
QString keyOf(const QString &name)
{
    return QStringLiteral("layout/") + name;
}
constexpr int largestSize = 10000;
} // namespace

QList<int> savedSizes(const QString &name)
{
    const QSettings stored(codeSettingsPath(), QSettings::IniFormat);
    const QStringList parts = stored.value(keyOf(name)).toStringList();
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
    QSettings stored(codeSettingsPath(), QSettings::IniFormat);
    stored.setValue(keyOf(name), parts);
}

} // namespace deckviewer
