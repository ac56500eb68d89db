// The code check's settings remembered between runs, in the user's config
// folder: $XDG_CONFIG_HOME/joistmaster/deckviewer.conf (else
// ~/.config/joistmaster/deckviewer.conf), an INI file with a [code] group
// holding the settings' keys (species=dfl, snow_load_psf=50, ...). A value
// missing, unknown or out of the tables reads as that setting's default.
// The viewer keeps its window's layout, its panels' sizes, its recent designs
// and its last export's folder in the same file, through storedSettings() and
// settingsToWrite() alone: read only when its folder is the person's alone
// and it is missing or a regular file of at most 4 MB (a FIFO or a device
// there is never waited on), written never through a link.
#pragma once

#include "codecheck.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace deckviewer {

using deckmodel::CodeSettings;

QString codeSettingsPath();
CodeSettings loadCodeSettings();
void saveCodeSettings(const CodeSettings &settings);

// deckviewer.conf to read, or nothing when it may not be read (then every
// value is missing, its default).
std::unique_ptr<const QSettings> storedSettings();
// deckviewer.conf to write, or nothing when it may not be written (then
// nothing is remembered).
std::unique_ptr<QSettings> settingsToWrite();

} // namespace deckviewer
