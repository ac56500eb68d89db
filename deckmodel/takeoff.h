// The material takeoff: what a person takes to the lumber yard for a deck.
// Lumber by kind of member, in standard stock lengths (8 to 20 feet in 2-foot
// steps) with every joint over a support; the decking area; the fasteners;
// and the file's own material list beside it.
#pragma once

#include "framing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace deckmodel {

struct LumberRow {
    Kind kind = Kind::Post;
    QString lumber;       // nominal size, "2x8", "5/4x6", "4x4"
    int stockFeet = 0;    // the length to buy
    int count = 0;        // pieces of that length
    int linearFeet() const { return stockFeet * count; }
};

struct Takeoff {
    std::vector<LumberRow> lumber; // by kind in build order, then by stock length
    double deckingSquareFeet = 0;
    int deckScrews = 0;    // two per board per joist or rim joist it crosses
    int joistHangers = 0;  // one per joist end on a rim joist
    int carriageBolts = 0; // two per beam ply per post
    double padCubicFeet = 0;  // the stair's landing pad, concrete
    int guardPostBolts = 0;   // two 1/2" through-bolts per guard post on a rim joist
    int postBases = 0;        // one per stair post on the ground or the pad
    int railScrews = 0;       // two per end of each rail and handrail piece
    int balusterScrews = 0;   // two per end of each baluster
    int stringerHangers = 0;  // one per stringer, at the rim joist
    int treadScrews = 0;      // two per tread board per stringer under it
    QStringList materials; // lines 20 to 23 of the file, as given
};

Takeoff takeoffOf(const Deck &deck);

// For a person: lengths in feet and inches.
QString takeoffText(const Takeoff &takeoff);
// The takeoff as a table: a header row, then one row per lumber size and
// length, the decking area, the landing pad's concrete, the fasteners (those
// of the guards and the stair where there are any) and the material list, in the
// spreadsheet's columns (item, size, stock length ft, count, total, unit).
std::vector<QStringList> takeoffRows(const Takeoff &takeoff);
// For a spreadsheet: those rows as plain numbers, CR LF line ends.
QByteArray takeoffCsv(const Takeoff &takeoff);

// A piece's cut lengths (inches): where it must be jointed over its
// supports (positions along it) to be bought in stock lengths.
std::vector<double> cutLengths(double length, std::vector<double> supports);

} // namespace deckmodel
