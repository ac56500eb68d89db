// The model checks run on every deck built: members must not overlap, every
// joist must bear, every post must carry a beam, the decking must cover the
// outline but for its gaps, no framing may stick out of the outline and no
// guard or stair member may stand within it.
#include "framing.h"

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

constexpr double touching = 1e-3; // inches, or square inches for areas

bool boxesOverlap(const Box &a, const Box &b)
{
    return a.x0 < b.x1 - touching && b.x0 < a.x1 - touching && a.z0 < b.z1 - touching && b.z0 < a.z1 - touching;
}

bool isUprightRectangle(const Polygon &polygon, const Box &box)
{
    const auto onCorner = [&](Point p) { return (p.x == box.x0 || p.x == box.x1) && (p.z == box.z0 || p.z == box.z1); };
    return polygon.size() == 4 && std::all_of(polygon.begin(), polygon.end(), onCorner)
        && std::abs(area(polygon) - (box.x1 - box.x0) * (box.z1 - box.z0)) < touching;
}

// A plan with its box, and whether the plan is that box.
struct Footprint {
    const Polygon &plan;
    Box box;
    bool upright;
    explicit Footprint(const Polygon &p) : plan(p), box(bounds(p)), upright(isUprightRectangle(p, box)) {}
};

// The area two plans share: at once for two upright rectangles (a joist
// across a beam), by clipping otherwise.
double sharedArea(const Footprint &a, const Footprint &b)
{
    const double across = std::min(a.box.x1, b.box.x1) - std::max(a.box.x0, b.box.x0);
    const double along = std::min(a.box.z1, b.box.z1) - std::max(a.box.z0, b.box.z0);
    if (across <= 0 || along <= 0)
        return 0;
    return a.upright && b.upright ? across * along : overlapArea(a.plan, b.plan);
}

double sharedArea(const Polygon &a, const Polygon &b) { return sharedArea(Footprint(a), Footprint(b)); }

Point centre(const Polygon &polygon)
{
    const Box b = bounds(polygon);
    return {(b.x0 + b.x1) / 2, (b.z0 + b.z1) / 2};
}

// A beam ply as the joists' bearing check sees it: its plan's box, whether the
// plan is that box, and the beam lines it lies on.
struct Ply {
    const Member *member;
    Footprint footprint;
    std::vector<size_t> lines;
};

std::vector<Ply> beamPlies(const Deck &deck)
{
    std::vector<Ply> plies;
    for (const Member &m : deck.members) {
        if (m.kind != Kind::BeamPly)
            continue;
        const Footprint footprint(m.plan);
        std::vector<size_t> lines;
        for (size_t l = 0; l < deck.beamLines.size(); ++l)
            if (std::abs((footprint.box.z0 + footprint.box.z1) / 2 - deck.beamLines[l]) <= deck.parameters.beamPly)
                lines.push_back(l);
        plies.push_back({&m, footprint, std::move(lines)});
    }
    return plies;
}

int beamsUnder(const Deck &deck, const Member &joist, const std::vector<Ply> &plies)
{
    // A beam line counts once, however many of its plies carry the joist.
    // One pass over the plies: a file may ask for hundreds of beam lines.
    const Footprint footprint(joist.plan);
    std::vector<char> carries(deck.beamLines.size(), 0);
    for (const Ply &ply : plies) {
        const auto carried = [&](size_t line) { return carries[line] != 0; };
        if (std::all_of(ply.lines.begin(), ply.lines.end(), carried) || std::abs(joist.base - ply.member->top()) >= touching)
            continue;
        if (sharedArea(footprint, ply.footprint) > touching)
            for (size_t line : ply.lines)
                carries[line] = 1;
    }
    return int(std::count(carries.begin(), carries.end(), 1));
}

