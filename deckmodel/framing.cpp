// Framing a deck from the parameter file's values, top down: the decking
// under the deck height, joists and rim joists under the decking, doubled
// beams under the joists, posts from the ground to the beams. Every member
// is a strip of the plan clipped to the outline, so members along a cut end
// on the cut.
#include "framing.h"

#include "guards.h"
#include "catalogue.h"
#include "membername.h"
#include "plan.h"
#include "stair.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace deckmodel {

namespace {

constexpr int maxMembers = 5000;
// A ledger hanger's shape: sheet metal this thick, its flanges this far past
// the joist's sides, its sides this long along the joist.
constexpr double HangerMetalInches = 0.0625;
constexpr double HangerFlangeInches = 1.25;
constexpr double HangerLengthInches = 3;
// The least a member may be across: thinner ones could not be cut, and the
// geometry kernel cannot make a solid of (almost) no size.
constexpr double leastMember = 0.25;

// The pieces of the polygon within the strip lo..hi across a run along X
// (or along Z). Runs found on the strip's two edges and its middle that
// overlap make one piece, so a strip across an inside corner stays whole.
std::vector<Polygon> stripPieces(const Polygon &polygon, bool alongX, double lo, double hi)
{
    const double eps = std::min(1e-4, (hi - lo) / 4);
    std::vector<Interval> runs;
    for (double at : {lo + eps, (lo + hi) / 2, hi - eps}) {
        const std::vector<Interval> found = alongX ? runAlongX(polygon, at) : runAlongZ(polygon, at);
        runs.insert(runs.end(), found.begin(), found.end());
    }
    std::sort(runs.begin(), runs.end(), [](const Interval &a, const Interval &b) { return a.from < b.from; });
    std::vector<Interval> merged;
    for (const Interval &run : runs) {
        if (!merged.empty() && run.from <= merged.back().to + 1e-6)
            merged.back().to = std::max(merged.back().to, run.to);
        else
            merged.push_back(run);
    }
    // A 45-degree end reaches at most the strip's width past the middle's run.
    const double margin = (hi - lo) + 0.01;
    std::vector<Polygon> pieces;
    for (const Interval &run : merged) {
        const Box box = alongX ? Box{run.from - margin, run.to + margin, lo, hi}
                               : Box{lo, hi, run.from - margin, run.to + margin};
        Polygon piece = clip(polygon, box);
        if (area(piece) > 1e-3)
            pieces.push_back(counterClockwise(piece));
    }
    return pieces;
}

// Evenly spaced stations from `from` to `to`, at most `spacing` apart; one in
// the middle where the two ends cross.
std::vector<double> stations(double from, double to, double spacing)
{
    if (to - from < 1e-6)
        return {(from + to) / 2};
    const int gaps = int(std::ceil((to - from) / spacing - 1e-9));
    std::vector<double> at;
    for (int i = 0; i <= gaps; ++i)
        at.push_back(from + (to - from) * i / gaps);
    return at;
}

Polygon square(double x, double z, double size)
{
    const double h = size / 2;
    return {{x - h, z - h}, {x + h, z - h}, {x + h, z + h}, {x - h, z + h}};
}

// Sizes that cannot be framed: the refusal's record goes to `findings`, its
// sentence into the failure.
jm::Failure refused(Finding finding, std::vector<Finding> *findings)
{
    jm::Failure failed = jm::failure(sentence(finding));
    if (findings)
        findings->push_back(std::move(finding));
    return failed;
}

// Members of one kind set closer than their own width would stand in each
// other: such sizes are refused, and what was framed of the deck is dropped.
Finding crowded(Rule rule, const DeckParameters &p, double width, double apart, int firstLine, int secondLine)
{
    return {rule, p.fileName, {}, {firstLine, secondLine}, {width, apart}};
}

// The closest two neighbours of a sorted list of stations, or infinity.
double closest(const std::vector<double> &at)
{
    double gap = INFINITY;
    for (size_t i = 1; i < at.size(); ++i)
        gap = std::min(gap, at[i] - at[i - 1]);
    return gap;
}

void add(Deck &deck, Kind kind, const QString &name, Polygon plan, double base, double thickness)
{
    deck.members.push_back({kind, name, std::move(plan), base, thickness});
}

} // namespace

