// A drawing set to build from and to take to the building department: the
// deck plan, the framing plan, the footing plan, the elevations, a typical
// section and the schedule, numbered, to an architectural scale, all from
// the framed deck. Composed as sheets of plain data (sheet.h), then painted
// into one multi-page PDF or onto a printer, or written as one SVG file a
// sheet.
#pragma once

#include "codecheck.h"
#include "result.h"
#include "sheetlayout.h"

class QPainter;
class QPrinter;

namespace deckview {

// The sheets --sheets names, in the set's order.
QStringList sheetKeys(); // plan, site, framing, footing, elevations, section, details, check, schedule

// The sheets of a framed deck, numbered, each with its title block.
std::vector<Sheet> deckSheets(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings,
                              const SetFacts &facts, Paper paper);
// The 2D road's one sheet: the style's plan.
std::vector<Sheet> styleSheets(const deckmodel::Polygon &outline, int style, double widthFeet, const SetFacts &facts,
                               Paper paper);
// The paper of `family` (Letter or A4) where the plans fit it at 1/8" = 1'-0"
// or larger, else the family's larger one (Tabloid or A3).
Paper paperFor(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings, const SetFacts &facts,
               Paper family);
// The code check's verdict in the title block: "Checked against the 2021
// IRC, R507, R311.7, R312: passes", or "FAILS 2 of 13 rules: see the code
// check sheet".
QString codeStatusLine(const deckmodel::CodeReport &report);
// The title block's words of a framed deck, dated today.
SetFacts setFactsOf(const deckmodel::Deck &deck);

// "all", or sheet keys parted by commas: those sheets (a schedule with all
// its continuation sheets), in the set's order; or why not.
jm::Result<std::vector<Sheet>> selectSheets(const std::vector<Sheet> &sheets, const QString &which);

// One sheet painted with 1 unit a millimetre (the caller scales the painter).
void paintSheet(QPainter &painter, const Sheet &sheet);
QByteArray sheetSvg(const Sheet &sheet);

// A .pdf of every sheet, a page each; or for .svg one file a sheet, named
// after the path with the sheet's key in it ("set.svg": "set-framing.svg",
// a second schedule sheet "set-schedule-2.svg"). Each file is written whole
// or not at all.
jm::Status writeSheets(const QString &path, const std::vector<Sheet> &sheets);
QStringList sheetFileNames(const QString &path, const std::vector<Sheet> &sheets);

// Every sheet onto a printer set up by the caller, a page each.
void printSheets(QPrinter &printer, const std::vector<Sheet> &sheets);

} // namespace deckview
