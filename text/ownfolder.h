// The person's own folders for settings and state ($XDG_CONFIG_HOME/joistmaster,
// $XDG_STATE_HOME/joistmaster): used only when they are theirs alone, as the
// launcher uses the data folder. A folder that is a link, is not a folder, is
// owned by someone else or may be written by others could be swapped or
// filled by another user: it is refused with one sentence naming it and what
// to do. A missing one is made for the person alone (0700).
#pragma once

#include "result.h"

#include <QString>

namespace ownfolder {

// Success when the folder is the person's alone, or is not there.
jm::Status check(const QString &folder);

// The folder made when missing (its parents as needed, itself 0700), then
// checked.
jm::Status make(const QString &folder);

// A settings file in such a folder (deckviewer.conf) is read only when its
// folder is the person's alone and it is missing or a regular file of at
// most textfiles::LargestFileBytes: never a FIFO (which would wait for a
// writer), a device or a file larger than any settings.
bool settingsReadable(const QString &file);

// It is written only under the same rules, and never through a link: why
// not, or success (its folder made when missing).
jm::Status settingsWritable(const QString &file);

} // namespace ownfolder
