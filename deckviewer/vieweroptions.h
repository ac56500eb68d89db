// deckviewer's command line, which is also what deckhost hands over to the
// viewer (--open, --render and its options). Plain text logic, no widgets.
#pragma once

#include "codecheck.h"
#include "result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace deckviewer {

struct Options {
    QString open;          // a deck folder or parameter file to show in a window
    QString render;        // a deck to write to `out` and end, without a window; wins over `open`
    QString out;
    QString view = QStringLiteral("iso"); // for a drawing: iso, plan, front or side
    QString mode;          // for a drawing: wireframe, hidden or shaded; empty: the file's
    deckmodel::CodeSettings code; // for the code check: --species, --snow-load, --soil, --footing
    bool codeGiven = false;       // one of those was given (else a design's own settings apply)
    bool suggestedFraming = false; // --framing suggested: outputs from the suggested framing
    bool help = false;
    QString sheets;        // a drawing set: "all" or sheet names parted by commas; empty: one drawing
    QString paper;         // for a drawing set: letter, a4, tabloid or a3; empty: chosen for the deck
    QString prices;        // the takeoff's price list; empty: the user's own
    std::optional<double> wastePercent; // the decking's waste allowance for this run
    // --attach front|back|left|right: the deck hangs on the house along that
    // edge, fastened as --attached-to, --fastener and --sheathing say.
    QString attach;
    deckmodel::Attachment attachment;
};

// The viewer's options, each followed by its value: --open, --render, --out,
// --view, --mode, --species, --snow-load, --soil, --footing, --sheets, --paper,
// --prices, --waste, --framing, --attach, --attached-to, --fastener, --sheathing.
bool takesViewerValue(const QString &option);

// arguments without the program name. With needsDeck, a command line that
// neither opens nor renders a deck (nor asks for --help) is wrong.
jm::Result<Options> parseOptions(const QStringList &arguments, bool needsDeck = true);

// Why `out` may not be written: it is one of the files the run reads (the
// same file after links are resolved): the file rendered, a wizard file or
// symbols.txt of the folder rendered, or one of `alsoRead` (the price list,
// the settings). Success when it is none of them.
jm::Status outputIsNoInput(const Options &options, const QStringList &alsoRead);

// The options --out, --view, --mode and the code check's, as both programs'
// help gives them.
QString outputOptionsHelp();
// The deck parameter files the program reads, as a person lists them: the
// first shape's family's file (the rectangle's) first, the others by name,
// "A, B, C or D".
QString parameterFileList();
// The words of a paragraph in lines of at most `columns` characters, broken
// only between words, each line ended by a newline.
QString wrapped(const QString &text, qsizetype columns);
// The width the help's paragraph is wrapped to, in characters.
inline constexpr qsizetype HelpColumns = 78;
QString helpText();

} // namespace deckviewer