double ledgerLeastDepthInches()
{
    static const double depth = deckfile::lumberNamed(u"2x8")->depthInches;
    return depth;
}

jm::Result<Deck> frameDeck(const DeckParameters &p, const Extras &extras, std::vector<Finding> *findings)
{
    if (findings)
        findings->clear();
    const jm::Result<Polygon> plan = shapePlan(p.deckType, p.depthA, p.widthB);
    if (!plan)
        return plan.failure();
    // Every member's size, before anything is made of it.
    const std::pair<double, int> sizes[] = {{p.postSize, 7},    {p.beamHeight, 9},        {p.beamPly, 10},
                                            {p.joistHeight, 12}, {p.joistWidth, 14},      {p.deckingThickness, 16},
                                            {p.deckingWidth, 17}};
    for (const auto &[size, line] : sizes)
        if (!(size >= leastMember))
            return refused({Rule::MemberTooThin, p.fileName, {}, {line}, {size, leastMember}}, findings);
    const double deckTop = p.height * 12;
    const double joistTop = deckTop - p.deckingThickness;
    const double beamTop = joistTop - p.joistHeight;
    const double beamBottom = beamTop - p.beamHeight;
    if (beamBottom < 0)
        return refused({Rule::TooLow, p.fileName, {}, {3, 9, 12, 16}, {p.height, deckTop - beamBottom}}, findings);

    Deck deck;
    deck.parameters = p;
    deck.outline = *plan;
    // Hung on the house along an edge facing front or back: framed turned a
    // quarter turn, so that the joists run from that edge and hang on it.
    const Attachment &attach = extras.attachment;
    if (attach.attached && carriesLedger(attach.to) && attach.edge >= 0 && attach.edge < int(plan->size())
        && std::abs(std::abs(edgeOf(*plan, attach.edge).out.x) - 1) < 1e-6) {
        deck.turned = true;
        deck.turnShiftInches = bounds(*plan).z1;
        for (Point &corner : deck.outline)
            corner = {deck.turnShiftInches - corner.z, corner.x};
    }
    const Polygon &outline = deck.outline;
    // The stair in no place of its own leaves a deck hung on the house along
    // its front edge on the edge facing the other way.
    StairLayout stairAsked = extras.stair;
    if (attach.attached && stairAsked.edge < 0 && attach.edge == frontEdge(p.deckType, *plan)) {
        const Point away = edgeOf(*plan, attach.edge).out;
        double longest = 0;
        for (int i = 0; i < int(plan->size()); ++i) {
            const Edge e = edgeOf(*plan, i);
            if (std::abs(e.out.x + away.x) < 1e-6 && std::abs(e.out.z + away.z) < 1e-6 && e.lengthInches > longest)
                stairAsked.edge = i, longest = e.lengthInches;
        }
    }
    const Box extent = bounds(outline);
    // A hand-edited file may ask for millions of members: refuse it first.
    const double width = extent.x1 - extent.x0, depth = extent.z1 - extent.z0;
    const double members = width / p.joistSpacing + depth / (p.deckingWidth + p.deckingGap)
                           + (depth / (p.beamSpacing * 12) + 2) * (width / (p.postSpacing * 12) + 4);
    if (members > maxMembers)
        return refused({Rule::TooManyMembers, p.fileName, {}, {1, 2, 6, 8, 15, 17, 18}, {members, double(maxMembers)}},
                       findings);

    // The house's edge, where the deck hangs on one: it must carry a ledger,
    // lie across the joists and run the deck's whole depth. The stair's edge
    // is the one the deck's own plan names (the turn keeps every edge's number).
    if (attach.attached) {
        if (!carriesLedger(attach.to))
            return refused({Rule::LedgerNotAllowed, p.fileName, {}, {}, {double(int(attach.to))}}, findings);
        if (attach.edge < 0 || attach.edge >= int(outline.size()))
            return refused({Rule::LedgerOffDeck, p.fileName, {}, {}, {double(attach.edge) + 1, double(outline.size())}},
                           findings);
        const Edge e = edgeOf(outline, attach.edge);
        if (std::abs(std::abs(e.out.z) - 1) > 1e-6)
            return refused({Rule::LedgerEdgeAskew, p.fileName, {}, {}, {double(attach.edge) + 1}}, findings);
        const double side = e.out.z < 0 ? extent.z0 : extent.z1;
        if (e.lengthInches < width - 1e-6 || std::abs(e.start.z - side) > 1e-6)
            return refused({Rule::LedgerEdgeShort, p.fileName, {}, {}, {e.lengthInches, width}}, findings);
        if (extras.stair.present && resolvedLayout(stairAsked, p.deckType, *plan).edge == attach.edge)
            return refused({Rule::LedgerUnderStair, p.fileName, {}, {}, {double(attach.edge) + 1}}, findings);
    }
    const bool ledgerLeft = attach.attached && edgeOf(outline, attach.edge).out.z < 0;
    const bool ledgerRight = attach.attached && !ledgerLeft;

    // Beam lines along X, the outer ones set in by the Z overhang; two plies
    // each, side by side on the line; posts under each beam, the outer ones
    // set in by the X overhang. The ledger takes the place of the beam line
    // along the house: the lines are spaced from its middle, and it is dropped.
    deck.beamLines = stations(ledgerLeft ? extent.z0 + p.joistWidth / 2 : extent.z0 + p.overhangZ * 12,
                              ledgerRight ? extent.z1 - p.joistWidth / 2 : extent.z1 - p.overhangZ * 12, p.beamSpacing * 12);
    if (deck.beamLines.size() > 1 && ledgerLeft)
        deck.beamLines.erase(deck.beamLines.begin());
    if (deck.beamLines.size() > 1 && ledgerRight)
        deck.beamLines.pop_back();
    const double lineGap = closest(deck.beamLines);
    const double beamWidth = p.beamPlies * p.beamPly;
    if (lineGap < beamWidth)
        return refused(crowded(Rule::BeamLinesCrowded, p, beamWidth, lineGap, 8, 10), findings);
    // What stands under the beams: posts, or on a low deck, deck blocks.
    const bool onBlocks = beamBottom < leastPostInches;
    const double supportSize = onBlocks ? blockSizeInches : p.postSize;
    if (lineGap < supportSize)
        return refused(crowded(Rule::BeamLinesUnderPosts, p, supportSize, lineGap, 7, 8), findings);
    int beam = 0, post = 0;
    for (double z : deck.beamLines) {
        // The plies side by side, centred on the line.
        std::vector<std::vector<Polygon>> plies;
        for (int ply = 0; ply < p.beamPlies; ++ply) {
            const double from = z - beamWidth / 2 + ply * p.beamPly;
            plies.push_back(stripPieces(outline, true, from, from + p.beamPly));
        }
        size_t pieces = plies.front().size();
        for (const auto &ply : plies)
            pieces = std::min(pieces, ply.size());
        for (size_t i = 0; i < pieces; ++i) {
            ++beam;
            for (int ply = 0; ply < p.beamPlies; ++ply)
                add(deck, Kind::BeamPly, QStringLiteral("Beam %1 ply %2").arg(beam).arg(ply + 1), plies[ply][i],
                    beamBottom, p.beamHeight);
        }
        for (const Interval &run : runAlongX(outline, z)) {
            const std::vector<double> posts = stations(run.from + p.overhangX * 12, run.to - p.overhangX * 12, p.postSpacing * 12);
            if (closest(posts) < supportSize)
                return refused(crowded(Rule::PostsCrowded, p, supportSize, closest(posts), 6, 7), findings);
            // Too low for posts: the beam rests on deck blocks set into the ground.
            if (onBlocks) {
                const double tall = std::max(blockHeightInches, beamBottom);
                for (double x : posts)
                    add(deck, Kind::Block, QStringLiteral("Deck block %1").arg(++post), square(x, z, blockSizeInches),
                        beamBottom - tall, tall);
                continue;
            }
            for (double x : posts)
                add(deck, Kind::Post, QStringLiteral("Post %1").arg(++post), square(x, z, p.postSize), 0, beamBottom);
        }
    }
    if (p.joistSpacing < p.joistWidth)
        return refused(crowded(Rule::JoistsCrowded, p, p.joistWidth, p.joistSpacing, 14, 15), findings);

    // Rim joists along every edge, mitred at the corners; joists inside them.
    const Polygon inside = inset(outline, p.joistWidth);
    // Along the house the ledger instead: the joists' top, at least a 2x8 and
    // at least as deep as the joists.
    for (size_t i = 0; i < outline.size(); ++i) {
        const size_t j = (i + 1) % outline.size();
        if (attach.attached && int(i) == attach.edge) {
            Ledger &ledger = deck.ledger;
            const Edge e = edgeOf(outline, int(i));
            ledger.present = true;
            ledger.attachment = attach;
            ledger.member = QStringLiteral("Ledger");
            ledger.start = e.start;
            ledger.along = e.along;
            ledger.out = e.out;
            ledger.lengthInches = e.lengthInches;
            ledger.depthInches = std::max(p.joistHeight, ledgerLeastDepthInches());
            ledger.thicknessInches = p.joistWidth;
            ledger.topInches = joistTop;
            add(deck, Kind::Ledger, ledger.member, {outline[i], outline[j], inside[j], inside[i]},
                joistTop - ledger.depthInches, ledger.depthInches);
            ledger.houseWall = stripRectangle(e.start, e.along, e.out, -HouseWallPastEndsInches,
                                              e.lengthInches + HouseWallPastEndsInches, 0, HouseWallThicknessInches);
            ledger.houseWallTopInches = deckTop + HouseWallAboveDeckInches;
            continue;
        }
        add(deck, Kind::RimJoist, QStringLiteral("Rim joist %1").arg(i + 1),
            {outline[i], outline[j], inside[j], inside[i]}, beamTop, p.joistHeight);
    }
    int joist = 0;
    const Box inner = bounds(inside);
    for (double x = extent.x0 + p.joistSpacing; x + p.joistWidth / 2 <= inner.x1 + 1e-9; x += p.joistSpacing) {
        if (x - p.joistWidth / 2 < inner.x0 - 1e-9)
            continue;
        for (const Polygon &piece : stripPieces(inside, false, x - p.joistWidth / 2, x + p.joistWidth / 2)) {
            const Box b = bounds(piece);
            if (b.z1 - b.z0 >= 2 * p.joistWidth)
                add(deck, Kind::Joist, numbered(u"Joist", ++joist), piece, beamTop, p.joistHeight);
        }
    }

    // A hanger at each joist end that meets the ledger's face.
    if (deck.ledger.present) {
        const double face = ledgerLeft ? extent.z0 + p.joistWidth : extent.z1 - p.joistWidth;
        for (const Member &m : deck.members) {
            const Box b = bounds(m.plan);
            if (m.kind != Kind::Joist || std::abs((ledgerLeft ? b.z0 : b.z1) - face) >= 1e-3)
                continue;
            deck.ledger.hangers.push_back(m.name);
            // Across the joist u, into the deck from the ledger's face v; the
            // back strip behind the joist's end holds the two sides together.
            const double w = b.x1 - b.x0, centre = (b.x0 + b.x1) / 2, into = ledgerLeft ? 1 : -1;
            const double h = w / 2 + HangerMetalInches, f = h + HangerFlangeInches;
            const double t = HangerMetalInches, l = HangerLengthInches;
            Polygon plan;
            for (const auto &[u, v] : std::initializer_list<std::pair<double, double>>{
                     {-f, -t}, {f, -t}, {f, t}, {h, t}, {h, l}, {w / 2, l}, {w / 2, 0}, {-w / 2, 0}, {-w / 2, l}, {-h, l},
                     {-h, t}, {-f, t}})
                plan.push_back({centre + u, face + into * v});
            deck.ledger.hangerSolids.push_back({Kind::Hanger, QStringLiteral("Ledger hanger %1").arg(deck.ledger.hangers.size()),
                                                counterClockwise(plan), m.base, m.thickness - 1});
        }
    }

    // Decking boards along X, side by side along Z with the gap between.
    int board = 0;
    for (double z = extent.z0; z < extent.z1 - 0.01; z += p.deckingWidth + p.deckingGap)
        for (const Polygon &piece : stripPieces(outline, true, z, std::min(z + p.deckingWidth, extent.z1)))
            add(deck, Kind::DeckingBoard, numbered(u"Decking board", ++board), piece, joistTop,
                p.deckingThickness);

    // The stair's place first, so that the guards leave its opening.
    if (extras.stair.present) {
        const StairLayout layout = resolvedLayout(stairAsked, p.deckType, *plan);
        if (std::optional<Finding> refusal = stairRefusal(deck, layout))
            return refused(std::move(*refusal), findings);
        placeStair(deck, layout);
    }
    GuardNumbers numbers;
    if (guardsWanted(p, extras.guardsBelow30))
        addGuards(deck, numbers);
    // Every member counts towards the most a deck has: the guards as made,
    // the stair before it is made.
    if (const double count = double(deck.members.size()) + (deck.stair.present ? stairMembers(deck, deck.stair.layout) : 0);
        count > maxMembers) {
        const bool framing = double(deck.members.size()) > maxMembers;
        return refused({Rule::TooManyMembers, p.fileName, {}, framing ? std::vector<int>{1, 2, 3} : std::vector<int>{},
                        {count, double(maxMembers)}},
                       findings);
    }
    if (std::optional<Finding> blocked = addStair(deck, numbers))
        return refused(std::move(*blocked), findings);
    if (deck.members.size() > size_t(maxMembers))
        return refused({Rule::TooManyMembers, p.fileName, {}, {}, {double(deck.members.size()), double(maxMembers)}},
                       findings);
    return deck;
}

