#include "takeoffprices.h"

#include "ownfolder.h"
#include "settingsfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <mutex>
#include <optional>

namespace deckviewer {

namespace {
QString &chosenList()
{
    static QString path;
    return path;
}
std::optional<double> &chosenWaste()
{
    static std::optional<double> percent;
    return percent;
}
const QString WasteKey = QStringLiteral("takeoff/waste_percent");

// The list as last read, kept while its file stays as it was: the takeoff is
// filled, priced and drawn from one reading, read again when the file changes.
struct Stamp {
    QString path;
    qint64 size = -1;
    QDateTime modified, changed;
    bool operator==(const Stamp &) const = default;
};
Stamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {path, info.size(), info.lastModified(), info.metadataChangeTime()};
}
struct Reading {
    Stamp stamp;
    Prices prices;
};
std::mutex readingLock;
std::optional<Reading> lastReading;

// The viewer's config file, beside the code check's settings.
QString configPath()
{
    return deckmodel::configFile(QStringLiteral("deckviewer.conf"));
}
} // namespace

void usePriceList(const QString &path)
{
    chosenList() = path;
}

QString priceListPath()
{
    return chosenList().isEmpty() ? deckmodel::defaultPriceListPath() : chosenList();
}

jm::Result<Prices> loadPrices()
{
    const Stamp stamp = stampOf(priceListPath());
    if (!stamp.path.isEmpty()) {
        const std::lock_guard lock(readingLock);
        if (lastReading && lastReading->stamp == stamp) {
            Prices kept = lastReading->prices;
            kept.created = false;
            return kept;
        }
    }
    Prices prices;
    const jm::Result<deckmodel::PriceList> list =
        deckmodel::loadPriceList(priceListPath(), chosenList().isEmpty(), &prices.created);
    if (!list && chosenList().isEmpty()) {
        // The person's own list cannot be made or read (a read-only or shared
        // config folder): the takeoff goes on with the example prices, and says so.
        prices.list = deckmodel::PriceList::parse(deckmodel::PriceList::exampleBytes(), QStringLiteral("prices.csv"));
        prices.example = true;
        prices.problems << list.error() + QStringLiteral(" The example prices are used.");
        return prices;
    }
    if (!list)
        return list.failure();
    prices.list = *list;
    prices.example = list->isExample();
    for (const deckmodel::PriceProblem &problem : list->problems())
        prices.problems << problem.sentence;
    if (!stamp.path.isEmpty()) {
        const std::lock_guard lock(readingLock);
        lastReading = Reading{stamp, prices};
    }
    return prices;
}

jm::Status savePrice(const deckmodel::PriceKey &key, double price)
{
    const jm::Status saved = deckmodel::savePrice(priceListPath(), key, price);
    const std::lock_guard lock(readingLock);
    lastReading.reset();
    return saved;
}

Prices pricesOrNone()
{
    const jm::Result<Prices> loaded = loadPrices();
    if (loaded)
        return *loaded;
    Prices none;
    none.problems << loaded.error();
    return none;
}

bool isWastePercent(double percent)
{
    return percent >= 0 && percent <= 100;
}

double wastePercent()
{
    if (chosenWaste())
        return *chosenWaste();
    if (!ownfolder::settingsReadable(configPath()))
        return 10;
    return deckmodel::wastePercentIn(configPath());
}

void useWastePercent(double percent)
{
    chosenWaste() = percent;
}

void saveWastePercent(double percent)
{
    if (!ownfolder::settingsWritable(configPath())) {
        chosenWaste() = percent; // for this run, where it cannot be remembered
        return;
    }
    QSettings stored(configPath(), QSettings::IniFormat);
    stored.setValue(WasteKey, percent);
    chosenWaste().reset();
}

} // namespace deckviewer
