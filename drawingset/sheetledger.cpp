// The ledger of a deck hung on the house, on a sheet of its own: a section
// through the ledger and the house's band joist (the sheathing between, the
// two staggered rows of fasteners with their edge distances, the flashing
// over the ledger and up the wall, a joist in its hanger, the decking on
// top), and the ledger's face seen from the deck with every fastener and
// their spacing dimensioned. Each at the largest detail scale that fits.
#include "sheetdeck.h"

#include "lengthtext.h"
#include "ledgerchecks.h"

#include <algorithm>
#include <cmath>

namespace deckview {

using lengthtext::inchesText;

namespace {

// The ledger detail's frame runs u to the right, from the house to the deck.
void ledgerBox(Sheet &sheet, const DetailFrame &f, double u0, double y0, double u1, double y1, Weight w = Weight::Medium)
{
    addRect(sheet, QRectF(f.at(u0, y1), f.at(u1, y0)).normalized(), w, false, Fill::White);
}

// Labels in a column right of the drawing, each with a leader to what it names.
void addLedgerLabels(Sheet &sheet, const std::vector<std::pair<QPointF, QString>> &labels)
{
    constexpr double Width = 62, Line = 4.6;
    const QRectF drawn = extentOf(sheet);
    const double x = drawn.right() + 8;
    double y = drawn.top() + 2;
    for (const auto &[target, words] : labels) {
        const QStringList lines = wrapText(words, Width, 2.5);
        y += Line;
        for (qsizetype i = 0; i < lines.size(); ++i)
            sheet.texts.push_back({QPointF(x, y + i * Line), lines[i], 2.5});
        addLine(sheet, target, QPointF(x - 1, y - 1.2), Weight::Light);
        sheet.circles.push_back({target, 0.4, Weight::Light, false});
        y += (lines.size() - 1) * Line + 1.2;
    }
}

Sheet ledgerSection(const DeckSheetsInput &in, const deckmodel::LedgerFastening &f, const DrawingScale &scale)
{
    const deckmodel::Ledger &ledger = in.deck.ledger;
    const deckmodel::DeckParameters &p = in.deck.parameters;
    const DetailFrame fr{scale.mmPerInch()};
    const double depth = ledger.depthInches, t = ledger.thicknessInches;
    const double sheathing = ledger.attachment.sheathingInches;
    const double band = ledger.attachment.to == deckmodel::HouseFraming::RimBoard ? 1.125 : 1.5;
    const double bandDepth = depth + 2; // drawn a size deeper than the ledger, its top level with the ledger's
    const double top = 0, bottom = -depth, joistLength = 20;
    Sheet sheet;
    // The house: band joist, sheathing, wall above; the deck: ledger, joist, decking.
    const double wall = -sheathing - band;
    ledgerBox(sheet, fr, wall, top - bandDepth, -sheathing, top);
    if (sheathing > 0)
        ledgerBox(sheet, fr, -sheathing, top - bandDepth, 0, top + 10, Weight::Light);
    addLine(sheet, fr.at(wall, top), fr.at(wall, top + 10), Weight::Heavy);
    ledgerBox(sheet, fr, 0, bottom, t, top, Weight::Heavy);
    ledgerBox(sheet, fr, t, top - p.joistHeight, t + joistLength, top);
    ledgerBox(sheet, fr, t, top, t + joistLength, top + p.deckingThickness);
    // The hanger: a strap under the joist's end and up its sides to 60 % of its depth.
    const double hangerTop = top - p.joistHeight * 0.4;
    addShape(sheet, QPolygonF({fr.at(t, hangerTop), fr.at(t + 0.25, hangerTop), fr.at(t + 0.25, top - p.joistHeight - 0.25),
                               fr.at(t + 3, top - p.joistHeight - 0.25), fr.at(t + 3, top - p.joistHeight),
                               fr.at(t, top - p.joistHeight)}),
             Weight::Light);
    // The fasteners, one of each row, through ledger, sheathing and band joist.
    const double topRow = top - f.topRowInches, bottomRow = top - f.bottomRowInches;
    for (double y : {topRow, bottomRow}) {
        addLine(sheet, fr.at(wall - 0.5, y), fr.at(t + 0.4, y), Weight::Medium);
        sheet.circles.push_back({fr.at(t + 0.4, y), 0.35 * fr.mmPerInch, Weight::Medium, false});
    }
    // The flashing: up the wall behind the siding, over the ledger, down its face.
    addShape(sheet, QPolygonF({fr.at(-0.05, top + 4), fr.at(-0.05, top + 0.1), fr.at(t + 0.5, top + 0.1),
                               fr.at(t + 0.5, top - 0.6)}),
             Weight::Heavy);
    // The rows' distances from the ledger's edges, up the ledger's face.
    const std::vector<double> ys{bottom, bottomRow, topRow, top};
    const double u = -sheathing - band - 1;
    for (size_t i = 1; i < ys.size(); ++i)
        addDimension(sheet, {fr.at(u, ys[i - 1]), fr.at(u, ys[i]), 8, ys[i] - ys[i - 1], detailMeasure(ys[i] - ys[i - 1]),
                             QStringLiteral("ledger rows"), false});
    addDimension(sheet, {fr.at(u, bottom), fr.at(u, top), 17, depth, detailMeasure(depth), QStringLiteral("ledger rows"), true});

    const QString board = deckmodel::lumberName(t, depth);
    const QString fasteners = deckmodel::fastenerWords(f.fastener);
    const QString spacing = f.outside ? QStringLiteral("spaced by a designer")
                                      : QStringLiteral("at %1 on centre").arg(inchesText(f.spacingInches));
    addLedgerLabels(sheet, {
        {fr.at(t / 2, top - depth * 0.7), QStringLiteral("%1 ledger, pressure-treated, No. 2 or better").arg(board)},
        {fr.at(t + 0.4, topRow), QStringLiteral("%1 %2, staggered between a top row %3 and a bottom row %4 below the "
                                                "ledger's top")
                                     .arg(fasteners, spacing, inchesText(f.topRowInches), inchesText(f.bottomRowInches))},
        {fr.at(t / 2, top + 0.1), QStringLiteral("flashing, 0.019 in metal, up the wall under the water barrier and "
                                                 "over the ledger")},
        {fr.at(t + 1.5, top - p.joistHeight - 0.25), QStringLiteral("%1 joist in a %1 joist hanger")
                                                         .arg(in.lumberOf(deckmodel::Kind::Joist))},
        {fr.at(wall + band / 2, top - bandDepth + 1), deckmodel::houseFramingWords(ledger.attachment.to)
                                                          + QStringLiteral(" of the house")},
        {fr.at(-sheathing / 2, top - bandDepth + 3),
         sheathing > 0 ? QStringLiteral("sheathing %1").arg(inchesText(sheathing)) : QStringLiteral("no sheathing")},
    });
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("LEDGER DETAIL"), scale.words);
    return sheet;
}

// The ledger's face from the deck: its boards, the fasteners alternating
// between the rows, the first and one spacing dimensioned with the whole.
Sheet ledgerElevation(const deckmodel::LedgerFastening &f, const deckmodel::Ledger &ledger, double widthMm)
{
    const double mmPerInch = std::min(25.4 / 12, widthMm / ledger.lengthInches);
    const DetailFrame fr{mmPerInch};
    Sheet sheet;
    const double depth = ledger.depthInches, length = ledger.lengthInches;
    ledgerBox(sheet, fr, 0, -depth, length, 0, Weight::Heavy);
    const double board = length / f.boards;
    for (int b = 1; b < f.boards; ++b)
        addLine(sheet, fr.at(b * board, -depth), fr.at(b * board, 0), Weight::Medium);
    std::vector<double> at;
    if (!f.outside) {
        for (int b = 0; b < f.boards; ++b) {
            const int gaps = f.count / f.boards - 1;
            for (int i = 0; i <= gaps; ++i)
                at.push_back(b * board + f.endInches + (board - 2 * f.endInches) * i / std::max(1, gaps));
        }
        for (size_t i = 0; i < at.size(); ++i)
            sheet.circles.push_back({fr.at(at[i], i % 2 == 0 ? -f.topRowInches : -f.bottomRowInches),
                                     std::max(0.4, 0.25 * mmPerInch), Weight::Medium, false});
    }
    if (at.size() >= 2) {
        addDimension(sheet, {fr.at(0, 0), fr.at(at[0], 0), -6, at[0], detailMeasure(at[0]), QStringLiteral("fasteners"), false});
        addDimension(sheet, {fr.at(at[0], 0), fr.at(at[1], 0), -6, at[1] - at[0], detailMeasure(at[1] - at[0]),
                             QStringLiteral("fasteners"), false});
    }
    addDimension(sheet, {fr.at(0, 0), fr.at(length, 0), -13, length, detailMeasure(length), QStringLiteral("ledger"), true});
    const QRectF extent = extentOf(sheet);
    sheet.texts.push_back({QPointF(extent.left(), extent.bottom() + 6),
                           f.outside ? QStringLiteral("Table R507.9.1.3(1) gives no spacing: have the fastening designed.")
                                     : QStringLiteral("%1 fasteners %2 apart (at most %3 on centre), the first %4 from each "
                                                      "end of every board")
                                           .arg(f.count)
                                           .arg(inchesText(at.size() >= 2 ? at[1] - at[0] : 0), inchesText(f.spacingInches),
                                                inchesText(f.endInches)),
                           2.5});
    const QRectF all = extentOf(sheet);
    addViewTitle(sheet, QPointF(all.center().x(), all.bottom() + 7), QStringLiteral("LEDGER SEEN FROM THE DECK"),
                 QStringLiteral("not to scale"));
    return sheet;
}

} // namespace

