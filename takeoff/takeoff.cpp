#include "takeoff.h"

#include "catalogue.h"
#include "geometry.h"
#include "lengthtext.h"
#include "numbertext.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace deckmodel {

namespace {

constexpr double longestStock = 240; // inches
constexpr double fit = 1e-6;

// Nominal lumber sizes by the actual inches the file gives; an uncatalogued
// size by its inches.
QString nominal(double inches)
{
    const QString name = deckfile::nominalInches(inches);
    return name.isEmpty() ? numbertext::generalNumber(inches) + u'"' : name;
}

QString lumberOf(Kind kind, const DeckParameters &p)
{
    switch (kind) {
    case Kind::Post: return nominal(p.postSize) + u'x' + nominal(p.postSize);
    case Kind::BeamPly: return nominal(p.beamPly) + u'x' + nominal(p.beamHeight);
    case Kind::Joist:
    case Kind::RimJoist: return nominal(p.joistWidth) + u'x' + nominal(p.joistHeight);
    case Kind::DeckingBoard:
    case Kind::Tread: return nominal(p.deckingThickness) + u'x' + nominal(p.deckingWidth);
    // The guards' and the stair's own sizes (guards.h, stair.h).
    case Kind::GuardPost: return QStringLiteral("4x4");
    case Kind::GuardRail: return QStringLiteral("2x4");
    case Kind::Baluster:
    case Kind::Handrail: return QStringLiteral("2x2");
    case Kind::Stringer: return QStringLiteral("2x12");
    case Kind::LandingPad:
    case Kind::Block: return {}; // concrete, not lumber
    case Kind::Riser: return QStringLiteral("1x8");
    case Kind::Ledger: return nominal(p.joistWidth) + u'x' + nominal(std::max(p.joistHeight, ledgerLeastDepthInches()));
    case Kind::Hanger: return {}; // a connector, counted among the hangers
    }
    return {};
}

// Length along the member's run and the positions of its supports along it.
struct Run {
    double length = 0;
    std::vector<double> supports;
};

// `plans` holds each of the deck's members' plan boxes, in the members' order.
Run runOf(const Member &m, const PlanBox &plan, const Deck &deck, const std::vector<PlanBox> &plans)
{
    const Box b = plan.box;
    Run run;
    auto supportsAt = [&](Kind kind, bool alongX) {
        for (size_t i = 0; i < deck.members.size(); ++i)
            if (deck.members[i].kind == kind && overlapArea(plan, plans[i]) > 1e-3) {
                const Box &sb = plans[i].box;
                run.supports.push_back(alongX ? (sb.x0 + sb.x1) / 2 - b.x0 : (sb.z0 + sb.z1) / 2 - b.z0);
            }
    };
    switch (m.kind) {
    case Kind::Post:
    case Kind::GuardPost:
    case Kind::Baluster:
        run.length = m.thickness;
        break;
    case Kind::GuardRail:
    case Kind::Tread:
    case Kind::Riser:
        for (size_t i = 0; i < m.plan.size(); ++i) {
            const Point a = m.plan[i], c = m.plan[(i + 1) % m.plan.size()];
            run.length = std::max(run.length, std::hypot(c.x - a.x, c.z - a.z));
        }
        break;
    case Kind::Stringer:
    case Kind::Handrail:
    case Kind::LandingPad:
    case Kind::Block:
        break; // bought as sloped pieces, or not lumber
    case Kind::BeamPly:
        run.length = b.x1 - b.x0;
        supportsAt(Kind::Post, true);
        supportsAt(Kind::Block, true);
        break;
    case Kind::DeckingBoard:
        run.length = b.x1 - b.x0;
        supportsAt(Kind::Joist, true);
        break;
    case Kind::Joist:
        run.length = b.z1 - b.z0;
        for (double z : deck.beamLines)
            run.supports.push_back(z - b.z0);
        break;
    case Kind::RimJoist:
    case Kind::Ledger: {
        const Point a = m.plan[0], c = m.plan[1]; // the outer edge
        run.length = std::hypot(c.x - a.x, c.z - a.z);
        if (std::abs(c.z - a.z) < fit)
            supportsAt(Kind::Joist, true);
        else if (std::abs(c.x - a.x) < fit)
            for (double z : deck.beamLines)
                run.supports.push_back(z - b.z0);
        break;
    }
    case Kind::Hanger: break; // a connector, never a member
    }
    return run;
}

int stockFor(double inches)
{
    for (int feet = 8; feet < 20; feet += 2)
        if (inches <= feet * 12 + fit)
            return feet;
    return 20;
}

// The rails' and the stair's fasteners, from the records that group their pieces.
void addStairFasteners(Takeoff &takeoff, const Deck &deck)
{
    for (const GuardBay &bay : deck.guardBays)
        takeoff.railScrews += 4 * ((bay.topRail.empty() ? 0 : 1) + (bay.bottomRail.empty() ? 0 : 1));
    int stringers = 0, boards = 0;
    for (const SlopedPiece &piece : deck.slopedPieces)
        stringers += piece.kind == Kind::Stringer ? 1 : 0;
    for (const auto &tread : deck.stair.treads)
        boards += int(tread.size());
    takeoff.stringerHangers = stringers;
    takeoff.treadScrews = 2 * boards * stringers;
    takeoff.riserScrews = 2 * int(deck.stair.riserBoards.size()) * stringers;
}


// The footings by size, from the least footing under each post.
void addFootings(Takeoff &takeoff, const std::vector<FootingNeed> &needs, const CodeSettings &code)
{
    for (const FootingNeed &need : needs) {
        auto same = std::find_if(takeoff.footings.begin(), takeoff.footings.end(), [&](const FootingCount &f) {
            return f.outside == need.outside && f.sizeInches == need.sizeInches && f.thicknessInches == need.thicknessInches;
        });
        if (same == takeoff.footings.end())
            same = takeoff.footings.insert(takeoff.footings.end(),
                                           {code.footing, need.sizeInches, need.thicknessInches, 0, need.outside});
        ++same->count;
    }
    std::sort(takeoff.footings.begin(), takeoff.footings.end(),
              [](const FootingCount &a, const FootingCount &b) {
                  return std::pair(a.outside, a.sizeInches) < std::pair(b.outside, b.sizeInches);
              });
}

int bagsFor(double cubicFeet, double perBag)
{
    return int(std::ceil(cubicFeet / perBag - fit));
}

int boxesFor(int pieces, int perBox)
{
    return (pieces + perBox - 1) / perBox;
}

QString hundredths(double value)
{
    return numbertext::generalNumber(std::round(value * 100) / 100);
}

// "6 posts of 22 1/4", cut from 2 pieces of 8 ft": the cuts by length, longest first.
QString cutNote(Kind kind, const std::vector<double> &cuts, int count, int feet)
{
    std::vector<std::pair<QString, int>> byLength;
    for (double cut : cuts) {
        const QString text = lengthtext::inchesText(cut);
        if (byLength.empty() || byLength.back().first != text)
            byLength.push_back({text, 0});
        ++byLength.back().second;
    }
    QStringList parts;
    QString name = kindName(kind);
    name[0] = name[0].toLower();
    if (cuts.size() == 1)
        name = name.endsWith(QLatin1String("ies")) ? name.chopped(3) + u'y' : name.chopped(1);
    for (const auto &[text, n] : byLength)
        parts << (parts.isEmpty() ? QStringLiteral("%1 %2 of %3").arg(n).arg(name, text)
                                  : QStringLiteral("%1 of %2").arg(n).arg(text));
    return QStringLiteral("%1, cut from %2 %3 of %4 ft")
        .arg(parts.join(QStringLiteral(", ")))
        .arg(count)
        .arg(count == 1 ? QStringLiteral("piece") : QStringLiteral("pieces"))
        .arg(feet);
}

void addLumberRows(Takeoff &t, const std::vector<std::vector<double>> &pieces)
{
    const QString piece = QStringLiteral("piece");
    for (size_t i = 0; i < t.lumber.size(); ++i) {
        const LumberRow &row = t.lumber[i];
        QString note = cutNote(row.kind, pieces[i], row.count, row.stockFeet);
        if (row.kind == Kind::DeckingBoard)
            note += QStringLiteral("; %1 sq ft of deck").arg(hundredths(t.deckingSquareFeet));
        t.rows.push_back({Group::Lumber, kindName(row.kind), row.lumber, row.stockFeet, row.count, piece, note});
        // The decking's waste allowance: the boards alone, as the setting is
        // named; framing is counted piece by piece, its joints over supports.
        if (row.kind == Kind::DeckingBoard) {
            const int extra = int(std::ceil(row.count * t.wastePercent / 100 - fit));
            if (extra > 0)
                t.rows.push_back({Group::Lumber, kindName(row.kind), row.lumber, row.stockFeet, extra, piece,
                                  QStringLiteral("waste allowance: %1 % of %2, rounded up")
                                      .arg(numbertext::generalNumber(t.wastePercent))
                                      .arg(row.count),
                                  true});
        }
    }
    if (t.blocks > 0) {
        const QString &size = t.blockLumber;
        std::vector<double> cuts(size_t(t.blocks), t.blockInches);
        const int perPiece = std::max(1, int(std::floor(96 / t.blockInches + fit)));
        const int count = (t.blocks + perPiece - 1) / perPiece;
        t.rows.push_back({Group::Lumber, QStringLiteral("Blocking"), size, 8, count, piece,
                          QStringLiteral("%1 blocks of %2, one at each guard post on a rim joist, cut from %3 %4 of 8 ft")
                              .arg(t.blocks)
                              .arg(lengthtext::inchesText(t.blockInches))
                              .arg(count)
                              .arg(count == 1 ? QStringLiteral("piece") : QStringLiteral("pieces"))});
    }
}

QString plural(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

void addKneeBraceRow(Takeoff &t)
{
    if (t.kneeBraces == 0)
        return;
    const double inches = KneeBrace::legInches * std::sqrt(2.0);
    const int perPiece = int(std::floor(96 / inches + fit));
    const int count = (t.kneeBraces + perPiece - 1) / perPiece;
    t.rows.push_back({Group::Lumber, QStringLiteral("Knee braces"), QStringLiteral("2x4"), 8, count, QStringLiteral("piece"),
                      QStringLiteral("%1 knee braces of %2, two at each of the %3 corner posts, cut from %4 %5 of 8 ft")
                          .arg(t.kneeBraces)
                          .arg(lengthtext::inchesText(inches))
                          .arg(t.kneeBraces / 2)
                          .arg(count)
                          .arg(count == 1 ? QStringLiteral("piece") : QStringLiteral("pieces"))});
}

// A deck hung on the house: the ledger's lags or bolts (with their washers),
// the hold-downs with their rating and the flashing by length.
void addLedgerRows(Takeoff &t)
{
    const LedgerFastening &f = t.ledger;
    if (!f.present)
        return;
    const QString piece = QStringLiteral("piece");
    const bool lags = f.fastener == LedgerFastener::Lag;
    const QString item = lags ? QStringLiteral("Ledger lag screws") : QStringLiteral("Ledger bolts");
    const QString size = lags ? QStringLiteral("1/2 x 4 in") : QStringLiteral("1/2 x 5 in");
    if (f.outside) {
        TakeoffRow row{Group::Hardware, item, QStringLiteral("spaced by a designer"), 0, 0, piece,
                       QStringLiteral("Table R507.9.1.3(1) gives no spacing for this ledger")};
        row.byDesigner = true;
        t.rows.push_back(row);
    } else {
        const QString rows = QStringLiteral("at %1 on centre, staggered in two rows, %2 on %3")
                                 .arg(lengthtext::inchesText(f.spacingInches))
                                 .arg(f.count)
                                 .arg(f.boards == 1 ? QStringLiteral("1 ledger board") : QStringLiteral("%1 ledger boards").arg(f.boards));
        t.rows.push_back({Group::Hardware, item, size, 0, f.count, piece,
                          lags ? rows + QStringLiteral(", with a washer each")
                               : rows + QStringLiteral(", each with a nut and two washers")});
        if (f.fastener == LedgerFastener::BoltWashers)
            t.rows.push_back({Group::Hardware, QStringLiteral("Stacked washers"), QStringLiteral("1/2 in"), 0,
                              StackedWashersPerBolt * f.count, piece,
                              QStringLiteral("%1 behind the ledger at each bolt").arg(StackedWashersPerBolt)});
    }
    t.rows.push_back({Group::Hardware, QStringLiteral("Hold-downs"), QStringLiteral("1,500 lb"), 0, f.holdDowns, piece,
                      QStringLiteral("tension devices within 24 in of each end, a deck joist tied to a floor joist of the house")});
    const int flashing = std::max(1, int(std::ceil(f.flashingInches / (FlashingPieceFeet * 12) - fit)));
    t.rows.push_back({Group::Hardware, QStringLiteral("Ledger flashing"), QStringLiteral("0.019 in metal"), FlashingPieceFeet,
                      flashing, piece,
                      QStringLiteral("along the ledger's %1, lapped shingle-fashion")
                          .arg(lengthtext::feetAndInchesFromInches(f.flashingInches))});
}

void addHardwareRows(Takeoff &t)
{
    const QString piece = QStringLiteral("piece");
    auto add = [&](const QString &item, const QString &size, int count, const QString &unit, const QString &note) {
        if (count > 0)
            t.rows.push_back({Group::Hardware, item, size, 0, count, unit, note});
    };
    for (const auto &[size, count] : t.postBases)
        add(QStringLiteral("Post bases"), size, count, piece, QStringLiteral("one under each post on a footing or the pad"));
    add(QStringLiteral("Post caps"), t.postCapLumber, t.postCaps, piece,
        QStringLiteral("one on each post, beam to post"));
    add(QStringLiteral("Joist hangers"), t.blockLumber, t.joistHangers, piece,
        t.ledger.present ? QStringLiteral("one per joist end on a rim joist or the ledger")
                         : QStringLiteral("one per joist end on a rim joist"));
    add(QStringLiteral("Joist ties"), t.blockLumber, t.joistTies, piece,
        QStringLiteral("one per joist at each beam line under it"));
    add(QStringLiteral("Stringer hangers"), QStringLiteral("2x12"), t.stringerHangers, piece,
        QStringLiteral("one per stringer, at the rim joist"));
    add(QStringLiteral("Carriage bolts"), QStringLiteral("1/2 in"), t.carriageBolts, piece,
        QStringLiteral("two per beam ply on each post, with nut and washer"));
    add(QStringLiteral("Guard post bolts"), QStringLiteral("1/2 in"), t.guardPostBolts, piece,
        QStringLiteral("two through each guard post and its rim joist"));
    addLedgerRows(t);
    const int screws = t.deckScrews + t.treadScrews + t.riserScrews + t.balusterScrews;
    QStringList uses{QStringLiteral("%1 in the decking").arg(t.deckScrews)};
    if (t.treadScrews > 0)
        uses << QStringLiteral("%1 in the treads").arg(t.treadScrews);
    if (t.riserScrews > 0)
        uses << QStringLiteral("%1 in the riser boards").arg(t.riserScrews);
    if (t.balusterScrews > 0)
        uses << QStringLiteral("%1 in the balusters").arg(t.balusterScrews);
    add(QStringLiteral("Deck screws"), QStringLiteral("#10 x 2 1/2 in"), boxesFor(screws, DeckScrewsPerBox),
        QStringLiteral("box of %1").arg(DeckScrewsPerBox), plural(screws, "screw", "screws") + u':' + u' ' + uses.join(QStringLiteral(", ")));
    add(QStringLiteral("Rail screws"), QStringLiteral("#10 x 3 in"), boxesFor(t.railScrews, RailScrewsPerBox),
        QStringLiteral("box of %1").arg(RailScrewsPerBox), plural(t.railScrews, "screw", "screws") + QStringLiteral(", two per rail end"));
    add(QStringLiteral("Connector nails"), QStringLiteral("10d x 1 1/2 in"), boxesFor(t.connectorNails, ConnectorNailsPerBox),
        QStringLiteral("box of %1").arg(ConnectorNailsPerBox),
        plural(t.connectorNails, "nail", "nails") + QStringLiteral(": 10 a hanger, 6 a tie"));
    add(QStringLiteral("Beam nails"), QStringLiteral("10d x 3 in"), boxesFor(t.beamNails, BeamNailsPerBox),
        QStringLiteral("box of %1").arg(BeamNailsPerBox),
        plural(t.beamNails, "nail", "nails") + QStringLiteral(": two rows at 16 in along each pair of beam plies; a 1 lb box"));
}

void addConcreteRows(Takeoff &t)
{
    double cubicFeet = 0;
    int bags80 = 0, bags60 = 0;
    QStringList uses;
    int designed = 0;
    for (const FootingCount &f : t.footings) {
        if (f.outside) {
            // No table sizes it: a row that says so, bought but never priced.
            TakeoffRow row{Group::Concrete, QStringLiteral("Footings"), QStringLiteral("size by a designer"), 0, f.count,
                           QStringLiteral("footing"),
                           QStringLiteral("%1 more deck than Table R507.3.1 sizes footings for; the concrete "
                                          "mix below leaves %2 out")
                               .arg(f.count == 1 ? QStringLiteral("1 post carries") : QStringLiteral("%1 posts carry").arg(f.count),
                                    f.count == 1 ? QStringLiteral("it") : QStringLiteral("them"))};
            row.byDesigner = true;
            t.rows.push_back(row);
            designed += f.count;
            continue;
        }
        const int each80 = bagsFor(f.cubicFeetEach(), CubicFeetPer80LbBag);
        const int each60 = bagsFor(f.cubicFeetEach(), CubicFeetPer60LbBag);
        t.rows.push_back({Group::Concrete, QStringLiteral("Footings"),
                          QStringLiteral("%1 in %2, %3 in thick")
                              .arg(numbertext::generalNumber(f.sizeInches),
                                   f.shape == FootingShape::Round ? QStringLiteral("round") : QStringLiteral("square"),
                                   numbertext::generalNumber(f.thicknessInches)),
                          0, f.count, QStringLiteral("footing"),
                          QStringLiteral("%1 cu ft each, %2 cu ft in all; %3 of 80 lb or %4 of 60 lb each")
                              .arg(hundredths(f.cubicFeetEach()), hundredths(f.cubicFeetEach() * f.count),
                                   plural(each80, "bag", "bags"))
                              .arg(each60),
                          false, false});
        cubicFeet += f.cubicFeetEach() * f.count;
        bags80 += each80 * f.count;
        bags60 += each60 * f.count;
        uses << QStringLiteral("%1 for the footings").arg(each80 * f.count);
    }
    if (t.deckBlocks > 0)
        t.rows.push_back({Group::Concrete, QStringLiteral("Deck blocks"), QStringLiteral("11 in square"), 0,
                          t.deckBlocks, QStringLiteral("block"),
                          QStringLiteral("precast concrete, one on each footing under the beam where a post would "
                                         "stand: the deck is too low for posts"),
                          false, true}); // bought, unlike the footings dug and the pad poured
    if (t.padCubicFeet > 0) {
        const int pad80 = bagsFor(t.padCubicFeet, CubicFeetPer80LbBag);
        const int pad60 = bagsFor(t.padCubicFeet, CubicFeetPer60LbBag);
        t.rows.push_back({Group::Concrete, QStringLiteral("Landing pad"), QStringLiteral("concrete 4 in"), 0, 1,
                          QStringLiteral("pad"),
                          QStringLiteral("%1 cu ft; %2 of 80 lb or %3 of 60 lb")
                              .arg(hundredths(t.padCubicFeet), plural(pad80, "bag", "bags"))
                              .arg(pad60),
                          false, false});
        cubicFeet += t.padCubicFeet;
        bags80 += pad80;
        bags60 += pad60;
        uses << QStringLiteral("%1 for the landing pad").arg(pad80);
    }
    if (bags80 > 0)
        t.rows.push_back({Group::Concrete, QStringLiteral("Concrete mix"), QStringLiteral("80 lb"), 0, bags80,
                          QStringLiteral("bag"),
                          QStringLiteral("%1 cu ft: %2; or %3 bags of 60 lb")
                              .arg(hundredths(cubicFeet), uses.join(QStringLiteral(", ")))
                              .arg(bags60)
                              + (designed > 0 ? QStringLiteral("; not the %1 a designer sizes")
                                                    .arg(designed == 1 ? QStringLiteral("footing") : QStringLiteral("%1 footings").arg(designed))
                                              : QString())});
}
} // namespace

std::vector<double> cutLengths(double length, std::vector<double> supports)
{
    std::sort(supports.begin(), supports.end());
    std::vector<double> cuts;
    double from = 0;
    while (length - from > longestStock + fit) {
        double joint = from + longestStock; // no support within reach: a joint on blocking
        for (double s : supports)
            if (s > from + fit && s <= from + longestStock + fit)
                joint = s;
        cuts.push_back(joint - from);
        from = joint;
    }
    cuts.push_back(length - from);
    return cuts;
}

std::vector<const Member *> kneeBracePosts(const Deck &deck)
{
    std::vector<const Member *> corners;
    if (deck.beamLines.empty() || cornerPostInches(deck) <= KneeBrace::minPostInches + fit)
        return corners;
    const double first = *std::min_element(deck.beamLines.begin(), deck.beamLines.end());
    const double last = *std::max_element(deck.beamLines.begin(), deck.beamLines.end());
    for (double z : first == last ? std::vector<double>{first} : std::vector<double>{first, last}) {
        const Member *low = nullptr, *high = nullptr;
        for (const Member &m : deck.members) {
            if (m.kind != Kind::Post)
                continue;
            const Box b = bounds(m.plan);
            if (std::abs((b.z0 + b.z1) / 2 - z) > 0.01)
                continue;
            if (!low || b.x0 < bounds(low->plan).x0)
                low = &m;
            if (!high || b.x0 > bounds(high->plan).x0)
                high = &m;
        }
        for (const Member *m : {low, high})
            if (m && std::find(corners.begin(), corners.end(), m) == corners.end())
                corners.push_back(m);
    }
    return corners;
}

double cornerPostInches(const Deck &deck)
{
    double tallest = 0;
    for (const Member &m : deck.members)
        if (m.kind == Kind::Post)
            tallest = std::max(tallest, m.thickness);
    return tallest;
}

Takeoff takeoffOf(const Deck &deck, const TakeoffSettings &settings)
{
    return takeoffOf(deck, settings, footingNeeds(deck, settings.code));
}

Takeoff takeoffOf(const Deck &deck, const TakeoffSettings &settings, const std::vector<FootingNeed> &footings)
{
    const DeckParameters &p = deck.parameters;
    Takeoff takeoff;
    takeoff.wastePercent = settings.wastePercent;
    takeoff.materials = p.materials;
    takeoff.deckingSquareFeet = area(deck.outline) / 144;
    int beamPlyNails = 0;
    std::map<QString, int> bases;

    // Cuts by kind and lumber, then packed into stock lengths, longest first:
    // a cut goes into the first bought length it still fits, else into a new
    // one of the shortest stock that holds it.
    std::map<std::pair<Kind, QString>, std::vector<double>> cuts;
    // Each kind's lumber named once: the rows ask for it member by member.
    std::map<Kind, QString> lumberNames;
    const auto lumber = [&](Kind kind) -> const QString & {
        auto named = lumberNames.find(kind);
        if (named == lumberNames.end())
            named = lumberNames.emplace(kind, lumberOf(kind, p)).first;
        return named->second;
    };
    std::vector<std::vector<double>> pieces; // by lumber row: the cuts it yields
    // Members are compared pair by pair below: each plan's box worked out once.
    std::vector<PlanBox> plans;
    plans.reserve(deck.members.size());
    for (const Member &m : deck.members)
        plans.push_back(planBoxOf(m.plan));
    for (size_t i = 0; i < deck.members.size(); ++i) {
        const Member &m = deck.members[i];
        if (m.step > 0 || m.kind == Kind::LandingPad || m.kind == Kind::Block)
            continue; // the steps of a sloped piece are bought as the piece; concrete is no lumber
        const Run run = runOf(m, plans[i], deck, plans);
        const std::vector<double> lengths = cutLengths(run.length, run.supports);
        for (double cut : lengths)
            cuts[{m.kind, lumber(m.kind)}].push_back(cut);
    }
    for (const SlopedPiece &piece : deck.slopedPieces)
        for (double cut : cutLengths(piece.lengthInches, {}))
            cuts[{piece.kind, lumber(piece.kind)}].push_back(cut);
    for (auto &[key, lengths] : cuts) {
        std::sort(lengths.rbegin(), lengths.rend());
        struct Bought {
            int feet;
            double left;
        };
        std::vector<Bought> bought;
        std::map<int, std::vector<double>> cutFrom; // stock feet: the cuts from those lengths
        for (double cut : lengths) {
            auto open = std::find_if(bought.begin(), bought.end(), [&](const Bought &b) { return b.left >= cut - fit; });
            if (open == bought.end())
                open = bought.insert(bought.end(), {stockFor(cut), stockFor(cut) * 12.0});
            open->left -= cut;
            cutFrom[open->feet].push_back(cut);
        }
        std::map<int, int> byStock;
        for (const auto &b : bought)
            ++byStock[b.feet];
        for (const auto &[feet, count] : byStock) {
            takeoff.lumber.push_back({key.first, key.second, feet, count});
            pieces.push_back(cutFrom[feet]);
        }
    }

    for (size_t i = 0; i < deck.members.size(); ++i) {
        const Member &m = deck.members[i];
        if (m.kind == Kind::DeckingBoard)
            for (size_t j = 0; j < deck.members.size(); ++j) {
                const Member &s = deck.members[j];
                const bool crossing = s.kind == Kind::Joist
                                      || (s.kind == Kind::RimJoist && std::abs(s.plan[1].z - s.plan[0].z) > fit);
                if (crossing && overlapArea(plans[i], plans[j]) > 1e-3)
                    takeoff.deckScrews += 2;
            }
        if (m.kind == Kind::Joist) {
            takeoff.joistHangers += endsOnRims(deck, m);
            if (std::find(deck.ledger.hangers.begin(), deck.ledger.hangers.end(), m.name) != deck.ledger.hangers.end())
                ++takeoff.joistHangers;
            takeoff.joistTies += beamsUnder(deck, m);
        }
        if (m.kind == Kind::BeamPly) {
            const Box b = bounds(m.plan);
            beamPlyNails += 2 * (int(std::floor((b.x1 - b.x0) / 16 + fit)) + 1);
        }
        if (m.kind == Kind::Post)
            for (size_t j = 0; j < deck.members.size(); ++j)
                if (deck.members[j].kind == Kind::BeamPly && std::abs(deck.members[j].base - m.top()) < 1e-3
                    && overlapArea(plans[j], plans[i]) > 1e-3)
                    takeoff.carriageBolts += 2;
        if (m.kind == Kind::Post)
            ++takeoff.postCaps, takeoff.postCapLumber = lumber(m.kind);
        if (m.kind == Kind::GuardPost && m.base > 1e-3) {
            takeoff.guardPostBolts += 2; // against a rim joist
            ++takeoff.blocks;
        } else if (m.kind == Kind::GuardPost) {
            ++bases[lumber(m.kind)];
        }
        if (m.kind == Kind::Post)
            ++bases[lumber(m.kind)];
        if (m.kind == Kind::Baluster)
            takeoff.balusterScrews += 4;
        if (m.kind == Kind::Block)
            ++takeoff.deckBlocks;
        if (m.kind == Kind::LandingPad)
            takeoff.padCubicFeet += area(m.plan) * m.thickness / 1728;
    }
    addStairFasteners(takeoff, deck);
    for (const auto &[size, count] : bases)
        takeoff.postBases.push_back({size, count});
    // Each pair of plies nailed together: the nails of every ply after a beam's first.
    takeoff.beamNails = p.beamPlies > 1 ? beamPlyNails * (p.beamPlies - 1) / p.beamPlies : 0;
    takeoff.connectorNails = 10 * (takeoff.joistHangers + takeoff.stringerHangers) + 6 * takeoff.joistTies;
    takeoff.blockInches = p.joistSpacing - p.joistWidth;
    takeoff.blockLumber = lumberOf(Kind::Joist, p);
    takeoff.kneeBraces = 2 * int(kneeBracePosts(deck).size());
    takeoff.ledger = ledgerFastening(deck, settings.code);
    addFootings(takeoff, footings, settings.code);
    addLumberRows(takeoff, pieces);
    addKneeBraceRow(takeoff);
    addHardwareRows(takeoff);
    addConcreteRows(takeoff);
    return takeoff;
}

QString TakeoffRow::shownItem() const
{
    return allowance ? item + QStringLiteral(" (waste allowance)") : item;
}

PriceKey TakeoffRow::priceKey() const
{
    return {group == Group::Lumber ? LumberItem : item, size, lengthFeet > 0 ? QString::number(lengthFeet) : QString(), unit};
}

double FootingCount::cubicFeetEach() const
{
    const double face = shape == FootingShape::Round ? M_PI * sizeInches * sizeInches / 4 : sizeInches * sizeInches;
    return face * thicknessInches / 1728;
}

PricedTakeoff priceTakeoff(const Takeoff &t, const PriceList &prices)
{
    PricedTakeoff priced;
    for (const TakeoffRow &row : t.rows) {
        const std::optional<double> price = row.bought && !row.byDesigner ? prices.price(row.priceKey()) : std::nullopt;
        priced.unitPrices.push_back(price);
        if (row.bought && !price)
            ++priced.unpriced;
        if (!price)
            continue;
        const double line = *price * row.count;
        (row.group == Group::Lumber ? priced.lumber : row.group == Group::Hardware ? priced.hardware : priced.concrete) += line;
    }
    return priced;
}

namespace {
QString money(double value)
{
    return QString::number(value, 'f', 2);
}
} // namespace

QString takeoffText(const Takeoff &t)
{
    QString text;
    for (const TakeoffRow &row : t.rows) {
        text += QStringLiteral("%1 %2").arg(row.shownItem(), row.size).trimmed();
        if (row.lengthFeet > 0)
            text += u' ' + lengthtext::feetAndInchesFromInches(row.lengthFeet * 12);
        text += QStringLiteral(": %1 %2 (%3)\n").arg(row.count).arg(row.unit, row.note);
    }
    for (const QString &line : t.materials)
        text += QStringLiteral("The wizard's notes: %1\n").arg(line);
    return text;
}

std::vector<QStringList> totalRows(const PricedTakeoff &priced)
{
    return {{QStringLiteral("Subtotal lumber"), money(priced.lumber), {}},
            {QStringLiteral("Subtotal hardware"), money(priced.hardware), {}},
            {QStringLiteral("Subtotal concrete"), money(priced.concrete), {}},
            {QStringLiteral("Total"), money(priced.total()), unpricedWords(priced)}};
}

QString unpricedWords(const PricedTakeoff &priced)
{
    if (priced.unpriced == 0)
        return {};
    return priced.unpriced == 1 ? QStringLiteral("1 row has no price")
                                : QStringLiteral("%1 rows have no price").arg(priced.unpriced);
}

QString amountText(double value)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(value, 'f', 2);
}

