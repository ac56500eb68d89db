// The site plan: the lot, the deck placed on it with its distances to the
// lot lines, and a north arrow, from the design's project facts; where the
// design gives no lot, a sheet that says what to fill in.
#include "sheetdeck.h"

#include "framing.h"
#include "lengthtext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace deckview {

using lengthtext::feetAndInchesFromInches;

namespace {

// A north arrow at `at`, turned `degrees` clockwise from the sheet's up.
void addNorthArrow(Sheet &sheet, QPointF at, double degrees)
{
    const double r = degrees * std::numbers::pi / 180;
    const QPointF up(std::sin(r), -std::cos(r)), side(std::cos(r), std::sin(r));
    addShape(sheet, QPolygonF{at + up * 9, at - up * 5 + side * 3, at - up * 2, at - up * 5 - side * 3}, Weight::Medium,
             false, Fill::Black);
    sheet.texts.push_back({at + up * 13 + QPointF(0, 1.3), QStringLiteral("N"), 3.2, Anchor::Middle, 0, true});
}

} // namespace

Sheet sitePlanSheet(const DeckSheetsInput &in, const QRectF &area)
{
    const ProjectFacts &project = in.facts.project;
    Sheet sheet{.key = QStringLiteral("site"), .title = QStringLiteral("Site plan")};
    const deckmodel::Box b = deckmodel::bounds(deckmodel::planPolygon(in.deck, in.deck.outline));
    const double deckA = b.z1 - b.z0, deckB = b.x1 - b.x0;
    const bool placed = project.lotWidthFeet && project.lotDepthFeet && project.deckFromLeftFeet && project.deckFromBackFeet;
    if (!placed) {
        double y = area.top();
        auto paragraph = [&](const QString &words, bool bold = false, double gap = 0) {
            y += gap;
            for (const QString &line : wrapText(words, area.width() * 0.62, 2.5, bold)) {
                y += 4.6;
                sheet.texts.push_back({QPointF(area.left(), y), line, 2.5, Anchor::Start, 0, bold});
            }
        };
        paragraph(QStringLiteral("SITE PLAN: TO FILL IN"), true);
        paragraph(QStringLiteral("The design does not place the deck on its lot. Before the set goes to the building "
                                 "department, fill in by hand or in the design:"));
        const QStringList items{
            QStringLiteral("1. The lot's width and depth, and its lot lines with their names (front, sides, rear)."),
            QStringLiteral("2. The house's outline on the lot and its doors onto the deck."),
            QStringLiteral("3. The deck (%1 x %2) placed on the lot: its distance to every lot line and to the house.")
                .arg(feetAndInchesFromInches(deckA), feetAndInchesFromInches(deckB)),
            QStringLiteral("4. The setbacks the zoning asks for, and any easement, well, septic field or overhead line."),
            QStringLiteral("5. A north arrow."),
        };
        for (const QString &item : items)
            paragraph(item, false, 1.5);
        paragraph(QStringLiteral("Lot: %1. North: %2.")
                      .arg(project.lotWidthFeet && project.lotDepthFeet
                               ? QStringLiteral("%1 x %2").arg(feetAndInchesFromInches(*project.lotWidthFeet * 12),
                                                               feetAndInchesFromInches(*project.lotDepthFeet * 12))
                               : QStringLiteral("not given"),
                           project.northDegrees ? QStringLiteral("given") : QStringLiteral("not given")),
                  false, 4);
        return sheet;
    }

    // The lot to the largest of 1/8", 1/16" and 1/32" = 1'-0", 1" = 100' and
    // 1" = 200' it fits at (a design's lot is at most 1,000 ft).
    const double lotA = *project.lotWidthFeet * 12, lotB = *project.lotDepthFeet * 12;
    double mmPerInch = 25.4 / 2400;
    QString words = QStringLiteral("1\" = 200'-0\"");
    for (const auto &[ratio, name] : {std::pair{96.0, "1/8\" = 1'-0\""}, {192.0, "1/16\" = 1'-0\""},
                                      {384.0, "1/32\" = 1'-0\""}, {1200.0, "1\" = 100'-0\""}})
        if ((lotA * 25.4 / ratio + 40) <= area.width() && (lotB * 25.4 / ratio + 40) <= area.height()) {
            mmPerInch = 25.4 / ratio;
            words = QString::fromLatin1(name);
            break;
        }
    // Seen as the plans are: A to the right, B up; the lot's back left corner at the origin.
    auto at = [&](double a, double bUp) { return QPointF(a * mmPerInch, -bUp * mmPerInch); };
    addRect(sheet, QRectF(at(0, lotB), at(lotA, 0)), Weight::Heavy, true);
    const double left = *project.deckFromLeftFeet * 12, back = *project.deckFromBackFeet * 12;
    QPolygonF deck;
    for (const deckmodel::Point &p : deckmodel::planPolygon(in.deck, in.deck.outline))
        deck << at(left + p.z - b.z0, lotB - back - (b.x1 - p.x));
    addShape(sheet, deck, Weight::Heavy);
    // The deck's distances to the four lot lines.
    const double deckTop = lotB - back, deckBottom = deckTop - deckB;
    const double midB = (deckTop + deckBottom) / 2, midA = left + deckA / 2;
    auto distance = [&](QPointF from, QPointF to, double inches, const QString &chain) {
        if (inches > 0.01)
            addDimension(sheet, {from, to, 0, inches, feetAndInchesFromInches(inches), chain, true});
    };
    distance(at(0, midB), at(left, midB), left, QStringLiteral("to the left lot line"));
    distance(at(left + deckA, midB), at(lotA, midB), lotA - left - deckA, QStringLiteral("to the right lot line"));
    distance(at(midA, lotB), at(midA, deckTop), back, QStringLiteral("to the back lot line"));
    distance(at(midA, deckBottom), at(midA, 0), deckBottom, QStringLiteral("to the front lot line"));
    addDimension(sheet, {at(0, 0), at(lotA, 0), -8, lotA, feetAndInchesFromInches(lotA), QStringLiteral("lot width"), true});
    addDimension(sheet, {at(lotA, 0), at(lotA, lotB), 8, lotB, feetAndInchesFromInches(lotB), QStringLiteral("lot depth"),
                         true});
    addNorthArrow(sheet, at(lotA, lotB) + QPointF(14, 4), project.northDegrees.value_or(0));
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("SITE PLAN"), words);
    sheet.texts.push_back({QPointF(extent.left(), extent.bottom() + 18),
                           QStringLiteral("House outline: not given; draw it to scale with its doors onto the deck."), 2.5});
    double below = extent.bottom() + 22.6;
    if (!project.northDegrees) {
        sheet.texts.push_back({QPointF(extent.left(), below),
                               QStringLiteral("North: not given; the arrow points up until it is."), 2.5});
        below += 4.6;
    }
    if (left + deckA > lotA + 0.01 || back + deckB > lotB + 0.01)
        for (const QString &line : wrapText(QStringLiteral("The deck as placed runs past a lot line: check the lot's size "
                                                           "and the deck's distances from the left and back lot lines."),
                                            std::max(extent.width(), 80.0), 2.5, true)) {
            sheet.texts.push_back({QPointF(extent.left(), below), line, 2.5, Anchor::Start, 0, true});
            below += 4.6;
        }
    centreIn(sheet, area);
    return sheet;
}

} // namespace deckview
