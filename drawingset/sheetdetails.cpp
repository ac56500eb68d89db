// The details a reviewer and a builder ask for, on one sheet: the guard at
// the rim (its post bolted through the rim with blocking behind, the rails'
// heights, the opening under the bottom rail, the balusters), the stair from
// the side (risers and treads dimensioned, the stringer, the landing pad, the
// handrail above the nosings) and the footing (its depth below grade from
// the frost depth, the pier, the post base, what fills to grade). Each is
// drawn at the largest detail scale at which all three fit.
#include "sheetdeck.h"

#include "guards.h"
#include "lengthtext.h"
#include "stair.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace deckview {

using lengthtext::feetAndInchesFromInches;
using lengthtext::inchesText;

namespace {


void box(Sheet &sheet, const DetailFrame &f, double u0, double y0, double u1, double y1, Weight w = Weight::Medium,
         bool dashed = false)
{
    addRect(sheet, QRectF(f.at(u0, y1), f.at(u1, y0)).normalized(), w, dashed, Fill::White);
}

// A chain of upright dimensions at u, from the stations' lowest up.
void uprightChain(Sheet &sheet, const DetailFrame &f, double u, const std::vector<double> &ys, double offsetMm,
                  const QString &chain, bool overall)
{
    for (size_t i = 1; i < ys.size(); ++i)
        addDimension(sheet, {f.at(u, ys[i - 1]), f.at(u, ys[i]), offsetMm, ys[i] - ys[i - 1],
                             detailMeasure(ys[i] - ys[i - 1]), chain, false});
    if (overall && ys.size() > 2)
        addDimension(sheet, {f.at(u, ys.front()), f.at(u, ys.back()), offsetMm - 9, ys.back() - ys.front(),
                             detailMeasure(ys.back() - ys.front()), chain, true});
}

// Labels in a column right of the drawing, top down in the order given,
// each wrapped to the column's width with a leader to what it names.
struct DetailCallout {
    QPointF target;
    QString words;
};
void addCallouts(Sheet &sheet, const std::vector<DetailCallout> &callouts)
{
    constexpr double Width = 48, Line = 4.6;
    const QRectF drawn = extentOf(sheet);
    const double x = drawn.right() + 6;
    double y = drawn.top() + 2;
    for (const DetailCallout &c : callouts) {
        const QStringList lines = wrapText(c.words, Width, 2.5);
        y += Line;
        for (qsizetype i = 0; i < lines.size(); ++i)
            sheet.texts.push_back({QPointF(x, y + i * Line), lines[i], 2.5});
        addLine(sheet, c.target, QPointF(x - 1, y - 1.2), Weight::Light);
        sheet.circles.push_back({c.target, 0.4, Weight::Light, false});
        y += (lines.size() - 1) * Line + 1.2;
    }
}

QString lumberOf(const DeckSheetsInput &in, deckmodel::Kind kind)
{
    return in.lumberOf(kind);
}

// The guard at the rim, cut across the edge: decking and rim on the left,
// the post against the rim's outside face, rails and a baluster beyond.
Sheet guardDetail(const DeckSheetsInput &in, const DrawingScale &scale)
{
    using G = deckmodel::GuardDesign;
    const deckmodel::DeckParameters &p = in.deck.parameters;
    const DetailFrame f{scale.mmPerInch()};
    Sheet sheet;
    const double top = p.height * 12, joistTop = top - p.deckingThickness, rimBottom = joistTop - p.joistHeight;
    const double postTop = top + G::height;
    // The deck inward of the rim (u < 0), the rim from -1.5 to 0, the post from 0 to 3.5.
    box(sheet, f, -14, joistTop, -p.joistWidth, rimBottom, Weight::Light, true); // blocking behind the rim
    box(sheet, f, -p.joistWidth, rimBottom, 0, joistTop);                        // the rim, cut
    box(sheet, f, -16, joistTop, 0, top);                                        // decking
    box(sheet, f, 0, rimBottom, G::post, postTop);                               // the guard post
    const double bottomRail = top + G::deckBottomGap, topRail = top + G::height - G::railDepth;
    box(sheet, f, G::post, bottomRail, G::post + G::railWidth, bottomRail + G::railDepth);
    box(sheet, f, G::post, topRail, G::post + G::railWidth, top + G::height);
    box(sheet, f, G::post + 1.5, bottomRail + G::railDepth, G::post + 1.5 + G::baluster, topRail, Weight::Light);
    // Two bolts through the post, the rim and the blocking.
    for (double y : {rimBottom + p.joistHeight / 3, rimBottom + 2 * p.joistHeight / 3})
        addLine(sheet, f.at(-16, y), f.at(G::post + 1, y), Weight::Medium, true);

    // Heights on the left, over the decking, clear of the callouts' leaders
    // on the right: the opening, the rails, the balusters, to 36". The
    // post's length right of the rails.
    uprightChain(sheet, f, -16, {top, bottomRail, bottomRail + G::railDepth, topRail, top + G::height}, 6,
                 QStringLiteral("guard"), false);
    addDimension(sheet, {f.at(-16, top), f.at(-16, top + G::height), 15, G::height, detailMeasure(G::height),
                         QStringLiteral("guard"), true});
    addDimension(sheet, {f.at(G::post + G::railWidth + 1.5, postTop), f.at(G::post + G::railWidth + 1.5, rimBottom), -8,
                         postTop - rimBottom, detailMeasure(postTop - rimBottom), QStringLiteral("guard post"), true});
    addDimension(sheet, {f.at(-p.joistWidth, joistTop), f.at(-p.joistWidth, rimBottom), 22, p.joistHeight,
                         detailMeasure(p.joistHeight), QStringLiteral("rim"), true});

    addCallouts(sheet, {
        {f.at(G::post / 2, postTop - 4), QStringLiteral("4x4 guard post, at most 6' 0\" on centre")},
        {f.at(G::post + 0.75, top + G::height - 1), QStringLiteral("2x4 top rail, top 36\" above the decking")},
        {f.at(G::post + 2.25, (topRail + bottomRail) / 2),
         QStringLiteral("2x2 balusters, at most %1 clear: no 4\" sphere passes").arg(inchesText(G::balusterGap))},
        {f.at(G::post + 0.75, bottomRail + 1),
         QStringLiteral("2x4 bottom rail, %1 above the decking").arg(inchesText(G::deckBottomGap))},
        {f.at(G::post - 0.5, rimBottom + 2 * p.joistHeight / 3),
         QStringLiteral("Two 1/2\" through-bolts with washers through the post and the rim (%1 in all)")
             .arg(in.takeoff.guardPostBolts)},
        {f.at(-p.joistWidth / 2, rimBottom + 1), QStringLiteral("%1 rim joist").arg(lumberOf(in, deckmodel::Kind::RimJoist))},
        {f.at(-8, rimBottom + 1.5),
         QStringLiteral("Blocking behind the rim at each guard post (%1 in all)").arg(in.takeoff.blocks)},
    });
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("GUARD DETAIL"), scale.words);
    return sheet;
}

