#include "checksettings.h"

#include "pricelist.h"

#include <QDir>
#include <QSettings>

namespace deckviewer {

namespace {
const QString SpeciesKey = QStringLiteral("code/species");
const QString SnowLoadKey = QStringLiteral("code/snow_load_psf");
const QString SoilBearingKey = QStringLiteral("code/soil_bearing_psf");
const QString FootingKey = QStringLiteral("code/footing");

// A whole number as stored, or -1 for anything else.
int storedNumber(const QSettings &stored, const QString &key)
{
    bool isNumber = false;
    const int value = stored.value(key).toString().toInt(&isNumber);
    return isNumber ? value : -1;
}
} // namespace

QString codeSettingsPath()
{
    return deckmodel::configFile(QStringLiteral("deckviewer.conf"));
}

CodeSettings loadCodeSettings()
{
    const QSettings stored(codeSettingsPath(), QSettings::IniFormat);
    CodeSettings settings;
    settings.species = deckmodel::speciesNamed(stored.value(SpeciesKey).toString()).value_or(settings.species);
    settings.footing = deckmodel::footingNamed(stored.value(FootingKey).toString()).value_or(settings.footing);
    if (const int snow = storedNumber(stored, SnowLoadKey); deckmodel::isSnowLoad(snow))
        settings.snowLoadPsf = snow;
    if (const int soil = storedNumber(stored, SoilBearingKey); deckmodel::isSoilBearing(soil))
        settings.soilBearingPsf = soil;
    return settings;
}

void saveCodeSettings(const CodeSettings &settings)
{
    QSettings stored(codeSettingsPath(), QSettings::IniFormat);
    stored.setValue(SpeciesKey, deckmodel::speciesKey(settings.species));
    stored.setValue(SnowLoadKey, settings.snowLoadPsf);
    stored.setValue(SoilBearingKey, settings.soilBearingPsf);
    stored.setValue(FootingKey, deckmodel::footingKey(settings.footing));
}

} // namespace deckviewer