void addHouseOnPlan(Sheet &sheet, const PlanFrame &frame, const DeckSheetsInput &in, bool framing)
{
    const deckmodel::Ledger &ledger = in.deck.ledger;
    if (!ledger.present)
        return;
    const QPolygonF wall = frame.polygon(ledger.houseWall);
    addShape(sheet, wall, Weight::Heavy);
    const QRectF box = wall.boundingRect();
    // Along the wall: upright where it runs up the sheet, else across.
    const bool across = box.width() > box.height();
    sheet.texts.push_back({across ? QPointF(box.center().x(), box.center().y() + 1.2) : QPointF(box.center().x() + 1.2, box.center().y()),
                           QStringLiteral("HOUSE"), 2.5, Anchor::Middle, across ? 0.0 : 90.0, true});
    if (!framing)
        return;
    const deckmodel::LedgerFastening f = deckmodel::ledgerFastening(in.deck, in.settings);
    // Along the ledger's inner face, inside the deck: the first fastener from
    // the ledger's start and the next one.
    const double face = ledger.thicknessInches;
    const auto along = [&](double t) {
        return deckmodel::Point{ledger.start.x + ledger.along.x * t - ledger.out.x * face,
                                ledger.start.z + ledger.along.z * t - ledger.out.z * face};
    };
    if (!f.outside && f.count >= 2) {
        const int gaps = f.count / f.boards - 1;
        const double board = ledger.lengthInches / f.boards;
        const double first = f.endInches, second = f.endInches + (board - 2 * f.endInches) / std::max(1, gaps);
        // Left of the ledger's direction is the house: the dimensions go right of it, on the deck.
        addDimension(sheet, {frame.at(along(0)), frame.at(along(first)), -5, first, inchesText(first),
                             QStringLiteral("ledger fasteners"), false});
        addDimension(sheet, {frame.at(along(first)), frame.at(along(second)), -5, second - first,
                             inchesText(second - first), QStringLiteral("ledger fasteners"), false});
    }
    const QString noteText = f.outside ? QStringLiteral("%1: %2 ledger, fastening by a designer")
                                             .arg(markOf(deckmodel::Kind::Ledger), in.lumberOf(deckmodel::Kind::Ledger))
                                       : QStringLiteral("%1: %2 ledger, %3 fasteners staggered, at most %4 o.c.")
                                             .arg(markOf(deckmodel::Kind::Ledger), in.lumberOf(deckmodel::Kind::Ledger))
                                             .arg(f.count)
                                             .arg(inchesText(f.spacingInches));
    if (across) {
        // The wall across the sheet leaves no room beside the ledger: the
        // note goes under the plan, first of the notes there.
        const QRectF extent = extentOf(sheet);
        sheet.texts.push_back({QPointF(extent.left() + 4, extent.bottom() + 6), noteText, 2.5});
        return;
    }
    const QPointF note = frame.at(along(ledger.lengthInches / 2)) + QPointF(ledger.out.z < 0 ? 12 : -12, 0);
    sheet.texts.push_back({note,
                           f.outside ? QStringLiteral("%1: %2 ledger, fastening by a designer")
                                           .arg(markOf(deckmodel::Kind::Ledger), in.lumberOf(deckmodel::Kind::Ledger))
                                     : QStringLiteral("%1: %2 ledger, %3 fasteners staggered, at most %4 o.c.")
                                           .arg(markOf(deckmodel::Kind::Ledger), in.lumberOf(deckmodel::Kind::Ledger))
                                           .arg(f.count)
                                           .arg(inchesText(f.spacingInches)),
                           2.5, ledger.out.z < 0 ? Anchor::Start : Anchor::End, 90});
}

Sheet ledgerSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords)
{
    const deckmodel::LedgerFastening f = deckmodel::ledgerFastening(in.deck, in.settings);
    return atLargestScaleThatFits(detailScales(), area, scaleWords, [&](const DrawingScale &scale) {
        Sheet all = ledgerSection(in, f, scale);
        const QRectF section = extentOf(all);
        Sheet face = ledgerElevation(f, in.deck.ledger, area.width() - 20);
        moveSheet(face, QPointF(section.left(), section.bottom() + 14) - extentOf(face).topLeft());
        appendSheet(all, face);
        all.key = QStringLiteral("ledger");
        all.title = QStringLiteral("Ledger");
        return all;
    });
}

} // namespace deckview
