// What the viewer shows for a deck file, and the substitute host for a symbol
// the wizard asked it to open: the deck read from the wizard's files, framed,
// checked and turned into a scene, its facts and its title block, or one
// sentence saying why there is none.
// Plain functions, run off the GUI thread; the hidden-line kernel is built
// there too, so that the window only projects.
#pragma once

#include "codecheck.h"
#include "deckwindow.h"
#include "design.h"
#include "handoff.h"
#include "hiddenline.h"
#include "render.h"
#include "stairpanel.h"

#include <memory>

struct ShownDeck {
    QString error;          // not empty: nothing to draw, and why
    QString fileName;       // the file the deck was read from: "Deck_Rectangle.txt", "DeckSize.txt"
    QString source;         // what was opened, the path its model is written from
    bool isPlan = false;    // the 2D road's plan rather than a 3D deck
    deckview::Scene scene;
    deckview::ViewMode mode = deckview::ViewMode::Wireframe;
    std::vector<deckmodel::Member> members;
    std::shared_ptr<const deckmodel::HiddenLines> hiddenLines; // after addKernel
    deckview::PlanDrawing plan;
    deckview::Facts facts;
    deckview::TitleBlock block;
    // The code check of a 3D deck, and the framing it suggests where the
    // deck fails: that one shown alike, for the window to switch to.
    deckmodel::CodeReport report;
    deckmodel::Suggestion suggestion;
    std::shared_ptr<const ShownDeck> suggested;
    bool suggestionPending = false;              // shown before its suggestion was searched for (addSuggestion)
    std::shared_ptr<const deckmodel::Deck> deck; // a 3D deck as built, for its model files and drawing set
    deckfile::Deck2D style;                      // the 2D road's style and width
    QString deckFile;                            // its parameter file's path, the key of its saved stair
    std::vector<StairEdge> stairEdges;           // the edges a stair fits on
    QString stairNote;                           // why a saved stair could not be kept, when it could not
    design::Project project;                     // the design's owner, site and preparer, for the title block
};

// The 3D deck of a deck parameter file, or of a wizard folder whose
// DeckType.txt names one, with the stair saved for it (savedstairs.h) or the
// default one (a saved stair that no longer fits gives way to the default),
// checked with `settings`.
// A design file (.jmdeck) shows the design it holds.
ShownDeck deckFrom(const QString &path, const deckmodel::CodeSettings &settings = {});
// The same deck as built, with only `deck`, `deckFile` and `stairNote` set
// (or the 2D plan, or why neither): not checked, no scene, for what makes
// its own check from the deck (the model files, the drawing set). Where the
// run shows the suggested framing, the whole deck in that framing.
ShownDeck modelFrom(const QString &path, const deckmodel::CodeSettings &settings = {});
// A design built, checked with `settings` and shown; `source` is what it was
// opened from (its model is written from it when no deck could be built). A
// stair that no longer fits gives way to the default one, and stairNote
// says why.
// Without `suggest`, the search for a passing framing (the slow part) is left
// for addSuggestion.
ShownDeck deckFromDesign(const design::Design &design, const QString &source, const deckmodel::CodeSettings &settings,
                         bool suggest = true);
// The suggested framing of a 3D deck shown without it, searched for and
// added, built with `extras` (the default stair where that one does not fit).
void addSuggestion(ShownDeck &shown, const deckmodel::Extras &extras, const deckmodel::CodeSettings &settings);
// From now on, in this run, deckFrom shows the suggested framing of a deck
// that has one in place of its own (deckviewer --framing suggested); a deck
// that fails with none to suggest is not shown, and says why.
void useSuggestedFraming(bool suggested);
// From now on, in this run, every 3D deck hangs on the house along the edge
// facing `side` ("front", "back", "left", "right"), fastened as `attachment`
// says (its edge is found on each deck's outline): deckviewer --attach.
void useAttachment(const QString &side, const deckmodel::Attachment &attachment);
// The attachment this run asks for, on the deck of `parameters`: none where
// the run asks for none; a failure where the deck has no edge facing that way.
jm::Result<std::optional<deckmodel::Attachment>> askedAttachment(const deckmodel::DeckParameters &parameters);
// The model, takeoff or code check (.step, .glb, .csv, .json, .txt) of that
// deck, as shown.
jm::Status writeModel(const QString &input, const QString &output, const deckmodel::CodeSettings &settings = {});
// The model, takeoff or code check of a deck already built: what writeModel
// writes, and what the window's Export writes for the deck on screen (the
// takeoff priced from the run's price list with its waste allowance).
jm::Status writeDeckModel(const deckmodel::Deck &deck, const QString &output, const deckmodel::CodeSettings &settings = {});
// Builds the hidden-line kernel of a 3D deck's members (the slow part).
void addKernel(ShownDeck &shown);
// The 2D road's plan: the style from LoadSymbol's path ("...\Deck 3.dc"), the
// width from DeckSize.txt in the folder.
ShownDeck planFrom(const QString &loadedSymbol, const QString &folder);
ShownDeck planOf(const deckfile::Deck2D &deck);
// What OpenSymbolFile of `symbol` shows: a 3D symbol ("...\Deck_L-Shape.bsx")
// its family's parameter file in the folder, the 2D decks' symbol the plan of
// the style loaded last (`loadedSymbol`).
ShownDeck symbolFrom(const QString &symbol, const QString &loadedSymbol, const QString &folder,
                     const deckmodel::CodeSettings &settings = {});

// The kernel's lines for the view, in the view plane's inches.
deckview::HiddenLineSource hiddenLineSource(std::shared_ptr<const deckmodel::HiddenLines> kernel);

// The deck's fixed view as a drawing file (.png, .svg, .pdf) with its title
// block; the file's own viewing mode unless `mode` is given.
jm::Status drawDeck(const QString &input, deckview::StandardView view, std::optional<deckview::ViewMode> mode,
                    const QString &output);
