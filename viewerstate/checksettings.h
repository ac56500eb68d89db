// The code check's settings remembered between runs, in the user's config
// folder: $XDG_CONFIG_HOME/joistmaster/deckviewer.conf (else
// ~/.config/joistmaster/deckviewer.conf), an INI file with a [code] group
// holding the settings' keys (species=dfl, snow_load_psf=50, ...). A value
// missing, unknown or out of the tables reads as that setting's default.
#pragma once

#include "codecheck.h"

#include <QString>

namespace deckviewer {

using deckmodel::CodeSettings;

QString codeSettingsPath();
CodeSettings loadCodeSettings();
void saveCodeSettings(const CodeSettings &settings);

} // namespace deckviewer
