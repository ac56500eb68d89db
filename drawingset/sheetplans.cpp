// The plans of a drawing set: the deck plan (every edge dimensioned), the
// framing plan (every member from above, the decking taken off) and the
// footing plan (every footing at its true size, located from one corner),
// all seen from above with Z to the right and X up, as the shape's picture.
#include "sheetdeck.h"

#include "catalogue.h"
#include "framing.h"
#include "lengthtext.h"
#include "guards.h"
#include "outlines.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <map>

namespace deckview {

using deckmodel::Kind;
using deckmodel::Member;
using lengthtext::feetAndInchesFromInches;

namespace {
// Dimension tiers, from the edge outwards.
constexpr double Tier1 = 7, TierStep = 7;

// Stations closer than this are one.
std::vector<double> distinct(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::vector<double> out;
    for (double v : values)
        if (out.empty() || v - out.back() > 0.01)
            out.push_back(v);
    return out;
}

double centreX(const Member &m)
{
    const deckmodel::Box b = deckmodel::bounds(m.plan);
    return (b.x0 + b.x1) / 2;
}

double centreZ(const Member &m)
{
    const deckmodel::Box b = deckmodel::bounds(m.plan);
    return (b.z0 + b.z1) / 2;
}

// The front edge's side of a deck type: where its picture letters A across.
bool frontAtLowXOf(int deckType)
{
    const QList<deckmodel::Outline> shapes = deckmodel::deckShapes();
    if (deckType < 1 || deckType > shapes.size())
        return true;
    for (const deckmodel::Dimension &d : shapes[deckType - 1].dimensions)
        if (d.letter == u'A' && (d.side == deckmodel::Side::Top || d.side == deckmodel::Side::Bottom))
            return d.side == deckmodel::Side::Bottom;
    return true;
}

// A point well inside the outline for the plan's notes.
QPointF insidePoint(const deckmodel::Polygon &outline)
{
    const deckmodel::Box b = deckmodel::bounds(outline);
    double bestLength = -1;
    QPointF best((b.z0 + b.z1) / 2, (b.x0 + b.x1) / 2);
    for (double f : {0.5, 0.3, 0.7}) {
        const double x = b.x0 + (b.x1 - b.x0) * f;
        for (const deckmodel::Interval &run : deckmodel::runAlongZ(outline, x))
            if (run.to - run.from > bestLength + 1e-6) {
                bestLength = run.to - run.from;
                best = QPointF((run.from + run.to) / 2, x);
            }
    }
    return best; // (z, x)
}

// Every edge dimensioned outwards at the first tier; with `skipWhole`, not
// those as long as the outline is across (the overall dimension gives them).
void addEdgeDimensions(Sheet &sheet, const PlanFrame &frame, const deckmodel::Polygon &outline, bool skipWhole = false)
{
    const QPolygonF paper = frame.polygon(outline);
    const QRectF whole = paper.boundingRect();
    for (qsizetype i = 0; i < paper.size(); ++i) {
        const QPointF a = paper[i], b = paper[(i + 1) % paper.size()];
        const QLineF edge(a, b);
        if (edge.length() < 1e-6)
            continue;
        if (skipWhole && ((std::abs(a.y() - b.y()) < 1e-6 && std::abs(edge.length() - whole.width()) < 1e-6)
                          || (std::abs(a.x() - b.x()) < 1e-6 && std::abs(edge.length() - whole.height()) < 1e-6)))
            continue;
        const QPointF n = QPointF(b.y() - a.y(), a.x() - b.x()) / edge.length();
        const bool leftIsInside = paper.containsPoint((a + b) / 2 + n * 0.2, Qt::OddEvenFill);
        const double inches = edge.length() / frame.mmPerInch;
        addDimension(sheet, {a, b, leftIsInside ? -Tier1 : Tier1, inches, feetAndInchesFromInches(inches),
                             QStringLiteral("edge %1").arg(i + 1), true});
    }
}

void addOverall(Sheet &sheet, const PlanFrame &frame, const deckmodel::Box &b, bool frontAtLowX, double tier)
{
    // Along Z at the back, along X on the right.
    addChain(sheet, frame, true, frontAtLowX ? b.x1 : b.x0, {b.z0, b.z1}, frontAtLowX ? tier : -tier, 0,
             QStringLiteral("overall along Z"));
    addChain(sheet, frame, false, b.z1, {b.x0, b.x1}, -tier, 0, QStringLiteral("overall along X"));
}

// The guards' posts and rails and the stair's treads, stringers and
// handrail from above, light: they stand outside the outline. A top and a
// bottom rail seen from above are one outline, drawn once.
void addGuardsAndStair(Sheet &sheet, const PlanFrame &frame, const deckmodel::Deck &deck)
{
    std::vector<QRectF> drawn;
    for (const Member &m : deck.members) {
        if (m.kind != Kind::GuardPost && m.kind != Kind::GuardRail && m.kind != Kind::Handrail && m.kind != Kind::Tread)
            continue;
        const QPolygonF corners = frame.polygon(m.plan);
        const QRectF box = corners.boundingRect();
        const bool seen = std::any_of(drawn.begin(), drawn.end(), [&](const QRectF &r) {
            return std::abs(r.left() - box.left()) < 1e-6 && std::abs(r.top() - box.top()) < 1e-6
                   && std::abs(r.right() - box.right()) < 1e-6 && std::abs(r.bottom() - box.bottom()) < 1e-6;
        });
        if (seen)
            continue;
        drawn.push_back(box);
        addShape(sheet, corners, m.kind == Kind::GuardPost ? Weight::Medium : Weight::Light);
    }
}

// Where the stair leaves its edge: from the edge's first corner to the
// stair's near side, outside the edge, beside the stair (one tier further
// out where the edge has a dimension of its own).
void addStairPosition(Sheet &sheet, const PlanFrame &frame, const deckmodel::Deck &deck)
{
    const deckmodel::Stair &stair = deck.stair;
    if (!stair.present)
        return;
    const double nearInches = stair.layout.offsetInches - stair.layout.widthInches / 2;
    if (nearInches < 0.01)
        return;
    const deckmodel::Point side{stair.start.x + stair.along.x * nearInches, stair.start.z + stair.along.z * nearInches};
    const QPointF a = frame.at(stair.start), c = frame.at(side);
    const QLineF line(a, c);
    const QPointF n = QPointF(c.y() - a.y(), a.x() - c.x()) / line.length();
    const QPointF out = frame.at(stair.start.z + stair.out.z, stair.start.x + stair.out.x) - a;
    const double sign = n.x() * out.x() + n.y() * out.y() > 0 ? 1 : -1;
    // The edge has its own dimension unless it runs the whole way across.
    const deckmodel::Edge edge = deckmodel::edgeOf(deck.outline, stair.layout.edge);
    const deckmodel::Box b = deckmodel::bounds(deck.outline);
    const bool whole = (std::abs(edge.along.x) < 1e-9 && std::abs(edge.lengthInches - (b.z1 - b.z0)) < 1e-6)
                       || (std::abs(edge.along.z) < 1e-9 && std::abs(edge.lengthInches - (b.x1 - b.x0)) < 1e-6);
    addDimension(sheet, {a, c, sign * (whole ? Tier1 : Tier1 + TierStep), nearInches,
                         feetAndInchesFromInches(nearInches), QStringLiteral("stair from corner"), true});
}

// The stair and the guards in words, under the plan: one line.
QString planNotes(const deckmodel::Deck &deck)
{
    QStringList notes;
    const deckmodel::Stair &stair = deck.stair;
    if (stair.present)
        notes << QStringLiteral("Stair %1 wide, %2 risers, %3 treads of %4")
                     .arg(feetAndInchesFromInches(stair.layout.widthInches))
                     .arg(stair.risers)
                     .arg(stair.risers - 1)
                     .arg(lengthtext::inchesText(stair.treadInches));
    if (std::any_of(deck.members.begin(), deck.members.end(), [](const Member &m) { return m.name.startsWith(u"Guard post"); }))
        notes << QStringLiteral("guards %1 high outside the rim").arg(lengthtext::inchesText(deckmodel::GuardDesign::height));
    return notes.join(QStringLiteral("; "));
}

QString gapWords(double inches)
{
    return lengthtext::inchesText(inches);
}

} // namespace

QString markOf(Kind kind)
{
    switch (kind) {
    case Kind::Post: return QStringLiteral("P");
    case Kind::BeamPly: return QStringLiteral("B");
    case Kind::Joist: return QStringLiteral("J");
    case Kind::RimJoist: return QStringLiteral("R");
    case Kind::DeckingBoard: return QStringLiteral("D");
    case Kind::Block: return QStringLiteral("K");
    case Kind::Ledger: return QStringLiteral("L");
    default: break;
    }
    return QStringLiteral("M");
}

PlanFrame planFrameOf(const deckmodel::Deck &deck, const DrawingScale &scale)
{
    return {scale.mmPerInch(), deck.turned, deck.turnShiftInches};
}

QPolygonF PlanFrame::polygon(const deckmodel::Polygon &plan) const
{
    QPolygonF corners;
    for (const deckmodel::Point &p : plan)
        corners << at(p);
    return corners;
}

DeckSheetsInput sheetsInput(const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings, const SetFacts &facts)
{
    DeckSheetsInput in;
    in.deck = deck;
    in.settings = settings;
    in.footings = deckmodel::footingNeeds(deck, settings);
    in.takeoff = deckmodel::takeoffOf(deck, {settings, facts.wastePercent}, in.footings);
    for (const deckmodel::LumberRow &row : in.takeoff.lumber)
        in.lumber.emplace(row.kind, row.lumber);
    in.frontAtLowX = frontAtLowXOf(deck.parameters.deckType);
    // The spacing the most joists keep to their neighbour.
    std::vector<double> xs;
    for (const Member &m : deck.members)
        if (m.kind == Kind::Joist)
            xs.push_back(centreX(m));
    xs = distinct(xs);
    std::map<long, int> gaps;
    for (size_t i = 1; i < xs.size(); ++i)
        ++gaps[std::lround((xs[i] - xs[i - 1]) * 8)];
    int most = 0;
    for (const auto &[eighths, count] : gaps)
        if (count > most)
            most = count, in.joistSpacingInches = eighths / 8.0;
    in.facts = facts;
    return in;
}

void addChain(Sheet &sheet, const PlanFrame &frame, bool alongZ, double at, const std::vector<double> &stations,
              double offsetMm, double tierMm, const QString &chain)
{
    if (stations.size() < 2)
        return;
    auto point = [&](double s) { return alongZ ? frame.at(s, at) : frame.at(at, s); };
    const bool parts = stations.size() > 2;
    if (parts)
        for (size_t i = 1; i < stations.size(); ++i) {
            const double inches = stations[i] - stations[i - 1];
            addDimension(sheet, {point(stations[i - 1]), point(stations[i]), offsetMm, inches,
                                 feetAndInchesFromInches(inches), chain, false});
        }
    if (parts && tierMm == 0)
        return;
    const double inches = stations.back() - stations.front();
    addDimension(sheet, {point(stations.front()), point(stations.back()),
                         offsetMm + (parts ? (offsetMm < 0 ? -tierMm : tierMm) : 0), inches,
                         feetAndInchesFromInches(inches), chain, true});
}

void addFrontArrow(Sheet &sheet, const PlanFrame &frame, const deckmodel::Polygon &outline, bool frontAtLowX)
{
    const deckmodel::Box b = deckmodel::bounds(outline);
    const QPointF edge = frame.at((b.z0 + b.z1) / 2, frontAtLowX ? b.x0 : b.x1);
    const double out = frontAtLowX ? 1 : -1; // paper y grows towards the front at low X
    const QPointF tip = edge - QPointF(0, out * 1.5), tail = tip - QPointF(0, out * 9);
    addLine(sheet, tip, tail, Weight::Medium);
    addShape(sheet, QPolygonF{tip, tip - QPointF(-1.4, out * 3), tip - QPointF(1.4, out * 3)}, Weight::Medium, false,
             Fill::Black);
    placeText(sheet, {(tip + tail) / 2 + QPointF(2, 1.2), QStringLiteral("FRONT"), 2.5, Anchor::Start, 0, true},
              {0, -out * 4.6}, 4);
}

namespace {

// The front arrow of a plan, of a deck framed turned too.
void addFrontArrowOf(Sheet &sheet, const PlanFrame &frame, const DeckSheetsInput &in)
{
    const deckmodel::Deck &deck = in.deck;
    if (!deck.turned) {
        addFrontArrow(sheet, frame, deck.outline, in.frontAtLowX);
        return;
    }
    // Drawn where it stands: the outline turned back, in a frame without a turn.
    addFrontArrow(sheet, PlanFrame{frame.mmPerInch}, deckmodel::planPolygon(deck, deck.outline), in.frontAtLowX);
}

} // namespace

double addTable(Sheet &sheet, QPointF topLeft, const std::vector<QStringList> &rows, double heightMm)
{
    if (rows.empty())
        return topLeft.y();
    std::vector<double> widths;
    for (size_t r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            if (widths.size() <= size_t(c))
                widths.resize(size_t(c) + 1, 0);
            widths[size_t(c)] = std::max(widths[size_t(c)], textWidthMm(rows[r][c], heightMm, r == 0) + 3);
        }
    const double row = heightMm / 2.5 * 4.6;
    double total = 0;
    for (double w : widths)
        total += w;
    double y = topLeft.y();
    for (size_t r = 0; r < rows.size(); ++r) {
        double x = topLeft.x() + 1.5;
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            if (!rows[r][c].isEmpty())
                sheet.texts.push_back({QPointF(x, y + row - 1.2), rows[r][c], heightMm, Anchor::Start, 0, r == 0});
            x += widths[size_t(c)];
        }
        y += row;
        addLine(sheet, QPointF(topLeft.x(), y), QPointF(topLeft.x() + total, y), r == 0 ? Weight::Medium : Weight::Light);
    }
    addRect(sheet, QRectF(topLeft, QPointF(topLeft.x() + total, y)), Weight::Medium);
    return y;
}