// The stair from the side: the deck's edge at u = 0, the run outwards.
Sheet stairDetail(const DeckSheetsInput &in, const DrawingScale &scale)
{
    using S = deckmodel::StairDesign;
    const deckmodel::Stair &stair = in.deck.stair;
    const DetailFrame f{scale.mmPerInch()};
    Sheet sheet;
    const int risers = stair.risers;
    const double r = stair.riserInches, t = stair.treadInches, rise = risers * r, run = (risers - 1) * t;
    addLine(sheet, f.at(-12, 0), f.at(run + S::padBeyond + 12, 0), Weight::Heavy); // grade
    sheet.texts.push_back({f.at(run + S::padBeyond + 12, 0) + QPointF(0, 4.2), QStringLiteral("GRADE"), 2.5, Anchor::End});
    // The deck's edge: decking and rim.
    const deckmodel::DeckParameters &p = in.deck.parameters;
    box(sheet, f, -12, rise - p.deckingThickness, 0, rise);
    box(sheet, f, -p.joistWidth, rise - p.deckingThickness - p.joistHeight, 0, rise - p.deckingThickness);
    // Treads and risers as the stair's profile.
    QPolygonF profile;
    profile << f.at(0, rise);
    for (int i = 1; i < risers; ++i) {
        profile << f.at((i - 1) * t, rise - i * r) << f.at(i * t, rise - i * r);
    }
    profile << f.at(run, 0);
    for (qsizetype i = 1; i < profile.size(); ++i)
        addLine(sheet, profile[i - 1], profile[i], Weight::Medium);
    // The stringer's underside, parallel to the nosings.
    const double slope = r / t, depth = S::stringerDepth / std::cos(std::atan(slope));
    addLine(sheet, f.at(0, rise - depth), f.at(run - (depth - r) / slope, 0), Weight::Medium);
    // The pad under the last tread and beyond.
    box(sheet, f, run - t, -S::padThickness, run + S::padBeyond, 0, Weight::Medium);

    // Risers up the right-hand end, treads along the top, the pad under it.
    std::vector<double> ys;
    for (int i = 0; i <= risers; ++i)
        ys.push_back(i * r);
    uprightChain(sheet, f, run + S::padBeyond + 4, ys, -6, QStringLiteral("risers"), true);
    for (int i = 1; i < risers; ++i)
        addDimension(sheet, {f.at((i - 1) * t, rise), f.at(i * t, rise), 9, t, detailMeasure(t), QStringLiteral("treads"), false});
    if (risers > 2)
        addDimension(sheet, {f.at(0, rise), f.at(run, rise), 17, run, detailMeasure(run), QStringLiteral("treads"), true});
    addDimension(sheet, {f.at(run - t, -S::padThickness), f.at(run + S::padBeyond, -S::padThickness), -6,
                         t + S::padBeyond, detailMeasure(t + S::padBeyond), QStringLiteral("landing pad"), true});
    addDimension(sheet, {f.at(run + S::padBeyond, 0), f.at(run + S::padBeyond, -S::padThickness), -14, S::padThickness,
                         detailMeasure(S::padThickness), QStringLiteral("pad thickness"), true});
    // The handrail above the line of the nosings.
    if (!stair.handrail.empty()) {
        const double above = deckmodel::GuardDesign::height;
        addLine(sheet, f.at(0, rise + above), f.at(run, r + above), Weight::Medium);
        addLine(sheet, f.at(0, rise), f.at(run, r), Weight::Light, true); // the nosings' line
        const double u = t * std::max(1, (risers - 1) / 2);
        const double nosing = rise - (u / t) * r;
        addDimension(sheet, {f.at(u, nosing), f.at(u, nosing + above), -5, above, detailMeasure(above),
                             QStringLiteral("handrail"), true});
    }
    std::vector<DetailCallout> callouts{
        {f.at(t / 2, rise - r), QStringLiteral("%1 risers of %2, %3 treads of %4, two boards each")
                                    .arg(risers).arg(inchesText(r)).arg(risers - 1).arg(inchesText(t))},
        {f.at(t * 1.5, rise - 1.5 * r - depth / 2),
         QStringLiteral("2x12 stringers (%1), cut to the risers and treads, on stringer hangers at the rim")
             .arg(stair.stringers.size())},
    };
    if (!stair.handrail.empty())
        callouts.push_back({f.at(t * 0.5, rise + 36 - 0.5 * r),
                            QStringLiteral("2x2 handrail, top 36\" above the line of the nosings")});
    callouts.push_back({f.at(run + S::padBeyond / 2, -S::padThickness / 2),
                        QStringLiteral("Concrete landing pad %1 thick, %2 wider than the stair each side")
                            .arg(inchesText(S::padThickness), inchesText(S::padSide))});
    const bool guarded = (risers - 1) * r > S::guardAbove;
    callouts.push_back({f.at(run * 0.75, rise * 0.15),
                        guarded ? QStringLiteral("Stair guards on both sides along the nosings: a tread stands more than 30\" above grade")
                                : QStringLiteral("No stair guard: no tread stands more than 30\" above grade")});
    addCallouts(sheet, callouts);
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("STAIR DETAIL"), scale.words);
    return sheet;
}

} // namespace

