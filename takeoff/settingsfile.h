// The viewer's settings file (deckviewer.conf, INI): the code check's
// settings in [code] and the decking's waste allowance in [takeoff], read
// from a file already found to be a small regular file (ownfolder.h). A
// value missing, unknown or out of the tables reads as that setting's
// default. Qt Core alone, no widgets.
#pragma once

#include "codecheck.h"

#include <QString>

namespace deckmodel {

CodeSettings codeSettingsIn(const QString &iniFile);

// The remembered waste allowance in percent, 0 to 100; 10 when none is.
double wastePercentIn(const QString &iniFile);

} // namespace deckmodel