Sheet deckPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale)
{
    const deckmodel::Deck &deck = in.deck;
    const deckmodel::DeckParameters &p = deck.parameters;
    Sheet sheet{.key = QStringLiteral("plan"), .title = QStringLiteral("Deck plan")};
    const PlanFrame frame = planFrameOf(deck, scale);
    const deckmodel::Box b = deckmodel::bounds(deck.outline);
    addShape(sheet, frame.polygon(deck.outline), Weight::Heavy);
    addGuardsAndStair(sheet, frame, deck);
    // Each length once: the edges the overall dimensions do not already give.
    addEdgeDimensions(sheet, frame, deck.outline, true);
    addOverall(sheet, frame, b, in.frontAtLowX, Tier1 + TierStep);
    addStairPosition(sheet, frame, deck);
    addFrontArrowOf(sheet, frame, in);
    addHouseOnPlan(sheet, frame, in, false);

    // The notes under the plan, the boards' direction as an arrow left of them.
    const QRectF extent = extentOf(sheet);
    // The boards run across the joists: along B, or along A where the deck is framed turned.
    const QString boards = QStringLiteral("%1 decking, %2 gaps, boards run along %3 (the arrow)")
                               .arg(in.lumberOf(Kind::DeckingBoard), gapWords(p.deckingGap),
                                    deck.turned ? QStringLiteral("A") : QStringLiteral("B"));
    const QPointF left(extent.left() + 8, extent.bottom() + 6);
    sheet.texts.push_back({left, QStringLiteral("Area: %1, top of decking %2 above grade")
                                     .arg(lengthtext::squareFeetText(deckmodel::area(deck.outline) / 144),
                                          feetAndInchesFromInches(p.height * 12)),
                           2.5, Anchor::Start, 0, true});
    sheet.texts.push_back({left + QPointF(0, 4.6), boards, 2.5});
    const QString more = planNotes(deck);
    if (!more.isEmpty())
        sheet.texts.push_back({left + QPointF(0, 9.2), more, 2.5});
    const QPointF arrow = left + QPointF(-4, 3.6);
    if (deck.turned) { // the boards run across the sheet
        const QPointF start = left + QPointF(-3, -3.2);
        addLine(sheet, start + QPointF(-12, 0), start, Weight::Light);
        for (double s : {-12.0, 0.0}) {
            const double head = s < 0 ? 2.6 : -2.6;
            addShape(sheet, QPolygonF{start + QPointF(s, 0), start + QPointF(s + head, -1), start + QPointF(s + head, 1)},
                     Weight::Light, false, Fill::Black);
        }
        return sheet;
    }
    addLine(sheet, arrow + QPointF(0, -6), arrow + QPointF(0, 6), Weight::Light);
    for (double s : {-1.0, 1.0})
        addShape(sheet, QPolygonF{arrow + QPointF(0, s * 6), arrow + QPointF(-1, s * 3.6), arrow + QPointF(1, s * 3.6)},
                 Weight::Light, false, Fill::Black);
    return sheet;
}

