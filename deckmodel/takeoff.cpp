#include "takeoff.h"

#include "catalogue.h"
#include "lengthtext.h"
#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <map>

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
    case Kind::LandingPad: return {};
    }
    return {};
}

// Length along the member's run and the positions of its supports along it.
struct Run {
    double length = 0;
    std::vector<double> supports;
};

Run runOf(const Member &m, const Deck &deck)
{
    const Box b = bounds(m.plan);
    Run run;
    auto supportsAt = [&](Kind kind, bool alongX) {
        for (const Member &s : deck.members)
            if (s.kind == kind && overlapArea(m.plan, s.plan) > 1e-3) {
                const Box sb = bounds(s.plan);
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
        for (size_t i = 0; i < m.plan.size(); ++i) {
            const Point a = m.plan[i], c = m.plan[(i + 1) % m.plan.size()];
            run.length = std::max(run.length, std::hypot(c.x - a.x, c.z - a.z));
        }
        break;
    case Kind::Stringer:
    case Kind::Handrail:
    case Kind::LandingPad:
        break; // bought as sloped pieces, or not lumber
    case Kind::BeamPly:
        run.length = b.x1 - b.x0;
        supportsAt(Kind::Post, true);
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
    case Kind::RimJoist: {
        const Point a = m.plan[0], c = m.plan[1]; // the outer edge
        run.length = std::hypot(c.x - a.x, c.z - a.z);
        if (std::abs(c.z - a.z) < fit)
            supportsAt(Kind::Joist, true);
        else if (std::abs(c.x - a.x) < fit)
            for (double z : deck.beamLines)
                run.supports.push_back(z - b.z0);
        break;
    }
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

Takeoff takeoffOf(const Deck &deck)
{
    const DeckParameters &p = deck.parameters;
    Takeoff takeoff;
    takeoff.materials = p.materials;
    takeoff.deckingSquareFeet = area(deck.outline) / 144;

    // Cuts by kind and lumber, then packed into stock lengths, longest first:
    // a cut goes into the first bought length it still fits, else into a new
    // one of the shortest stock that holds it.
    std::map<std::pair<Kind, QString>, std::vector<double>> cuts;
    for (const Member &m : deck.members) {
        if (m.step > 0 || m.kind == Kind::LandingPad)
            continue; // the steps of a sloped piece are bought as the piece
        const Run run = runOf(m, deck);
        for (double cut : cutLengths(run.length, run.supports))
            cuts[{m.kind, lumberOf(m.kind, p)}].push_back(cut);
    }
    for (const SlopedPiece &piece : deck.slopedPieces)
        for (double cut : cutLengths(piece.lengthInches, {}))
            cuts[{piece.kind, lumberOf(piece.kind, p)}].push_back(cut);
    for (auto &[key, lengths] : cuts) {
        std::sort(lengths.rbegin(), lengths.rend());
        std::vector<std::pair<int, double>> bought; // stock feet, inches left
        for (double cut : lengths) {
            auto open = std::find_if(bought.begin(), bought.end(), [&](const auto &b) { return b.second >= cut - fit; });
            if (open == bought.end())
                open = bought.insert(bought.end(), {stockFor(cut), stockFor(cut) * 12.0});
            open->second -= cut;
        }
        std::map<int, int> byStock;
        for (const auto &b : bought)
            ++byStock[b.first];
        for (const auto &[feet, count] : byStock)
            takeoff.lumber.push_back({key.first, key.second, feet, count});
    }

    for (const Member &m : deck.members) {
        if (m.kind == Kind::DeckingBoard)
            for (const Member &s : deck.members) {
                const bool crossing = s.kind == Kind::Joist
                                      || (s.kind == Kind::RimJoist && std::abs(s.plan[1].z - s.plan[0].z) > fit);
                if (crossing && overlapArea(m.plan, s.plan) > 1e-3)
                    takeoff.deckScrews += 2;
            }
        if (m.kind == Kind::Joist)
            takeoff.joistHangers += endsOnRims(deck, m);
        if (m.kind == Kind::Post)
            for (const Member &s : deck.members)
                if (s.kind == Kind::BeamPly && std::abs(s.base - m.top()) < 1e-3
                    && overlapArea(s.plan, m.plan) > 1e-3)
                    takeoff.carriageBolts += 2;
        if (m.kind == Kind::GuardPost && m.base > 1e-3)
            takeoff.guardPostBolts += 2; // against a rim joist
        else if (m.kind == Kind::GuardPost)
            ++takeoff.postBases;         // on the ground or the pad
        if (m.kind == Kind::Baluster)
            takeoff.balusterScrews += 4;
        if (m.kind == Kind::LandingPad)
            takeoff.padCubicFeet += area(m.plan) * m.thickness / 1728;
    }
    addStairFasteners(takeoff, deck);
    return takeoff;
}

namespace {
// The guards' and the stair's fasteners that a deck has, by name.
std::vector<std::pair<QString, int>> extraFasteners(const Takeoff &t)
{
    std::vector<std::pair<QString, int>> all{{QStringLiteral("Guard post bolts"), t.guardPostBolts},
                                             {QStringLiteral("Post bases"), t.postBases},
                                             {QStringLiteral("Rail screws"), t.railScrews},
                                             {QStringLiteral("Baluster screws"), t.balusterScrews},
                                             {QStringLiteral("Stringer hangers"), t.stringerHangers},
                                             {QStringLiteral("Tread screws"), t.treadScrews}};
    all.erase(std::remove_if(all.begin(), all.end(), [](const auto &f) { return f.second == 0; }), all.end());
    return all;
}
} // namespace

QString takeoffText(const Takeoff &t)
{
    QString text;
    for (const LumberRow &row : t.lumber)
        text += QStringLiteral("%1 %2: %3 x %4 (%5)\n")
                    .arg(kindName(row.kind), row.lumber)
                    .arg(row.count)
                    .arg(lengthtext::feetAndInchesFromInches(row.stockFeet * 12),
                         lengthtext::feetAndInchesFromInches(row.linearFeet() * 12));
    text += QStringLiteral("Decking area: %1 square feet\n").arg(numbertext::generalNumber(std::round(t.deckingSquareFeet * 100) / 100));
    if (t.padCubicFeet > 0)
        text += QStringLiteral("Landing pad: %1 cubic feet of concrete\n").arg(numbertext::generalNumber(std::round(t.padCubicFeet * 100) / 100));
    text += QStringLiteral("Deck screws: %1\nJoist hangers: %2\nCarriage bolts: %3\n")
                .arg(t.deckScrews).arg(t.joistHangers).arg(t.carriageBolts);
    for (const auto &[name, count] : extraFasteners(t))
        text += QStringLiteral("%1: %2\n").arg(name == u"Guard post bolts" ? QStringLiteral("Guard post bolts (1/2 in through)") : name).arg(count);
    for (const QString &line : t.materials)
        text += QStringLiteral("Material list: %1\n").arg(line);
    return text;
}

std::vector<QStringList> takeoffRows(const Takeoff &t)
{
    std::vector<QStringList> rows{{QStringLiteral("item"), QStringLiteral("size"), QStringLiteral("stock length ft"),
                                   QStringLiteral("count"), QStringLiteral("total"), QStringLiteral("unit")}};
    for (const LumberRow &row : t.lumber)
        rows.push_back({kindName(row.kind), row.lumber, QString::number(row.stockFeet), QString::number(row.count),
                        QString::number(row.linearFeet()), QStringLiteral("linear ft")});
    const QString area = numbertext::generalNumber(std::round(t.deckingSquareFeet * 100) / 100);
    rows.push_back({QStringLiteral("Decking area"), {}, {}, {}, area, QStringLiteral("sq ft")});
    if (t.padCubicFeet > 0)
        rows.push_back({QStringLiteral("Landing pad"), QStringLiteral("concrete 4 in"), {}, QStringLiteral("1"),
                        numbertext::generalNumber(std::round(t.padCubicFeet * 100) / 100), QStringLiteral("cu ft")});
    rows.push_back({QStringLiteral("Deck screws"), {}, {}, QString::number(t.deckScrews), {}, {}});
    rows.push_back({QStringLiteral("Joist hangers"), {}, {}, QString::number(t.joistHangers), {}, {}});
    rows.push_back({QStringLiteral("Carriage bolts"), {}, {}, QString::number(t.carriageBolts), {}, {}});
    for (const auto &[name, count] : extraFasteners(t))
        rows.push_back({name, name == u"Guard post bolts" ? QStringLiteral("1/2 in through") : QString(), {},
                        QString::number(count), {}, {}});
    for (const QString &line : t.materials)
        rows.push_back({QStringLiteral("Material list"), line, {}, {}, {}, {}});
    return rows;
}

QByteArray takeoffCsv(const Takeoff &t)
{
    auto field = [](QString text) {
        if (text.contains(u',') || text.contains(u'"'))
            text = u'"' + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
        return text;
    };
    QStringList lines;
    for (QStringList row : takeoffRows(t)) {
        for (QString &cell : row)
            cell = field(cell);
        lines << row.join(u',');
    }
    return lines.join(QLatin1String("\r\n")).toLatin1() + "\r\n";
}

} // namespace deckmodel
