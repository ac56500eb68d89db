// Where the viewer keeps the stair a person placed on each deck: one small
// file, stairs.json in the user's state folder (recentdecks.h), keyed by the
// deck parameter file's absolute path, never beside the wizard's files.
// A deck with nothing saved gets the model's default stair.
#pragma once

#include "extras.h"
#include "result.h"

#include <QString>

#include <optional>

namespace savedstairs {

QString stairsFile();

std::optional<deckmodel::StairLayout> savedStair(const QString &deckFile);
jm::Status saveStair(const QString &deckFile, const deckmodel::StairLayout &layout);

} // namespace savedstairs