Sheet framingPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale)
{
    const deckmodel::Deck &deck = in.deck;
    Sheet sheet{.key = QStringLiteral("framing"), .title = QStringLiteral("Framing plan")};
    const PlanFrame frame = planFrameOf(deck, scale);
    const deckmodel::Box b = deckmodel::bounds(deck.outline);

    // Beams under the joists, dashed; posts under them, filled.
    for (const Member &m : deck.members) {
        switch (m.kind) {
        case Kind::DeckingBoard: break;
        case Kind::BeamPly: addShape(sheet, frame.polygon(m.plan), Weight::Medium, true); break;
        case Kind::Post: addShape(sheet, frame.polygon(m.plan), Weight::Medium, false, Fill::Black); break;
        case Kind::Joist: {
            const deckmodel::Box j = deckmodel::bounds(m.plan);
            if ((j.x1 - j.x0) * frame.mmPerInch >= 0.6)
                addShape(sheet, frame.polygon(m.plan), Weight::Medium);
            else
                addLine(sheet, frame.at(j.z0, (j.x0 + j.x1) / 2), frame.at(j.z1, (j.x0 + j.x1) / 2), Weight::Medium);
            break;
        }
        default: addShape(sheet, frame.polygon(m.plan), Weight::Medium); break;
        }
    }

    // Beam lines: their chain at the back with both cantilevers; the posts of
    // each kind of beam run, and its overhangs past the end posts, beside it.
    std::vector<double> lines{b.z0};
    lines.insert(lines.end(), deck.beamLines.begin(), deck.beamLines.end());
    lines.push_back(b.z1);
    addChain(sheet, frame, true, in.frontAtLowX ? b.x1 : b.x0, lines, in.frontAtLowX ? Tier1 : -Tier1, TierStep,
             QStringLiteral("beam lines"));
    const int plies = deck.parameters.beamPlies;
    std::vector<std::vector<double>> dimensioned;
    for (size_t i = 0; i < deck.beamLines.size(); ++i) {
        const double z = deck.beamLines[i];
        for (const deckmodel::Interval &run : deckmodel::runAlongX(deck.outline, z)) {
            std::vector<double> stations{run.from};
            for (const Member &m : deck.members)
                if (deckmodel::carriesBeam(m.kind) && std::abs(centreZ(m) - z) < 0.01 && centreX(m) > run.from - 0.01
                    && centreX(m) < run.to + 0.01)
                    stations.push_back(centreX(m));
            std::sort(stations.begin() + 1, stations.end());
            stations.push_back(run.to);
            // A run like one dimensioned already is not dimensioned again.
            if (std::find(dimensioned.begin(), dimensioned.end(), stations) == dimensioned.end()) {
                dimensioned.push_back(stations);
                addChain(sheet, frame, false, z, stations, -4, 5,
                         QStringLiteral("posts on beam line %1 from %2").arg(i + 1).arg(feetAndInchesFromInches(run.from)));
            }
            // The beam's words along it, left of it, else right of it.
            const QPointF middle = frame.at(z, run.from + (run.to - run.from) * 0.5);
            // Along the beam, upright where the beams run up the sheet; across
            // the sheet where the deck is framed turned.
            const bool across = frame.turned;
            SheetText label{middle + (across ? QPointF(0, -2.2) : QPointF(-2.2, 0)),
                            QStringLiteral("%1: (%2) %3 beam").arg(markOf(Kind::BeamPly)).arg(plies).arg(in.lumberOf(Kind::BeamPly)),
                            2.5, Anchor::Middle, across ? 0.0 : 90.0};
            if (placeTextIfClear(sheet, label, across ? QPointF(5, 0) : QPointF(0, 5), 12, true))
                continue;
            label.at = middle + (across ? QPointF(0, 2.2 + 2.5 / CapHeightPerEm * 0.78) : QPointF(2.2 + 2.5 / CapHeightPerEm * 0.78, 0));
            // With no room on a small scale, a beam like one labelled already goes without.
            const bool labelled = std::any_of(sheet.texts.begin(), sheet.texts.end(),
                                              [&](const SheetText &t) { return t.text == label.text; });
            if (!placeTextIfClear(sheet, label, across ? QPointF(5, 0) : QPointF(0, 5), 12, true) && !labelled)
                placeText(sheet, label);
        }
    }
    addChain(sheet, frame, false, b.z1, {b.x0, b.x1}, -(Tier1 + TierStep), 0, QStringLiteral("overall along X"));
    // Each beam splice a heavy tick across its line (the note under the plan names them).
    for (const BeamSplice &splice : beamSplices(deck)) {
        const QPointF at = frame.at(splice.z, splice.x);
        const QPointF tick = frame.turned ? QPointF(0, 3) : QPointF(3, 0);
        addLine(sheet, at - tick, at + tick, Weight::Heavy);
    }

    // The joists called out once, in the widest bay, with their direction.
    size_t widest = 1;
    for (size_t i = 1; i < lines.size(); ++i)
        if (lines[i] - lines[i - 1] >= lines[widest] - lines[widest - 1] - 0.01) // the last of the widest
            widest = i;
    const double bayZ = (lines[widest] + lines[widest - 1]) / 2;
    const double bayX = b.x0 + (b.x1 - b.x0) * 0.5;
    const QString joists = QStringLiteral("%1: %2 @ %3 o.c.").arg(markOf(Kind::Joist), in.lumberOf(Kind::Joist),
                                                                   lengthtext::inchesText(in.joistSpacingInches));
    const QPointF at = placeText(sheet, {frame.at(bayZ, bayX) + QPointF(0, -1.5), joists, 2.5, Anchor::Middle, 0, true},
                                 {0, -7}, 16, true);
    const double half = std::min(textWidthMm(joists, 2.5) / 2 + 3, (lines[widest] - lines[widest - 1]) * frame.mmPerInch / 2);
    if (frame.turned) {
        // The joists run up the sheet: the arrow upright, left of the words.
        const QPointF a = at + QPointF(-textWidthMm(joists, 2.5) / 2 - 2, -half), c = at + QPointF(-textWidthMm(joists, 2.5) / 2 - 2, half);
        addLine(sheet, a, c, Weight::Light);
        addShape(sheet, QPolygonF{a, a + QPointF(-0.9, 2.4), a + QPointF(0.9, 2.4)}, Weight::Light, false, Fill::Black);
        addShape(sheet, QPolygonF{c, c + QPointF(-0.9, -2.4), c + QPointF(0.9, -2.4)}, Weight::Light, false, Fill::Black);
    } else {
        const QPointF a = at + QPointF(-half, 1.5), c = at + QPointF(half, 1.5);
        addLine(sheet, a, c, Weight::Light);
        addShape(sheet, QPolygonF{a, a + QPointF(2.4, -0.9), a + QPointF(2.4, 0.9)}, Weight::Light, false, Fill::Black);
        addShape(sheet, QPolygonF{c, c + QPointF(-2.4, -0.9), c + QPointF(-2.4, 0.9)}, Weight::Light, false, Fill::Black);
    }

    // Rims and posts, once each, outside the front edge with a leader. A deck
    // framed turned has its front along the framing's low Z (or high Z).
    const double front = in.frontAtLowX ? b.x0 : b.x1, out = in.frontAtLowX ? 1 : -1;
    const double frontZ = in.frontAtLowX ? b.z0 : b.z1;
    // The point a share of the way along the front edge, from its left end.
    const auto onFront = [&](double share) {
        return frame.turned ? frame.at(frontZ, b.x1 - (b.x1 - b.x0) * share) : frame.at(b.z0 + (b.z1 - b.z0) * share, front);
    };
    const auto fromFront = [&](const Member &m) { return frame.turned ? std::abs(centreZ(m) - frontZ) : std::abs(centreX(m) - front); };
    auto callout = [&](QPointF target, double share, const QString &words) {
        const QPointF at = placeText(sheet, {onFront(share) + QPointF(0, out * 6 + (out > 0 ? 2.5 : 0)), words, 2.5,
                                             Anchor::Start}, {0, out * 4.6}, 4);
        addLine(sheet, target, at + QPointF(-0.8, out > 0 ? -2.8 : 0.8), Weight::Light);
    };
    callout(onFront(0.06), 0.1, QStringLiteral("%1: %2 rim joist").arg(markOf(Kind::RimJoist), in.lumberOf(Kind::RimJoist)));
    const Member *firstPost = nullptr;
    for (const Member &m : deck.members)
        if (m.kind == Kind::Post && (!firstPost || fromFront(m) < fromFront(*firstPost) - 0.01))
            firstPost = &m;
    if (firstPost)
        callout(frame.at(centreZ(*firstPost), centreX(*firstPost)), 0.6,
                QStringLiteral("%1: %2 post").arg(markOf(Kind::Post), in.lumberOf(Kind::Post)));
    // A deck too low for posts: its beams on deck blocks.
    const Member *firstBlock = nullptr;
    for (const Member &m : deck.members)
        if (m.kind == Kind::Block && (!firstBlock || fromFront(m) < fromFront(*firstBlock) - 0.01))
            firstBlock = &m;
    if (firstBlock)
        callout(frame.at(centreZ(*firstBlock), centreX(*firstBlock)), 0.6,
                QStringLiteral("%1: deck block, 11\" precast concrete, under the beam").arg(markOf(Kind::Block)));
    addFrontArrowOf(sheet, frame, in);
    addHouseOnPlan(sheet, frame, in, true);

    // The connectors in one line under the plan.
    const QRectF extent = extentOf(sheet);
    const QStringList notes = wrapText(connectorWords(in), std::max(extent.width() - 4, 100.0), 2.5);
    for (qsizetype i = 0; i < notes.size(); ++i)
        sheet.texts.push_back({QPointF(extent.left() + 4, extent.bottom() + 6 + 4.6 * double(i)), notes[i], 2.5});
    return sheet;
}

