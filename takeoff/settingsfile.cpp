#include "settingsfile.h"

#include <QSettings>

namespace deckmodel {

namespace {

// A whole number as stored, or -1 for anything else.
int storedNumber(const QSettings &stored, const QString &key)
{
    bool isNumber = false;
    const int value = stored.value(key).toString().toInt(&isNumber);
    return isNumber ? value : -1;
}

} // namespace

CodeSettings codeSettingsIn(const QString &iniFile)
{
    const QSettings stored(iniFile, QSettings::IniFormat);
    CodeSettings settings;
    settings.species = speciesNamed(stored.value(QStringLiteral("code/species")).toString()).value_or(settings.species);
    settings.footing = footingNamed(stored.value(QStringLiteral("code/footing")).toString()).value_or(settings.footing);
    if (const int snow = storedNumber(stored, QStringLiteral("code/snow_load_psf")); isSnowLoad(snow))
        settings.snowLoadPsf = snow;
    if (const int soil = storedNumber(stored, QStringLiteral("code/soil_bearing_psf")); isSoilBearing(soil))
        settings.soilBearingPsf = soil;
    return settings;
}

double wastePercentIn(const QString &iniFile)
{
    const QSettings stored(iniFile, QSettings::IniFormat);
    bool isNumber = false;
    const double percent = stored.value(QStringLiteral("takeoff/waste_percent")).toString().toDouble(&isNumber);
    return isNumber && percent >= 0 && percent <= 100 ? percent : 10;
}

} // namespace deckmodel
