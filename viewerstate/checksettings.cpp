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
    const std::unique_ptr<QSettings> stored = settingsToWrite();
    if (!stored)
        return;
    stored->setValue(SpeciesKey, deckmodel::speciesKey(settings.species));
    stored->setValue(SnowLoadKey, settings.snowLoadPsf);
    stored->setValue(SoilBearingKey, settings.soilBearingPsf);
    stored->setValue(FootingKey, deckmodel::footingKey(settings.footing));
}

std::unique_ptr<const QSettings> storedSettings()
{
    if (!ownfolder::settingsReadable(codeSettingsPath()))
        return nullptr;
    return std::make_unique<const QSettings>(codeSettingsPath(), QSettings::IniFormat);
}

std::unique_ptr<QSettings> settingsToWrite()
{
    if (!ownfolder::settingsWritable(codeSettingsPath()))
        return nullptr;
    return std::make_unique<QSettings>(codeSettingsPath(), QSettings::IniFormat);
}

} // namespace deckviewer