QString totalLine(const PricedTakeoff &priced)
{
    const QString unpriced = unpricedWords(priced);
    return QStringLiteral("Total ") + amountText(priced.total())
        + (unpriced.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unpriced));
}

std::vector<QStringList> takeoffRows(const Takeoff &t, const PriceList &prices)
{
    std::vector<QStringList> rows{{QStringLiteral("item"), QStringLiteral("size"), QStringLiteral("length ft"),
                                   QStringLiteral("count"), QStringLiteral("unit"), QStringLiteral("unit price"),
                                   QStringLiteral("line total"), QStringLiteral("note")}};
    const PricedTakeoff priced = priceTakeoff(t, prices);
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const TakeoffRow &row = t.rows[i];
        const std::optional<double> price = priced.unitPrices[i];
        rows.push_back({row.shownItem(), row.size, row.lengthFeet > 0 ? QString::number(row.lengthFeet) : QString(),
                        QString::number(row.count), row.unit,
                        price ? money(*price) : row.bought ? QStringLiteral("no price") : QString(),
                        price ? money(*price * row.count) : QString(), row.note});
    }
    for (const QStringList &total : totalRows(priced))
        rows.push_back({total[0], {}, {}, {}, {}, {}, total[1], total[2]});
    return rows;
}

QByteArray takeoffCsv(const Takeoff &t, const PriceList &prices)
{
    auto field = [](QString text) {
        if (text.contains(u',') || text.contains(u'"'))
            text = u'"' + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
        return text;
    };
    QStringList lines;
    for (QStringList row : takeoffRows(t, prices)) {
        for (QString &cell : row)
            cell = field(cell);
        lines << row.join(u',');
    }
    if (!t.materials.isEmpty()) {
        lines << QString() << QStringLiteral("The wizard's notes");
        for (const QString &line : t.materials)
            lines << field(line);
    }
    return lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n";
}

} // namespace deckmodel