std::vector<BeamSplice> beamSplices(const deckmodel::Deck &deck)
{
    // Where a beam's run is longer than one length of stock, its joints as
    // the takeoff cuts them: over the last post within reach.
    std::vector<BeamSplice> splices;
    for (double z : deck.beamLines)
        for (const deckmodel::Interval &run : deckmodel::runAlongX(deck.outline, z)) {
            std::vector<double> posts;
            for (const Member &m : deck.members)
                if (m.kind == Kind::Post && std::abs(centreZ(m) - z) < 0.01 && centreX(m) > run.from - 0.01
                    && centreX(m) < run.to + 0.01)
                    posts.push_back(centreX(m) - run.from);
            double joint = run.from;
            const std::vector<double> cuts = deckmodel::cutLengths(run.to - run.from, posts);
            for (size_t c = 0; c + 1 < cuts.size(); ++c) {
                joint += cuts[c];
                const bool overPost = std::any_of(posts.begin(), posts.end(),
                                                  [&](double x) { return std::abs(x + run.from - joint) < 0.01; });
                splices.push_back({z, joint, overPost});
            }
        }
    return splices;
}

QString connectorWords(const DeckSheetsInput &in)
{
    // A joist's end cut along a 45-degree rim: an edge of its plan on neither axis.
    int skewed = 0;
    for (const Member &m : in.deck.members)
        if (m.kind == Kind::Joist)
            for (size_t i = 0; i < m.plan.size(); ++i) {
                const deckmodel::Point &a = m.plan[i], &c = m.plan[(i + 1) % m.plan.size()];
                skewed += std::abs(a.x - c.x) > 0.01 && std::abs(a.z - c.z) > 0.01;
            }
    const deckmodel::Takeoff &t = in.takeoff;
    QString words = QStringLiteral("Joist hangers at %1 joist ends on rims").arg(t.joistHangers);
    if (skewed > 0)
        words += QStringLiteral(", %1 of them skewed 45-degree hangers at the cut rims").arg(skewed);
    words += QStringLiteral("; joist ties at %1 joists on beams").arg(t.joistTies);
    const std::vector<BeamSplice> splices = beamSplices(in.deck);
    const auto overPosts = std::count_if(splices.begin(), splices.end(), [](const BeamSplice &s) { return s.overPost; });
    if (overPosts > 0)
        words += QStringLiteral("; %1 beam splices over posts (the heavy ticks)").arg(overPosts);
    if (splices.size() > size_t(overPosts))
        words += QStringLiteral("; %1 beam splices between posts").arg(splices.size() - size_t(overPosts));
    return words;
}