jm::Result<Deck> frameDeck(const DeckParameters &parameters, std::vector<Finding> *findings)
{
    return frameDeck(parameters, Extras{}, findings);
}

jm::Result<Deck> buildDeck(const DeckParameters &parameters, std::vector<Finding> *findings)
{
    return buildDeck(parameters, Extras{}, findings);
}

jm::Result<Deck> buildDeck(const DeckParameters &parameters, const Extras &extras, std::vector<Finding> *findings)
{
    jm::Result<Deck> built = frameDeck(parameters, extras, findings);
    if (!built)
        return built;
    std::vector<Finding> problems = checkDeck(*built);
    if (problems.empty())
        return built;
    jm::Failure failed = jm::failure(checksFailed(problems));
    if (findings)
        *findings = std::move(problems);
    return failed;
}

Point planPoint(const Deck &deck, Point framing)
{
    return deck.turned ? Point{framing.z, deck.turnShiftInches - framing.x} : framing;
}

Point planDirection(const Deck &deck, Point framing)
{
    return deck.turned ? Point{framing.z, -framing.x} : framing;
}

Polygon planPolygon(const Deck &deck, const Polygon &framing)
{
    Polygon plan;
    plan.reserve(framing.size());
    for (const Point &p : framing)
        plan.push_back(planPoint(deck, p));
    return plan;
}