// The heaviest footing of the deck (the section's too).
deckmodel::FootingNeed heaviestFooting(const DeckSheetsInput &in)
{
    deckmodel::FootingNeed footing{};
    for (const deckmodel::FootingNeed &n : in.footings)
        if (n.sizeInches >= footing.sizeInches)
            footing = n;
    return footing;
}

QString frostDepthWords(const ProjectFacts &project)
{
    const QString depth = lengthtext::inchesText(project.frostDepthInches).chopped(1) + QStringLiteral(" in");
    return project.frostDepthGiven ? QStringLiteral("frost depth: %1").arg(depth)
                                   : QStringLiteral("frost depth: %1, confirm with the building department").arg(depth);
}

namespace {

// The footing at a post, cut through: grade, the footing at the frost
// depth, the pier to above grade, the post base and the post.
Sheet footingDetail(const DeckSheetsInput &in, const DrawingScale &scale)
{
    const deckmodel::DeckParameters &p = in.deck.parameters;
    const DetailFrame f{scale.mmPerInch()};
    Sheet sheet;
    const deckmodel::FootingNeed footing = heaviestFooting(in);
    const double size = footing.outside ? p.postSize + 8 : footing.sizeInches;
    const double thickness = footing.outside ? 8 : footing.thicknessInches;
    const double depth = in.facts.project.frostDepthInches, pier = p.postSize + 4, above = 2;
    addLine(sheet, f.at(-size / 2 - 10, 0), f.at(size / 2 + 10, 0), Weight::Heavy);
    sheet.texts.push_back({f.at(-size / 2 - 10, 0) + QPointF(0, -1.5), QStringLiteral("GRADE"), 2.5});
    box(sheet, f, -size / 2, -depth, size / 2, -depth + thickness);
    box(sheet, f, -pier / 2, -depth + thickness, pier / 2, above);
    box(sheet, f, -p.postSize / 2, above, p.postSize / 2, above + 14);
    for (double side : {-1.0, 1.0})
        addLine(sheet, f.at(side * (p.postSize / 2 + 0.25), above), f.at(side * (p.postSize / 2 + 0.25), above + 3),
                Weight::Medium);
    uprightChain(sheet, f, -size / 2 - 4, {-depth, -depth + thickness, 0}, 6, QStringLiteral("footing depth"), true);
    addDimension(sheet, {f.at(-size / 2, -depth), f.at(size / 2, -depth), -6, size, detailMeasure(size),
                         QStringLiteral("footing size"), true});
    addDimension(sheet, {f.at(pier / 2, 0), f.at(pier / 2, above), -5, above, detailMeasure(above),
                         QStringLiteral("pier above grade"), true});
    addCallouts(sheet, {
        {f.at(0, above + 10), QStringLiteral("%1 post").arg(lumberOf(in, deckmodel::Kind::Post))},
        {f.at(p.postSize / 2 + 0.25, above + 1.5), QStringLiteral("Post base connector on the pier")},
        {f.at(pier / 2 - 1, above - 4), QStringLiteral("Concrete pier in a form tube, %1 above grade").arg(inchesText(above))},
        {f.at(pier / 2 + 3, -depth / 3), QStringLiteral("Backfill: native soil, compacted, from the footing to grade")},
        {f.at(size / 2 - 2, -depth + thickness / 2),
         footing.outside ? QStringLiteral("Concrete footing by design")
                         : QStringLiteral("Concrete footing %1%2 x %3 thick on undisturbed soil, its bottom at the %4")
                               .arg(inchesText(size),
                                    in.settings.footing == deckmodel::FootingShape::Round ? QStringLiteral(" dia.")
                                                                                          : QString(),
                                    inchesText(thickness), frostDepthWords(in.facts.project))},
    });
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("FOOTING DETAIL"), scale.words);
    return sheet;
}

