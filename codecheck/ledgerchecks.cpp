#include "ledgerchecks.h"

#include "codetables.h"
#include "lengthtext.h"
#include "numbertext.h"

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

using lengthtext::feetAndInchesFromInches;
using lengthtext::inchesText;

// Figure R507.9.1.3(1): the least distance from the ledger's top edge down
// to the bottom row, by the ledger's depth (a 2x8, 2x10, 2x12).
double leastBottomRow(double depthInches)
{
    if (depthInches <= 7.25 + 1e-6)
        return 5.5;
    if (depthInches <= 9.25 + 1e-6)
        return 6.5;
    return 7.5;
}

const Member *memberNamed(const Deck &deck, const QString &name)
{
    for (const Member &m : deck.members)
        if (m.name == name)
            return &m;
    return nullptr;
}

QString ledgerInches(double value) { return inchesText(value); }

} // namespace

LedgerFastening ledgerFastening(const Deck &deck, const CodeSettings &settings)
{
    LedgerFastening f;
    const Ledger &ledger = deck.ledger;
    if (!ledger.present)
        return f;
    f.present = true;
    f.fastener = ledger.attachment.fastener;
    // The ledger's face the joists hang on, and the next beam line along them.
    const bool left = ledger.out.z < 0;
    const double face = left ? ledger.start.z + ledger.thicknessInches : ledger.start.z - ledger.thicknessInches;
    for (const QString &name : ledger.hangers) {
        const Member *joist = memberNamed(deck, name);
        if (!joist)
            continue;
        const Box b = bounds(joist->plan);
        double next = left ? b.z1 : b.z0;
        for (double z : deck.beamLines)
            if (z > b.z0 && z < b.z1)
                next = left ? std::min(next, z) : std::max(next, z);
        f.joistSpanInches = std::max(f.joistSpanInches, std::abs(next - face));
    }
    const codetables::TableValue v = codetables::ledgerFastenerSpacing(settings, f.fastener, ledger.attachment.sheathingInches,
                                                                       f.joistSpanInches);
    f.cell = v.cell;
    f.outside = v.status != codetables::TableValue::Value;
    f.boards = std::max(1, int(std::ceil(ledger.lengthInches / LedgerLongestBoardInches - 1e-9)));
    if (!f.outside) {
        f.tableSpacingInches = v.inches;
        f.spacingInches = std::floor(v.inches + 1e-9);
        const double board = ledger.lengthInches / f.boards;
        f.count = f.boards * (int(std::ceil((board - 2 * f.endInches) / f.spacingInches - 1e-9)) + 1);
    }
    f.leastBottomRowInches = leastBottomRow(ledger.depthInches);
    f.bottomRowInches = f.leastBottomRowInches;
    f.topRowInches = std::max(2.0, f.bottomRowInches - 5);
    f.flashingInches = ledger.lengthInches;
    return f;
}