std::vector<Member> membersInPlan(const Deck &deck)
{
    std::vector<Member> members = deck.members;
    members.insert(members.end(), deck.ledger.hangerSolids.begin(), deck.ledger.hangerSolids.end());
    if (deck.turned)
        for (Member &m : members)
            for (Point &p : m.plan)
                p = planPoint(deck, p);
    return members;
}

Polygon houseWallInPlan(const Deck &deck)
{
    return planPolygon(deck, deck.ledger.houseWall);
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Post: return QStringLiteral("Posts");
    case Kind::BeamPly: return QStringLiteral("Beam plies");
    case Kind::Joist: return QStringLiteral("Joists");
    case Kind::RimJoist: return QStringLiteral("Rim joists");
    case Kind::DeckingBoard: return QStringLiteral("Decking boards");
    case Kind::GuardPost: return QStringLiteral("Guard posts");
    case Kind::GuardRail: return QStringLiteral("Guard rails");
    case Kind::Baluster: return QStringLiteral("Balusters");
    case Kind::Stringer: return QStringLiteral("Stringers");
    case Kind::Tread: return QStringLiteral("Tread boards");
    case Kind::Handrail: return QStringLiteral("Handrails");
    case Kind::LandingPad: return QStringLiteral("Landing pads");
    case Kind::Riser: return QStringLiteral("Riser boards");
    case Kind::Block: return QStringLiteral("Deck blocks");
    case Kind::Ledger: return QStringLiteral("Ledgers");
    case Kind::Hanger: return QStringLiteral("Ledger hangers");
    }
    return {};
}

} // namespace deckmodel