namespace {

struct FootingType {
    QString mark;
    double size = 0, thickness = 0;
    bool outside = false;
    double mostSquareFeet = 0;
    int count = 0;
};

QString sizeWords(const FootingType &t, deckmodel::FootingShape shape)
{
    if (t.outside)
        return QStringLiteral("by design");
    const QString s = lengthtext::inchesText(t.size);
    return shape == deckmodel::FootingShape::Round ? s + QStringLiteral(" dia.") : s + QStringLiteral(" x ") + s;
}

// One type per size and thickness, largest first.
std::vector<FootingType> footingTypes(const std::vector<deckmodel::FootingNeed> &needs)
{
    std::vector<FootingType> types;
    for (const deckmodel::FootingNeed &n : needs) {
        auto same = std::find_if(types.begin(), types.end(), [&](const FootingType &t) {
            return t.outside == n.outside && t.size == n.sizeInches && t.thickness == n.thicknessInches;
        });
        if (same == types.end())
            same = types.insert(types.end(), {QString(), n.sizeInches, n.thicknessInches, n.outside});
        same->mostSquareFeet = std::max(same->mostSquareFeet, n.tributarySquareFeet);
        ++same->count;
    }
    std::sort(types.begin(), types.end(), [](const FootingType &a, const FootingType &b) {
        return a.outside != b.outside ? a.outside : a.size != b.size ? a.size > b.size : a.thickness > b.thickness;
    });
    for (size_t i = 0; i < types.size(); ++i)
        types[i].mark = QStringLiteral("F%1").arg(i + 1);
    return types;
}

} // namespace

