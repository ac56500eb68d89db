#include "takeoffprices.h"

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
    const QSettings stored(configPath(), QSettings::IniFormat);
    bool isNumber = false;
    const double percent = stored.value(WasteKey).toString().toDouble(&isNumber);
    return isNumber && isWastePercent(percent) ? percent : 10;
}

void useWastePercent(double percent)
{
    chosenWaste() = percent;
}

void saveWastePercent(double percent)
{
    QSettings stored(configPath(), QSettings::IniFormat);
    stored.setValue(WasteKey, percent);
    chosenWaste().reset();
}

} // namespace deckviewer
