// The 3D finish's file work, apart from the page that runs it (Shading::finish
// in finish3d.cpp): reading back what the shape and size hand-off stored, and
// completing the deck parameter file of the deck's family.
#pragma once

#include "deckparameters.h"
#include "textfiles.h"

#include <QString>

#include <optional>

namespace finish3d {

// What DeckType.txt and Sizes.txt hold: the deck type, then deck width and
// deck length, the first two values of the sizes.
struct Stored {
    int deckType = 0;
    double deckWidth = 0;
    double deckLength = 0;
    std::optional<textfiles::Failure> failure;
};
Stored readStored(const QString &programFolder);

// Adds lines 4 to 24 to the three dimension lines of the family's deck
// parameter file. The whole file is written anew beside the old one and then
// takes its place, so a failure leaves the three-line file as it was.
std::optional<textfiles::Failure> completeParameterFile(const QString &programFolder,
                                                        const deckparameters::Answers &answers);

} // namespace finish3d
