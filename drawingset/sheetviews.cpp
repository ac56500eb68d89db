// The views from the side: the front and side elevations (every member as
// the box it fills, the far ones first so that the near ones cover them, the
// ground line, the footings below it dashed, the heights chained) and the
// typical section from the footing to the decking, its layers labelled and
// dimensioned.
#include "sheetdeck.h"

#include "framing.h"
#include "lengthtext.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <set>

namespace deckview {

using deckmodel::Kind;
using deckmodel::Member;
using lengthtext::feetAndInchesFromInches;
using lengthtext::inchesText;

namespace {


// One elevation: looking at the front (along Z on the paper) or from the
// right-hand end (along X), in deck inches; paper y up from the ground.
struct Elevation {
    bool front = true;
    bool mirrored = false; // a front at high X is seen from there: Z runs right to left
    double extent = 0;     // the deck's length across the view
    double mmPerInch = 1;
    double across(double z, double x) const
    {
        if (!front)
            return x;
        return mirrored ? extent - z : z;
    }
    QPointF at(double u, double y) const { return {u * mmPerInch, -y * mmPerInch}; }
};

struct Span {
    double from = 0, to = 0;
};

Span spanOf(const Elevation &view, const Member &m)
{
    const deckmodel::Box b = deckmodel::bounds(m.plan);
    const double u0 = view.across(b.z0, b.x0), u1 = view.across(b.z1, b.x1);
    return {std::min(u0, u1), std::max(u0, u1)};
}

// How far a member is from the eye: the far ones are drawn first.
double depthOf(const Elevation &view, const Member &m)
{
    const deckmodel::Box b = deckmodel::bounds(m.plan);
    if (!view.front)
        return -b.z1; // seen from the high Z end
    return view.mirrored ? -b.x1 : b.x0;
}

bool isSlopedRail(const Member &m)
{
    return m.step > 0 && (m.kind == Kind::GuardRail || m.kind == Kind::Handrail);
}

// "Handrail 1" of "Handrail 1 step 3".
QString pieceName(const Member &m)
{
    const qsizetype at = m.name.lastIndexOf(QLatin1String(" step "));
    return at < 0 ? m.name : m.name.left(at);
}

// The straight piece a sloped rail's steps make, seen in the view: its top
// through each step's uphill top corner, as deep as the rail. Seen end on
// (every step over the same span), the box they fill.
QPolygonF slopedOutline(const Elevation &view, const std::vector<const Member *> &steps)
{
    double from = INFINITY, to = -INFINITY, low = INFINITY, high = -INFINITY;
    const Member *highest = steps.front(), *lowest = steps.front();
    for (const Member *m : steps) {
        const Span s = spanOf(view, *m);
        from = std::min(from, s.from), to = std::max(to, s.to);
        low = std::min(low, m->base), high = std::max(high, m->top());
        if (m->top() > highest->top())
            highest = m;
        if (m->top() < lowest->top())
            lowest = m;
    }
    const Span h = spanOf(view, *highest), l = spanOf(view, *lowest);
    const bool endOn = std::abs(h.from - l.from) < 1e-6 && std::abs(h.to - l.to) < 1e-6;
    if (endOn)
        return QPolygonF(QRectF(view.at(from, high), view.at(to, low)).normalized());
    // The uphill end of a step is the one towards the highest step.
    const bool upRight = (h.from + h.to) > (l.from + l.to);
    const double hu = upRight ? h.to : h.from, lu = upRight ? l.to : l.from;
    const double slope = (highest->top() - lowest->top()) / (hu - lu);
    const double run = h.to - h.from;
    const double depth = highest->top() - highest->base - std::abs(slope) * run;
    auto topAt = [&](double u) { return highest->top() + slope * (u - hu); };
    return QPolygonF{view.at(from, topAt(from)), view.at(to, topAt(to)), view.at(to, topAt(to) - depth),
                     view.at(from, topAt(from) - depth)};
}

// The deck where it stands: one framed turned a quarter turn, turned back.
deckmodel::Deck standingDeck(const deckmodel::Deck &framed)
{
    deckmodel::Deck deck = framed;
    if (!framed.turned)
        return deck;
    deck.members = deckmodel::membersInPlan(framed);
    deck.members.resize(framed.members.size()); // the ledger's hangers are no members of the elevations
    deck.outline = deckmodel::planPolygon(framed, framed.outline);
    deck.ledger.houseWall = deckmodel::houseWallInPlan(framed);
    return deck;
}

// The house wall in an elevation: behind the deck it is drawn first, filled,
// and named above the deck; in front of it only its outline, so that the
// deck shows through; beside it (seen end on) in profile, named upright.
enum class WallPlace { Behind, InFront, Beside };

Sheet elevationView(const DeckSheetsInput &in, bool front, const DrawingScale &scale)
{
    const deckmodel::Deck deck = standingDeck(in.deck);
    const deckmodel::Box b = deckmodel::bounds(deck.outline);
    Elevation view{front, front && !in.frontAtLowX, front ? b.z1 - b.z0 : b.x1 - b.x0, scale.mmPerInch()};
    const double FootingBottomInches = in.facts.project.frostDepthInches;
    Sheet sheet;
    std::vector<const Member *> order;
    for (const Member &m : deck.members)
        order.push_back(&m);
    std::stable_sort(order.begin(), order.end(),
                     [&](const Member *a, const Member *c) { return depthOf(view, *a) > depthOf(view, *c); });
    // A rail or handrail on a slope is modelled as steps: drawn as the one
    // straight piece they make, when its first step comes up.
    std::map<QString, std::vector<const Member *>> sloped;
    for (const Member &m : deck.members)
        if (isSlopedRail(m))
            sloped[pieceName(m)].push_back(&m);
    // The house a deck hangs on, as the view sees it.
    const Member wall{Kind::Post, QStringLiteral("house wall"), deck.ledger.houseWall, 0, deck.ledger.houseWallTopInches};
    const Span wallSpan = deck.ledger.present ? spanOf(view, wall) : Span{};
    WallPlace wallPlace = WallPlace::Beside;
    if (deck.ledger.present && wallSpan.to > 1 && wallSpan.from < view.extent - 1) {
        double farthest = -INFINITY;
        for (const Member &m : deck.members)
            farthest = std::max(farthest, depthOf(view, m));
        wallPlace = depthOf(view, wall) >= farthest ? WallPlace::Behind : WallPlace::InFront;
    }
    const double deckTop = deck.parameters.height * 12;
    const auto addWall = [&](bool filled) {
        addRect(sheet, QRectF(view.at(wallSpan.from, wall.top()), view.at(wallSpan.to, 0)).normalized(), Weight::Heavy, false,
                filled ? Fill::White : Fill::None);
        const double middle = (std::max(wallSpan.from, 0.0) + std::min(wallSpan.to, view.extent)) / 2;
        sheet.texts.push_back({view.at(middle, (deckTop + wall.top()) / 2), QStringLiteral("HOUSE"), 2.5, Anchor::Middle, 0, true});
    };
    if (deck.ledger.present && wallPlace == WallPlace::Behind)
        addWall(true);
    std::set<QString> drawnPieces;
    for (const Member *m : order) {
        if (isSlopedRail(*m)) {
            if (drawnPieces.insert(pieceName(*m)).second)
                addShape(sheet, slopedOutline(view, sloped[pieceName(*m)]), Weight::Medium, false, Fill::White);
            continue;
        }
        const Span s = spanOf(view, *m);
        addRect(sheet, QRectF(view.at(s.from, m->top()), view.at(s.to, m->base)).normalized(), Weight::Medium, false,
                Fill::White);
    }
    // Knee braces at the corner posts, towards the deck's middle: in the
    // beam's plane up to the beam, across it up to the joists.
    const deckmodel::DeckParameters &p = deck.parameters;
    const double top = p.height * 12, joistTop = top - p.deckingThickness, beamTop = joistTop - p.joistHeight,
                 beamBottom = beamTop - p.beamHeight;
    using Brace = deckmodel::KneeBrace;
    const double slant = Brace::depthInches * std::sqrt(2.0);
    for (const Member *framedPost : deckmodel::kneeBracePosts(in.deck)) {
        const Member *post = &deck.members[size_t(framedPost - in.deck.members.data())];
        const Span s = spanOf(view, *post);
        const double sign = (s.from + s.to) / 2 < view.extent / 2 ? 1 : -1;
        // In the beam's plane (the front view where the beams run along Z) up to the beam.
        const double face = sign > 0 ? s.to : s.from, up = front != deck.turned ? beamTop : beamBottom;
        addShape(sheet, QPolygonF{view.at(face, up - Brace::legInches), view.at(face + sign * Brace::legInches, up),
                                  view.at(face + sign * (Brace::legInches - slant), up),
                                  view.at(face, up - Brace::legInches + slant)},
                 Weight::Medium, false, Fill::White);
    }

    // The house a deck hangs on: in front of the deck its outline, beside it in profile.
    if (deck.ledger.present && wallPlace == WallPlace::InFront)
        addWall(false);
    if (deck.ledger.present && wallPlace == WallPlace::Beside) {
        const double u0 = wallSpan.from, u1 = wallSpan.to;
        addRect(sheet, QRectF(view.at(u0, deck.ledger.houseWallTopInches), view.at(u1, 0)).normalized(),
                Weight::Heavy, false, Fill::White);
        sheet.texts.push_back({view.at((u0 + u1) / 2, deck.ledger.houseWallTopInches / 2) + QPointF(1.2, 0),
                               QStringLiteral("HOUSE"), 2.5, Anchor::Middle, 90, true});
    }
    // The ground, the footings under it.
    addLine(sheet, view.at(-18, 0), view.at(view.extent + 18, 0), Weight::Heavy);
    sheet.texts.push_back({view.at(-18, 0) + QPointF(0, 4.2), QStringLiteral("GRADE"), 2.5, Anchor::Start});
    for (const deckmodel::FootingNeed &n : in.footings) {
        const double size = n.outside ? deck.parameters.postSize + 8 : n.sizeInches;
        const double thickness = n.outside ? 8 : n.thicknessInches;
        const deckmodel::Point at = deckmodel::planPoint(in.deck, {n.x, n.z});
        const double u = view.across(at.z, at.x);
        addRect(sheet, QRectF(view.at(u - size / 2, -FootingBottomInches + thickness),
                              view.at(u + size / 2, -FootingBottomInches)).normalized(), Weight::Light, true);
    }

    // Heights chained on the right: post, beam, joist, decking, and the whole.
    const std::vector<double> heights{0, beamBottom, beamTop, joistTop, top};
    const double right = view.extent;
    for (size_t i = 1; i < heights.size(); ++i) {
        const double inches = heights[i] - heights[i - 1];
        addDimension(sheet, {view.at(right, heights[i - 1]), view.at(right, heights[i]), -8, inches,
                             feetAndInchesFromInches(inches), QStringLiteral("heights"), false});
    }
    addDimension(sheet, {view.at(right, 0), view.at(right, top), -24, top, feetAndInchesFromInches(top),
                         QStringLiteral("heights"), true});
    const bool onBlocks = std::any_of(deck.members.begin(), deck.members.end(),
                                      [](const Member &m) { return m.kind == Kind::Block; });
    const QString name = !front ? QString()
                         : onBlocks ? QStringLiteral("Deck blocks, beams %1, beam %2, joists %3, decking %4")
                                          .arg(beamBottom < 0.01 ? QStringLiteral("at the ground")
                                                                 : inchesText(beamBottom) + QStringLiteral(" above the ground"),
                                               inchesText(p.beamHeight), inchesText(p.joistHeight),
                                               inchesText(p.deckingThickness))
                                    : QStringLiteral("Post height %1, beam %2, joists %3, decking %4")
                                          .arg(feetAndInchesFromInches(beamBottom), inchesText(p.beamHeight),
                                               inchesText(p.joistHeight), inchesText(p.deckingThickness));
    if (!name.isEmpty())
        placeText(sheet, {view.at(0, top) + QPointF(0, -4), name, 2.5, Anchor::Start}, {0, -4.6}, 3);

    // Where the posts (or deck blocks) stand along the view, under the ground.
    std::vector<double> posts;
    for (const Member &m : deck.members)
        if (deckmodel::carriesBeam(m.kind)) {
            const Span s = spanOf(view, m);
            posts.push_back((s.from + s.to) / 2);
        }
    std::sort(posts.begin(), posts.end());
    std::vector<double> stations{0};
    for (double u : posts)
        if (u - stations.back() > 0.01)
            stations.push_back(u);
    if (view.extent - stations.back() > 0.01)
        stations.push_back(view.extent);
    const double below = -FootingBottomInches;
    for (size_t i = 1; i < stations.size(); ++i) {
        const double inches = stations[i] - stations[i - 1];
        addDimension(sheet, {view.at(stations[i - 1], below), view.at(stations[i], below), -6, inches,
                             feetAndInchesFromInches(inches), QStringLiteral("posts across"), false});
    }
    addDimension(sheet, {view.at(0, below), view.at(view.extent, below), -14, view.extent,
                         feetAndInchesFromInches(view.extent), QStringLiteral("posts across"), true});
    const QRectF extent = extentOf(sheet);
    addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7),
                 front ? QStringLiteral("FRONT ELEVATION") : QStringLiteral("SIDE ELEVATION"), scale.words);
    return sheet;
}

} // namespace