// Moves `sheet` so its extent's top left is at `at`; returns its extent there.
QRectF placeAt(Sheet &sheet, QPointF at)
{
    moveSheet(sheet, at - extentOf(sheet).topLeft());
    return extentOf(sheet);
}

} // namespace

Sheet detailsSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords)
{
    // At 3/4" = 1'-0" or more the stair's run alone fills the sheet.
    std::vector<DrawingScale> scales;
    std::copy_if(detailScales().begin(), detailScales().end(), std::back_inserter(scales),
                 [](const DrawingScale &s) { return s.ratio >= 24; });
    return atLargestScaleThatFits(scales, area, scaleWords, [&](const DrawingScale &scale) {
        Sheet all = guardDetail(in, scale), footing = footingDetail(in, scale);
        const QRectF g = placeAt(all, area.topLeft());
        const QRectF fr = placeAt(footing, QPointF(g.right() + 10, area.top()));
        appendSheet(all, footing);
        if (in.deck.stair.present) {
            Sheet stair = stairDetail(in, scale);
            placeAt(stair, QPointF(area.left(), std::max(g.bottom(), fr.bottom()) + 8));
            appendSheet(all, stair);
        }
        all.key = QStringLiteral("details");
        all.title = QStringLiteral("Details");
        return all;
    });
}

} // namespace deckview