std::vector<CodeCheck> ledgerChecks(const Deck &deck, const CodeSettings &settings)
{
    const Ledger &ledger = deck.ledger;
    if (!ledger.present)
        return {};
    const DeckParameters &p = deck.parameters;
    const LedgerFastening f = ledgerFastening(deck, settings);
    const QString board = lumberName(ledger.thicknessInches, ledger.depthInches);
    const QString joist = lumberName(p.joistWidth, p.joistHeight);
    std::vector<CodeCheck> rows;

    CodeCheck size;
    size.rule = QStringLiteral("R507.9.1.1 ledger size and grade");
    size.members = {ledger.member};
    size.valueInches = ledger.depthInches;
    size.limitInches = std::max(ledgerLeastDepthInches(), p.joistHeight);
    size.cell = QStringLiteral("R507.9.1.1: at least 2x8 nominal, No. 2 or better, pressure-preservative-treated Southern pine, "
                               "incised pressure-preservative-treated hem-fir or approved naturally durable lumber");
    size.result = ledger.depthInches + 1e-9 >= *size.limitInches ? Verdict::Pass : Verdict::Fail;
    switch (settings.species) {
    case Species::SouthernPine:
        size.sentence = QStringLiteral("The ledger is a %1 of pressure-treated Southern pine, No. 2 or better, at least a 2x8 "
                                       "and as deep as the %2 joists.").arg(board, joist);
        break;
    case Species::Redwood:
        size.sentence = QStringLiteral("The ledger is a %1 of naturally durable lumber (the heartwood of redwood or cedar), "
                                       "No. 2 or better, at least a 2x8 and as deep as the %2 joists.").arg(board, joist);
        break;
    case Species::DouglasFirLarch:
        size.result = Verdict::Information;
        size.sentence = QStringLiteral("Buy the %1 ledger as incised pressure-treated hem-fir or treated Southern pine, No. 2 or "
                                       "better: the code names neither Douglas fir-larch nor spruce-pine-fir for a ledger.")
                            .arg(board);
        break;
    }
    rows.push_back(size);

    CodeCheck to;
    to.rule = QStringLiteral("R507.9.1.2 ledger fastened to the house");
    to.members = {ledger.member};
    to.result = Verdict::Pass;
    to.cell = QStringLiteral("R507.9.1.2: a 2 in nominal band joist of spruce-pine-fir or stronger, or a 1 in engineered "
                             "rim board, bearing fully on the house");
    to.sentence = ledger.attachment.to == HouseFraming::RimBoard
        ? QStringLiteral("The ledger is fastened to a 1 in engineered rim board (ANSI/APA PRR 410) bearing fully on the wall "
                         "below; where its maker's edge distances differ from the table's, the maker's govern.")
        : QStringLiteral("The ledger is fastened to a 2x band joist of spruce-pine-fir or stronger bearing fully on the wall "
                         "below; check that no veneer, cantilever or bay is behind the siding.");
    rows.push_back(to);

    CodeCheck spacing;
    spacing.rule = QStringLiteral("R507.9.1.3 ledger fastener spacing");
    spacing.members = {ledger.member};
    spacing.cell = f.cell;
    const QString span = feetAndInchesFromInches(f.joistSpanInches);
    if (f.outside) {
        spacing.result = Verdict::Outside;
        spacing.valueInches = f.joistSpanInches;
        spacing.sentence = f.joistSpanInches > 18 * 12 + 1e-6
            ? QStringLiteral("The joists span %1 from the ledger; Table R507.9.1.3(1) stops at 18 ft. Add a beam line nearer the "
                             "house, or have the ledger's fastening designed by a professional.").arg(span)
            : QStringLiteral("%1 through %2 of sheathing have no column in Table R507.9.1.3(1): use through-bolts "
                             "(up to 1 in of sheathing), or thinner sheathing.")
                  .arg(fastenerWords(f.fastener).front().toUpper() + fastenerWords(f.fastener).mid(1),
                       ledgerInches(ledger.attachment.sheathingInches));
    } else {
        spacing.result = Verdict::Pass;
        spacing.valueInches = f.spacingInches;
        spacing.limitInches = f.tableSpacingInches;
        spacing.sentence = QStringLiteral("Fasten the ledger with %1 at %2 on centre, %3 in all, staggered between two rows; "
                                          "Table R507.9.1.3(1) allows %4 for joists spanning %5 from the ledger.")
                               .arg(fastenerWords(f.fastener), ledgerInches(f.spacingInches))
                               .arg(f.count)
                               .arg(ledgerInches(f.tableSpacingInches), span);
    }
    rows.push_back(spacing);

    CodeCheck place;
    place.rule = QStringLiteral("R507.9.1.3 ledger fastener placement");
    place.members = {ledger.member};
    place.valueInches = f.bottomRowInches;
    place.limitInches = f.leastBottomRowInches;
    place.cell = QStringLiteral("Table R507.9.1.3(2): ledger top edge 2 in, bottom edge 3/4 in, ends 2 to 5 in, rows 1 5/8 to "
                                "5 in apart; Figure R507.9.1.3(1): bottom row %1 below the top of a %2 ledger")
                     .arg(ledgerInches(f.leastBottomRowInches), board);
    const bool fits = f.bottomRowInches <= ledger.depthInches - 0.75 + 1e-9 && f.topRowInches >= 2 - 1e-9
                      && f.bottomRowInches - f.topRowInches <= 5 + 1e-9;
    place.result = fits ? Verdict::Pass : Verdict::Outside;
    place.sentence = fits
        ? QStringLiteral("Stagger the fasteners between a top row %1 and a bottom row %2 below the ledger's top, the first "
                         "%3 to 5 in from each end of every board; in the band joist keep them 3/4 in below its top and 2 in "
                         "above its bottom.")
              .arg(ledgerInches(f.topRowInches), ledgerInches(f.bottomRowInches), ledgerInches(f.endInches))
        : QStringLiteral("A %1 ledger has no placement in Table R507.9.1.3(2): have its fastening designed by a professional.")
              .arg(board);
    rows.push_back(place);

    CodeCheck hold;
    hold.rule = QStringLiteral("R507.9.2 hold-downs");
    hold.members = {ledger.member};
    hold.result = Verdict::Pass;
    hold.cell = QStringLiteral("R507.9.2: two devices of at least 1,500 lb within 24 in of each end of the deck (Figure "
                               "R507.9.2(1)), or four of at least 750 lb (Figure R507.9.2(2))");
    hold.sentence = QStringLiteral("Tie the deck's joists to the house's floor joists with %1 hold-down devices of at least "
                                   "1,500 lb, each within 24 in of an end of the deck.")
                        .arg(f.holdDowns);
    rows.push_back(hold);

    CodeCheck flash;
    flash.rule = QStringLiteral("R507.2.4 ledger flashing");
    flash.members = {ledger.member};
    flash.result = Verdict::Pass;
    flash.valueInches = f.flashingInches;
    flash.cell = QStringLiteral("R507.2.4: corrosion-resistant metal at least 0.019 in thick, or approved nonmetallic; "
                                "R703.4: lapped shingle-fashion");
    flash.sentence = QStringLiteral("Flash the ledger along its whole %1 with corrosion-resistant metal at least 0.019 in thick, "
                                    "lapped shingle-fashion under the house's water barrier.")
                         .arg(feetAndInchesFromInches(f.flashingInches));
    rows.push_back(flash);

    CodeCheck hangers;
    hangers.rule = QStringLiteral("R507.6.2 joist hangers");
    hangers.members = ledger.hangers;
    hangers.valueInches = ledger.depthInches;
    hangers.limitInches = p.joistHeight;
    hangers.cell = QStringLiteral("R507.6.2: joists framing into the side of a ledger hang in approved joist hangers");
    hangers.result = ledger.depthInches + 1e-9 >= p.joistHeight ? Verdict::Pass : Verdict::Fail;
    hangers.sentence = QStringLiteral("Hang each of the %1 joists on the ledger in a %2 joist hanger, fastened as its maker says.")
                           .arg(ledger.hangers.size())
                           .arg(joist);
    rows.push_back(hangers);

    CodeCheck footings;
    footings.rule = QStringLiteral("R507.3.2 footings beside the house");
    footings.result = Verdict::Information;
    footings.cell = QStringLiteral("R507.3.2: footings of a deck attached to a frost-protected house are frost-protected too");
    footings.sentence = QStringLiteral("The house is taken to stand on frost-protected footings: put every deck footing below "
                                       "the frost line of Table R301.2 (or on rock), not only 12 in below undisturbed ground.");
    rows.push_back(footings);
    return rows;
}

} // namespace deckmodel