QString bracingWords(const DeckSheetsInput &in)
{
    // A deck too low for posts stands on deck blocks set into the ground.
    if (std::none_of(in.deck.members.begin(), in.deck.members.end(),
                     [](const deckmodel::Member &m) { return m.kind == deckmodel::Kind::Post; }))
        return QStringLiteral("No knee braces: the beams rest on deck blocks set into the ground.");
    const QString rules = QStringLiteral("The 2021 IRC has no prescriptive bracing rule for a free-standing deck; "
                                         "each post is held to its footing against sideways movement by its post base "
                                         "(R507.4.1).");
    const size_t corners = deckmodel::kneeBracePosts(in.deck).size();
    const QString height = feetAndInchesFromInches(deckmodel::cornerPostInches(in.deck));
    if (corners == 0)
        return QStringLiteral("No knee braces: the posts stand %1, 2' 0\" or lower, too short for one. ").arg(height) + rules;
    return QStringLiteral("Knee braces: 2x4 at 45 degrees, %1 legs, two at each of the %2 corner posts (posts %3 tall), "
                          "none at the posts between. ")
               .arg(inchesText(deckmodel::KneeBrace::legInches))
               .arg(corners)
               .arg(height)
           + rules;
}

Sheet elevationsSheet(const DeckSheetsInput &in, const QRectF &area, const DrawingScale &largest, QString *scaleWords)
{
    std::vector<DrawingScale> scales;
    std::copy_if(planScales().begin(), planScales().end(), std::back_inserter(scales),
                 [&](const DrawingScale &s) { return s.ratio >= largest.ratio; });
    // At the smallest scale still a little wider than the room: centred on it.
    return atLargestScaleThatFits(scales, area, scaleWords, [&](const DrawingScale &scale) {
        Sheet front = elevationView(in, true, scale);
        Sheet side = elevationView(in, false, scale);
        const QRectF f = extentOf(front), s = extentOf(side);
        moveSheet(side, QPointF(f.left() - s.left(), f.bottom() + 10 - s.top()));
        appendSheet(front, side);
        const QRectF both = extentOf(front);
        const QStringList note = wrapText(bracingWords(in), std::max(both.width(), 120.0), 2.5);
        for (qsizetype i = 0; i < note.size(); ++i)
            front.texts.push_back({QPointF(both.left(), both.bottom() + 6 + 4.6 * double(i)), note[i], 2.5});
        front.key = QStringLiteral("elevations");
        front.title = QStringLiteral("Elevations");
        return front;
    }, true);
}

