#include "checksettings.h"

#include "ownfolder.h"
#include "pricelist.h"
#include "settingsfile.h"

#include <QDir>
#include <QSettings>

namespace deckviewer {

namespace {
const QString SpeciesKey = QStringLiteral("code/species");
const QString SnowLoadKey = QStringLiteral("code/snow_load_psf");
const QString SoilBearingKey = QStringLiteral("code/soil_bearing_psf");
const QString FootingKey = QStringLiteral("code/footing");
} // namespace

QString codeSettingsPath()
{
    return deckmodel::configFile(QStringLiteral("deckviewer.conf"));
}

CodeSettings loadCodeSettings()
{
    if (!ownfolder::settingsReadable(codeSettingsPath()))
        return {};
    return deckmodel::codeSettingsIn(codeSettingsPath());
}

void saveCodeSettings(const CodeSettings &settings)
{
    if (!ownfolder::settingsWritable(codeSettingsPath()))
        return;
    QSettings stored(codeSettingsPath(), QSettings::IniFormat);
    stored.setValue(SpeciesKey, deckmodel::speciesKey(settings.species));
    stored.setValue(SnowLoadKey, settings.snowLoadPsf);
    stored.setValue(SoilBearingKey, settings.soilBearingPsf);
    stored.setValue(FootingKey, deckmodel::footingKey(settings.footing));
}

} // namespace deckviewer
