#include "takeoffprices.h"

#include "ownfolder.h"
#include "settingsfile.h"

#include <QDir>
#include <QSettings>

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
    return prices;
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
