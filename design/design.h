// A deck design: the person's own copy of a deck, kept in one file they
// name and move as they like (designfile.h). It holds everything the deck is
// built from (the shape and its sizes, every framing value of the deck
// parameter file, the height, the stair, the guards), the code check's
// settings, the takeoff's waste allowance, the project's facts for the title
// block, and where the design came from. A 2D deck is a design too: its
// style and width. Plain data and plain functions, Qt Core only; the wizard's
// own files are only ever read to make one.
#pragma once

#include "codecheck.h"
#include "extras.h"
#include "handoff.h"
#include "parameterfile.h"
#include "result.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace design {

// The file's extension (without its dot); its MIME type is the package's
// (packaging/joistmaster-mime.xml).
inline const QString Extension = QStringLiteral("jmdeck");
// Whether a path names a design by its extension (any case).
bool isDesignPath(const QString &path);

// The facts a drawing set's title block carries beside the deck's own.
struct Project {
    QString owner;
    QString siteAddress;
    QString preparer;
    QString notes;     // may run over several lines
    // The site, each where the person has given it: the lot across (along
    // A) and deep (along B), the deck's back left corner from the lot's left
    // and back lines, north as degrees clockwise from the plan's up, and the
    // frost depth the footings go below.
    std::optional<double> lotWidthFt, lotDepthFt;
    std::optional<double> deckFromLeftFt, deckFromBackFt;
    std::optional<double> northDegrees;
    std::optional<double> frostDepthIn;
    bool operator==(const Project &) const = default;
};

// Where the design came from: the wizard's folder or deck parameter file it
// was first made from, and when.
struct Origin {
    QString wizardFolder; // the folder, or the folder of the file
    QString deckFile;     // "Deck_Rectangle.txt", "DeckSize.txt"
    QDateTime at;         // UTC, to the second
    bool operator==(const Origin &) const = default;
};

struct Design {
    bool is2D = false;
    // A 3D deck: the shape, its sizes and height, its framing and decking,
    // the wizard's material lines and the first viewing mode, in the deck
    // parameter file's units (feet and inches); fileName is the family's file.
    deckfile::DeckParameters deck;
    // A 2D deck: its style and width (feet).
    deckfile::Deck2D plan;
    deckmodel::StairLayout stair;   // an edge below 0: the front edge; an offset below 0: its middle
    bool guardsBelow30 = false;     // guards also on a deck 30 inches high or lower
    deckmodel::Attachment attachment; // not attached: the deck stands free of the house, as the wizard's do
    deckmodel::CodeSettings code;
    double wastePercent = 10;
    Project project;
    Origin origin;
};

// The design of a deck parameter file's values (as deckfile::readDeck gives
// them) or of a 2D deck, made at `at` from `source` (a folder or a file).
Design fromParameters(const deckfile::DeckParameters &parameters, const QString &source, const QDateTime &at);
Design from2D(const deckfile::Deck2D &plan, const QString &source, const QDateTime &at);

// What the model builds from: the parameters with the family's file name,
// and the guards and stair.
deckfile::DeckParameters parametersOf(const Design &design);
deckmodel::Extras extrasOf(const Design &design);

// The design with another framing (a suggested one, say): every framing
// value of `framing` (overhangs, posts, beam lines, beams, joists), the
// shape, sizes, height, decking and everything else kept.
Design withFraming(const Design &design, const deckfile::DeckParameters &framing);

// The name a new design goes by until it is saved: its shape's
// ("Rectangle", "Deck 3").
QString nameOf(const Design &design);

// Two designs are the same when their files would be byte for byte the same.
bool sameDesign(const Design &a, const Design &b);

} // namespace design