Sheet footingPlanSheet(const DeckSheetsInput &in, const DrawingScale &scale, bool withSchedule)
{
    const deckmodel::Deck &deck = in.deck;
    Sheet sheet{.key = QStringLiteral("footing"), .title = QStringLiteral("Footing plan")};
    const PlanFrame frame = planFrameOf(deck, scale);
    const deckmodel::Box b = deckmodel::bounds(deck.outline);
    addShape(sheet, frame.polygon(deck.outline), Weight::Light, true);
    for (double z : deck.beamLines)
        for (const deckmodel::Interval &run : deckmodel::runAlongX(deck.outline, z))
            addLine(sheet, frame.at(z, run.from), frame.at(z, run.to), Weight::Light, true);

    const std::vector<FootingType> types = footingTypes(in.footings);
    const bool round = in.settings.footing == deckmodel::FootingShape::Round;
    std::vector<double> zs;
    for (const Member &m : deck.members) {
        if (m.kind == Kind::Post)
            addShape(sheet, frame.polygon(m.plan), Weight::Medium, false, Fill::Black);
        if (m.kind == Kind::Block) // on its footing, drawn in outline
            addShape(sheet, frame.polygon(m.plan), Weight::Medium);
    }
    for (const deckmodel::FootingNeed &n : in.footings) {
        const QPointF c = frame.at(n.z, n.x);
        const double size = (n.outside ? deck.parameters.postSize + 8 : n.sizeInches) * frame.mmPerInch;
        if (round)
            sheet.circles.push_back({c, size / 2, Weight::Medium, n.outside});
        else
            addRect(sheet, QRectF(c - QPointF(size / 2, size / 2), QSizeF(size, size)), Weight::Medium, n.outside);
        const auto type = std::find_if(types.begin(), types.end(), [&](const FootingType &t) {
            return t.outside == n.outside && t.size == n.sizeInches && t.thickness == n.thicknessInches;
        });
        placeText(sheet, {c + QPointF(size / 2 + 0.8, -size / 2 - 0.8), type->mark, 2.5, Anchor::Start}, {0, 4.5}, 3);
        zs.push_back(n.z);
    }
    // Located from the back left corner: along Z at the back, along X on the left.
    std::vector<double> alongZ{b.z0};
    for (double z : distinct(zs))
        alongZ.push_back(z);
    alongZ.push_back(b.z1);
    addChain(sheet, frame, true, in.frontAtLowX ? b.x1 : b.x0, distinct(alongZ), in.frontAtLowX ? Tier1 : -Tier1,
             TierStep, QStringLiteral("footings along Z"));
    // Along X one chain per beam line, never the posts of two lines mixed: the
    // first on the left, any line whose footings stand elsewhere along its own line.
    std::vector<std::vector<double>> chained;
    int unchained = 0;
    for (size_t i = 0; i < deck.beamLines.size(); ++i) {
        std::vector<double> alongX;
        for (const deckmodel::FootingNeed &n : in.footings)
            if (std::abs(n.z - deck.beamLines[i]) < 0.01)
                alongX.push_back(n.x);
        if (alongX.empty())
            continue;
        alongX.push_back(b.x0);
        alongX.push_back(b.x1);
        alongX = distinct(alongX);
        if (std::find(chained.begin(), chained.end(), alongX) != chained.end())
            continue;
        const QString name = QStringLiteral("footings on beam line %1").arg(i + 1);
        if (chained.empty())
            addChain(sheet, frame, false, b.z0, alongX, Tier1, TierStep, name);
        else if (frame.mmPerInch >= 25.4 / 96 - 1e-9)
            addChain(sheet, frame, false, deck.beamLines[i], alongX, -4, 5, name);
        else
            ++unchained; // below 1/8" = 1'-0" their texts find no room inside the plan
        chained.push_back(alongX);
    }
    addFrontArrowOf(sheet, frame, in);
    addHouseOnPlan(sheet, frame, in, false);

    // The schedule under the plan, or a word where it went.
    const QRectF extent = extentOf(sheet);
    const double top = extent.bottom() + 7;
    double y = top;
    if (unchained > 0) {
        sheet.texts.push_back({QPointF(extent.left(), y),
                               QStringLiteral("Footings of %1 more beam lines: centred under the posts the framing plan locates.")
                                   .arg(unchained),
                               2.5});
        y += 6;
    }
    if (!withSchedule) {
        sheet.texts.push_back({QPointF(extent.left(), y), QStringLiteral("Footing schedule: on the schedule sheet."), 2.5});
        return sheet;
    }
    sheet.texts.push_back({QPointF(extent.left(), y), QStringLiteral("FOOTING SCHEDULE"), 2.5, Anchor::Start, 0, true});
    addTable(sheet, QPointF(extent.left(), y + 2), footingScheduleRows(in));
    return sheet;
}