// The pairs of members whose heights and plan boxes overlap, in the order of
// the members. Members are compared only within bands of equal height, and
// there by a sweep along the axis across their length (boards and beams run
// along X, joists along Z), so a deck of thousands of members is not searched
// pair by pair.
std::vector<std::pair<size_t, size_t>> overlapCandidates(const std::vector<Member> &members, const std::vector<Box> &boxes)
{
    std::vector<size_t> order(members.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return std::make_pair(members[a].base, members[a].top()) < std::make_pair(members[b].base, members[b].top());
    });
    std::vector<std::vector<size_t>> bands;
    for (size_t i : order) {
        if (bands.empty() || members[bands.back().front()].base != members[i].base
            || members[bands.back().front()].top() != members[i].top())
            bands.emplace_back();
        bands.back().push_back(i);
    }

    std::vector<std::pair<size_t, size_t>> pairs;
    const auto consider = [&](size_t a, size_t b) {
        const Member &ma = members[a], &mb = members[b];
        if (ma.base < mb.top() - touching && mb.base < ma.top() - touching && boxesOverlap(boxes[a], boxes[b]))
            pairs.push_back(std::minmax(a, b));
    };
    // Within a band: those running along X swept along Z, the others along X,
    // each of one set against the other in full (in a framed deck one of the
    // two is a handful of rim joists).
    const auto sweep = [&](std::vector<size_t> set, bool alongZ) {
        const auto from = [&](size_t i) { return alongZ ? boxes[i].z0 : boxes[i].x0; };
        const auto to = [&](size_t i) { return alongZ ? boxes[i].z1 : boxes[i].x1; };
        std::sort(set.begin(), set.end(), [&](size_t a, size_t b) { return from(a) < from(b); });
        for (size_t k = 0; k < set.size(); ++k)
            for (size_t l = k + 1; l < set.size() && from(set[l]) < to(set[k]) - touching; ++l)
                consider(set[k], set[l]);
    };
    // The box round a set of members: a member whose box lies apart from it
    // lies apart from each of theirs.
    const auto around = [&](const std::vector<size_t> &set) {
        Box all{INFINITY, -INFINITY, INFINITY, -INFINITY};
        for (size_t i : set)
            all = {std::min(all.x0, boxes[i].x0), std::max(all.x1, boxes[i].x1), std::min(all.z0, boxes[i].z0),
                   std::max(all.z1, boxes[i].z1)};
        return all;
    };
    // Each of one set against each of the other, but where a box lies apart
    // from the other set's.
    const auto across = [&](const std::vector<size_t> &one, const std::vector<size_t> &two) {
        const Box aroundTwo = around(two);
        for (size_t i : one)
            if (boxesOverlap(boxes[i], aroundTwo))
                for (size_t j : two)
                    consider(i, j);
    };
    std::vector<Box> bandBoxes;
    for (const std::vector<size_t> &band : bands)
        bandBoxes.push_back(around(band));
    for (size_t b = 0; b < bands.size(); ++b) {
        std::vector<size_t> alongX, alongZ;
        for (size_t i : bands[b])
            (boxes[i].x1 - boxes[i].x0 > boxes[i].z1 - boxes[i].z0 ? alongX : alongZ).push_back(i);
        sweep(alongX, true);
        sweep(alongZ, false);
        across(alongX, alongZ);
        // Bands of other heights that reach into this one (the guards' and
        // the stair's members reach into each other's).
        for (size_t other = b + 1; other < bands.size() && members[bands[other].front()].base < members[bands[b].front()].top() - touching; ++other)
            if (boxesOverlap(bandBoxes[b], bandBoxes[other]))
                across(bands[b], bands[other]);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

} // namespace

int beamsUnder(const Deck &deck, const Member &joist) { return beamsUnder(deck, joist, beamPlies(deck)); }

int endsOnRims(const Deck &deck, const Member &joist)
{
    const Point c = centre(joist.plan);
    int ends = 0;
    for (const Interval &run : runAlongZ(joist.plan, c.x))
        for (Point end : {Point{c.x, run.from}, Point{c.x, run.to}})
            for (const Member &m : deck.members)
                if (m.kind == Kind::RimJoist && std::abs(m.base - joist.base) < touching && contains(m.plan, end, touching)) {
                    ++ends;
                    break;
                }
    return ends;
}

std::vector<Finding> checkDeck(const Deck &deck)
{
    std::vector<Finding> problems;
    const auto found = [&](Rule rule, std::vector<QString> members, std::vector<double> values = {}) {
        problems.push_back({rule, deck.parameters.fileName, std::move(members), {}, std::move(values)});
    };
    const std::vector<Member> &members = deck.members;
    std::vector<Box> boxes;
    for (const Member &m : members)
        boxes.push_back(bounds(m.plan));

    // Past a few overlaps the framing is wrong throughout; finding them all,
    // or checking further, could take minutes on a hand-edited file.
    constexpr size_t mostOverlaps = 20;
    for (const auto &[i, j] : overlapCandidates(members, boxes)) {
        if (problems.size() == mostOverlaps)
            break;
        if (const double shared = sharedArea(members[i].plan, members[j].plan); shared > touching)
            found(Rule::MembersOverlap, {members[i].name, members[j].name}, {shared});
    }
    if (problems.size() == mostOverlaps)
        return problems;

    const std::vector<Ply> plies = beamPlies(deck);
    for (const Member &m : members) {
        if (m.kind == Kind::Joist) {
            // A joist hung on the ledger has it for one of its supports.
            const bool hung = std::find(deck.ledger.hangers.begin(), deck.ledger.hangers.end(), m.name) != deck.ledger.hangers.end();
            const int beams = beamsUnder(deck, m, plies) + (hung ? 1 : 0);
            if (beams < 2 && !(beams == 1 && endsOnRims(deck, m) > 0))
                found(Rule::JoistUnsupported, {m.name}, {double(beams), double(endsOnRims(deck, m))});
        }
        if (carriesBeam(m.kind)) {
            bool carries = false;
            for (const Member &beam : members)
                carries = carries || (beam.kind == Kind::BeamPly && std::abs(beam.base - m.top()) < touching
                                      && contains(beam.plan, centre(m.plan), touching));
            if (!carries)
                found(Rule::PostUnderNoBeam, {m.name});
        }
        // The framing stands within the outline, guards and the stair outside it.
        if (!isFraming(m.kind)) {
            if (overlapArea(m.plan, deck.outline) > touching)
                found(Rule::InsideOutline, {m.name});
            continue;
        }
        for (const Point &p : m.plan)
            if (!contains(deck.outline, p, touching)) {
                found(Rule::OutsideOutline, {m.name});
                break;
            }
    }

    // What the decking leaves open may not exceed its gaps across the deck (one
    // per board: the last board may leave one at the far edge).
    double covered = 0;
    int boards = 0;
    for (const Member &m : members)
        if (m.kind == Kind::DeckingBoard)
            covered += area(m.plan), ++boards;
    const Box extent = bounds(deck.outline);
    const double open = area(deck.outline) - covered;
    const double gaps = boards * deck.parameters.deckingGap * (extent.x1 - extent.x0);
    if (open > gaps + 1)
        found(Rule::DeckingUncovered, {}, {open, gaps});
    return problems;
}

} // namespace deckmodel