namespace {

// A label at the right of the section with a leader to what it names.
struct Callout {
    QPointF target; // paper
    QString text;
};

} // namespace

Sheet sectionSheet(const DeckSheetsInput &in, const QRectF &area, QString *scaleWords)
{
    const deckmodel::Deck &deck = in.deck;
    const deckmodel::DeckParameters &p = deck.parameters;
    const deckmodel::Box b = deckmodel::bounds(deck.outline);
    const double top = p.height * 12, joistTop = top - p.deckingThickness, beamTop = joistTop - p.joistHeight,
                 beamBottom = beamTop - p.beamHeight;
    const double FootingBottomInches = in.facts.project.frostDepthInches;
    const double line = deck.beamLines.empty() ? b.z0 + 24 : deck.beamLines.front();
    const double to = std::min(b.z1, line + 30);
    // The heaviest footing stands for all.
    deckmodel::FootingNeed footing{};
    for (const deckmodel::FootingNeed &n : in.footings)
        if (n.sizeInches >= footing.sizeInches)
            footing = n;
    const double footingSize = footing.outside ? p.postSize + 8 : footing.sizeInches;
    const double footingThickness = footing.outside ? 8 : footing.thicknessInches;
    const QString species = deckmodel::speciesWords(in.settings.species);

    Sheet sheet;
    for (const DrawingScale &scale : detailScales()) {
        sheet = Sheet{};
        const double s = scale.mmPerInch();
        auto at = [&](double z, double y) { return QPointF((z - b.z0) * s, -y * s); };
        auto box = [&](double z0, double y0, double z1, double y1, Weight w = Weight::Medium, bool dashed = false) {
            addRect(sheet, QRectF(at(z0, y1), at(z1, y0)).normalized(), w, dashed, Fill::White);
        };
        addLine(sheet, at(b.z0 - 8, 0), at(to + 8, 0), Weight::Heavy);
        sheet.texts.push_back({at(b.z0 - 8, 0) + QPointF(0, 4.2), QStringLiteral("GRADE"), 2.5, Anchor::Start});
        box(line - footingSize / 2, -FootingBottomInches, line + footingSize / 2, -FootingBottomInches + footingThickness,
            Weight::Medium);
        box(line - p.postSize / 2 - 2, -FootingBottomInches + footingThickness, line + p.postSize / 2 + 2, 2, Weight::Light, true);
        box(line - p.postSize / 2, 0, line + p.postSize / 2, beamBottom);
        // The post base: a strap each side of the post's foot.
        for (double side : {-1.0, 1.0}) {
            const double face = line + side * p.postSize / 2;
            addLine(sheet, at(face + side * 0.25, 0), at(face + side * 0.25, 3), Weight::Medium);
        }
        const double beamWidth = p.beamPlies * p.beamPly;
        // The post cap: a strap each side from the post's top up the beam's face.
        for (double side : {-1.0, 1.0}) {
            const double face = line + side * (std::max(beamWidth, p.postSize) / 2 + 0.25);
            addLine(sheet, at(face, beamBottom - 4), at(face, beamBottom + 4), Weight::Medium);
        }
        for (int ply = 0; ply < p.beamPlies; ++ply) {
            const double z0 = line - beamWidth / 2 + ply * p.beamPly;
            box(z0, beamBottom, z0 + p.beamPly, beamTop);
            addLine(sheet, at(z0, beamBottom), at(z0 + p.beamPly, beamTop), Weight::Light); // cut
        }
        // A carriage bolt through the plies, dashed.
        addLine(sheet, at(line - beamWidth / 2 - 1, (beamBottom + beamTop) / 2),
                at(line + beamWidth / 2 + 1, (beamBottom + beamTop) / 2), Weight::Light, true);
        box(b.z0, beamTop, b.z0 + p.joistWidth, joistTop);                 // the rim, cut
        box(b.z0 + p.joistWidth, beamTop, to, joistTop);                    // a joist, along
        addLine(sheet, at(b.z0 + p.joistWidth, beamTop - 0.75), at(b.z0 + p.joistWidth + 3, beamTop - 0.75),
                Weight::Medium); // the hanger's seat
        for (double z = b.z0; z < to - 0.01; z += p.deckingWidth + p.deckingGap)
            box(z, joistTop, std::min(z + p.deckingWidth, to), top);

        // Layers chained on the left, the cantilever along the top.
        const std::vector<double> heights{0, beamBottom, beamTop, joistTop, top};
        for (size_t i = 1; i < heights.size(); ++i) {
            const double inches = heights[i] - heights[i - 1];
            addDimension(sheet, {at(b.z0 - 8, heights[i]), at(b.z0 - 8, heights[i - 1]), -6, inches,
                                 feetAndInchesFromInches(inches), QStringLiteral("layers"), false});
        }
        addDimension(sheet, {at(b.z0 - 8, 0), at(b.z0 - 8, -FootingBottomInches), -6, FootingBottomInches,
                             feetAndInchesFromInches(FootingBottomInches), QStringLiteral("footing depth"), true});
        addDimension(sheet, {at(b.z0 - 8, top), at(b.z0 - 8, 0), -18, top, feetAndInchesFromInches(top),
                             QStringLiteral("layers"), true});
        addDimension(sheet, {at(b.z0, top), at(line, top), 6, line - b.z0, feetAndInchesFromInches(line - b.z0),
                             QStringLiteral("joist cantilever"), true});

        std::vector<Callout> callouts{
            {at((b.z0 + to) / 2, top - p.deckingThickness / 2),
             QStringLiteral("%1 decking, %2 gaps, 2 deck screws at each joist").arg(in.lumberOf(Kind::DeckingBoard), inchesText(p.deckingGap))},
            {at(to - 6, (beamTop + joistTop) / 2),
             QStringLiteral("%1 joists @ %2 o.c., %3, No. 2").arg(in.lumberOf(Kind::Joist), inchesText(in.joistSpacingInches), species)},
            {at(b.z0 + p.joistWidth + 1.5, beamTop - 0.75),
             QStringLiteral("Joist hanger at each joist end on a rim (%1 in all)").arg(in.takeoff.joistHangers)},
            {at(b.z0 + p.joistWidth / 2, (beamTop + joistTop) / 2), QStringLiteral("%1 rim joist").arg(in.lumberOf(Kind::RimJoist))},
            {at(line + beamWidth / 2, beamTop - 1),
             QStringLiteral("(%1) %2 beam, %3, No. 2").arg(p.beamPlies).arg(in.lumberOf(Kind::BeamPly)).arg(species)},
            {at(line + beamWidth / 2 + 1, (beamBottom + beamTop) / 2),
             QStringLiteral("Carriage bolts, 2 per ply at each post (%1 in all)").arg(in.takeoff.carriageBolts)},
            {at(line + std::max(beamWidth, p.postSize) / 2 + 0.25, beamBottom - 2),
             QStringLiteral("Post cap connector, beam to post, hot-dip galvanized, one at each post (%1 in all)")
                 .arg(in.takeoff.postCaps)},
            {at(line + p.postSize / 2, beamBottom / 2),
             QStringLiteral("%1 post, wet-service treated for ground contact").arg(in.lumberOf(Kind::Post))},
            {at(line + p.postSize / 2 + 0.25, 1.5), QStringLiteral("Post base connector, hot-dip galvanized")},
            {at(line + p.postSize / 2 + 2, -FootingBottomInches / 2),
             QStringLiteral("Concrete pier in a form tube from the footing to 2\" above grade, compacted backfill around it")},
            {at(line + footingSize / 2, -FootingBottomInches + footingThickness / 2),
             footing.outside ? QStringLiteral("Concrete footing by design: more deck than the tables size for")
                             : QStringLiteral("Concrete footing %1%2 x %3 thick, bottom at the %4")
                                   .arg(inchesText(footingSize),
                                        in.settings.footing == deckmodel::FootingShape::Round ? QStringLiteral(" dia.") : QString(),
                                        inchesText(footingThickness), frostDepthWords(in.facts.project))},
        };
        // A deck too low for posts: its beams on deck blocks, with no post,
        // post cap, carriage bolt, post base or pier.
        if (std::any_of(deck.members.begin(), deck.members.end(), [](const Member &m) { return m.kind == Kind::Block; })) {
            const auto isPosts = [](const Callout &c) {
                return c.text.startsWith(u"Carriage bolts") || c.text.startsWith(u"Post cap") || c.text.contains(u" post, ")
                       || c.text.startsWith(u"Post base") || c.text.startsWith(u"Concrete pier");
            };
            const auto first = std::find_if(callouts.begin(), callouts.end(), isPosts);
            const QPointF target = first != callouts.end() ? first->target : at(line, beamBottom / 2);
            std::erase_if(callouts, isPosts);
            callouts.insert(std::find_if(callouts.begin(), callouts.end(),
                                         [](const Callout &c) { return c.text.startsWith(u"Concrete footing"); }),
                            {target, QStringLiteral("Deck block, 11\" precast concrete, on the footing, the beam in its top "
                                                    "(%1 in all)").arg(in.takeoff.deckBlocks)});
        }
        // The labels in a column right of the section, top down in the order above.
        const double column = at(to + 10, 0).x();
        double y = std::min(at(0, top).y() - 4, at(0, top).y());
        for (const Callout &c : callouts) {
            const QStringList lines = wrapText(c.text, 62, 2.5);
            const double textY = std::max(y + 4.6, c.target.y() - (lines.size() - 1) * 4.6 / 2);
            for (qsizetype i = 0; i < lines.size(); ++i)
                sheet.texts.push_back({QPointF(column, textY + i * 4.6), lines[i], 2.5, Anchor::Start});
            addLine(sheet, c.target, QPointF(column - 1.5, textY - 1.2), Weight::Light);
            sheet.circles.push_back({c.target, 0.5, Weight::Light, false});
            y = textY + (lines.size() - 1) * 4.6 + 1.5;
        }
        const QRectF extent = extentOf(sheet);
        addViewTitle(sheet, QPointF(extent.center().x(), extent.bottom() + 7), QStringLiteral("TYPICAL SECTION"),
                     scale.words);
        sheet.key = QStringLiteral("section");
        sheet.title = QStringLiteral("Typical section");
        *scaleWords = scale.words;
        if (centreIn(sheet, area))
            break;
    }
    return sheet;
}

} // namespace deckview