std::vector<QStringList> footingScheduleRows(const DeckSheetsInput &in)
{
    std::vector<QStringList> rows{{QStringLiteral("Mark"), QStringLiteral("Size"), QStringLiteral("Thickness"),
                                   QStringLiteral("Bottom"), QStringLiteral("Tributary area"), QStringLiteral("Count")}};
    for (const FootingType &t : footingTypes(in.footings))
        rows.push_back({t.mark, sizeWords(t, in.settings.footing),
                        t.outside ? QStringLiteral("by design") : lengthtext::inchesText(t.thickness),
                        QStringLiteral("12\" min. below grade"),
                        QStringLiteral("up to ") + lengthtext::squareFeetText(t.mostSquareFeet), QString::number(t.count)});
    return rows;
}

Sheet stylePlanSheet(const deckmodel::Polygon &outline, int style, double widthFeet, const DrawingScale &scale)
{
    Sheet sheet{.key = QStringLiteral("plan"), .title = QStringLiteral("Deck plan")};
    const PlanFrame frame{scale.mmPerInch()};
    const deckmodel::Box b = deckmodel::bounds(outline);
    addShape(sheet, frame.polygon(outline), Weight::Heavy);
    addEdgeDimensions(sheet, frame, outline);
    addOverall(sheet, frame, b, true, Tier1 + TierStep);

    // The typed width where the style's picture letters it: under the outline.
    const QList<deckmodel::Outline> styles = deckmodel::deckStyles();
    if (style >= 1 && style <= styles.size()) {
        const deckmodel::Outline &picture = styles[style - 1];
        double gx0 = INFINITY;
        for (const QPointF &c : picture.corners)
            gx0 = std::min(gx0, c.x());
        for (const deckmodel::Dimension &d : picture.dimensions) {
            if (d.letter != u'A')
                continue;
            const double perGrid = widthFeet * 12 / std::abs(d.to.x() - d.from.x());
            const double z0 = b.z0 + (std::min(d.from.x(), d.to.x()) - gx0) * perGrid;
            const double inches = widthFeet * 12;
            addDimension(sheet, {frame.at(z0, b.x0), frame.at(z0 + inches, b.x0), -(Tier1 + TierStep), inches,
                                 QStringLiteral("A = ") + feetAndInchesFromInches(inches), QStringLiteral("typed width A"),
                                 true});
        }
    }
    const QPointF inside = insidePoint(outline);
    placeText(sheet, {frame.at(inside.x(), inside.y()),
                      QStringLiteral("Area: ") + lengthtext::squareFeetText(deckmodel::area(outline) / 144), 2.5,
                      Anchor::Middle, 0, true}, {0, 4.6}, 3);
    addFrontArrow(sheet, frame, outline, true);
    return sheet;
}

} // namespace deckview
