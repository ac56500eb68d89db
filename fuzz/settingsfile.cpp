// The viewer's settings file (deckviewer.conf) on any bytes: the code
// check's settings always within the tables, the waste allowance 0 to 100.
#include "fuzzing.h"
#include "settingsfile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace deckmodel;

FUZZ_TARGET
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deckviewer.conf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    const CodeSettings settings = codeSettingsIn(path);
    require(isSnowLoad(settings.snowLoadPsf) && isSoilBearing(settings.soilBearingPsf), "settings within the tables");
    require(speciesNamed(speciesKey(settings.species)) == settings.species, "a species by its key");
    const double waste = wastePercentIn(path);
    require(waste >= 0 && waste <= 100, "a waste allowance of 0 to 100");
    return 0;
}
