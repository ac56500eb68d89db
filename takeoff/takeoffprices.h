// Where the viewer takes the takeoff's prices and waste allowance from: the
// user's price list ($XDG_CONFIG_HOME/joistmaster/prices.csv, created with
// the example prices on first use) or the one --prices names; the waste
// allowance remembered in deckviewer.conf ([takeoff] waste_percent) or the
// one --waste gives for a run.
#pragma once

#include "pricelist.h"
#include "takeoff.h"

#include <QString>
#include <QStringList>

namespace deckviewer {

// The price list for this run: empty for the user's own.
void usePriceList(const QString &path);
QString priceListPath();

// The list as it is now, with what a person should know about it (a row
// left out, a file that cannot be read, the prices still being examples).
struct Prices {
    deckmodel::PriceList list;
    QStringList problems; // each names the file and the line
    bool example = false;
    bool created = false;
};
// A list named on the command line that is missing is a failure naming it;
// the user's own is created when missing.
jm::Result<Prices> loadPrices();
// Never fails: the problem goes into `problems` and no row is priced.
Prices pricesOrNone();

// The waste allowance on decking, in percent: the run's (--waste), else the
// remembered one, else 10.
double wastePercent();
void useWastePercent(double percent); // for this run only
void saveWastePercent(double percent); // remembered, and used from now on
bool isWastePercent(double percent);   // 0 to 100

} // namespace deckviewer
