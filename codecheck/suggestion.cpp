// The search for a framing that passes the code check with the least lumber.
//
// Only two beam lines can pass: a beam line between two others carries joists
// from both sides, which the beam tables do not cover. So the search is over
// how far in the two lines are set, the joist size and spacing, the beam's
// plies and size, the posts per line and their size. The choices are ranked by
// an estimate of their board feet, worked out from the deck's extent and the
// tables; the most promising are then framed and checked in full, and the one
// with the least board feet (then the fewest footings) of those that pass
// every rule is proposed. A deck hung on the house keeps its ledger: there
// the joists span from the ledger to one beam line set in from the far end.
#include "codecheck.h"

#include "catalogue.h"
#include "codetables.h"
#include "lengthtext.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace deckmodel {

namespace {

using codetables::TableValue;

struct Lumber {
    QString name;    // "2x8"
    double depth;    // actual inches
    double nominal;  // nominal depth, inches
};

// The sizes the tables have, measured as the catalogue has them.
const std::vector<Lumber> &framingLumber()
{
    static const std::vector<Lumber> sizes = [] {
        std::vector<Lumber> all;
        for (const QString &name : codetables::tableLumber())
            all.push_back({name, deckfile::lumberNamed(name)->depthInches, name.section(u'x', 1).toDouble()});
        return all;
    }();
    return sizes;
}

// One framing to try, and its estimated board feet.
struct Candidate {
    const Lumber *joist = nullptr;
    double spacing = 0;
    double setIn = 0;        // the beam lines from the deck's ends, inches
    int plies = 0;
    const Lumber *beam = nullptr;
    int posts = 0;           // per beam line
    double postSpan = 0;     // inches
    double postSize = 0;     // inches, square
    double estimate = 0;
    double allowedSpan = 0;  // the beam's, between posts, inches
};

// The posts of a framed deck placed again along its beams as built: where a
// cut corner shortens a beam, or its plies end apart, a set-in worked from
// the deck's extent leaves an end post a little too far in. Each beam line's
// run (where the framing sets its posts from), its beam's ends and its posts
// give the largest set-in c with which every end cantilevers at most a
// quarter of its span: c + e <= (R - 2c) / (4 (n - 1)), e the beam's reach
// past the run, so c <= (R - 4 (n - 1) e) / (4n - 2); more posts where the
// longest span would pass the beam's. Nothing when no count of posts fits.
std::optional<DeckParameters> postsRefitted(const Deck &framed, const Candidate &c)
{
    struct Line {
        double runFrom = INFINITY, runTo = -INFINITY, beamFrom = INFINITY, beamTo = -INFINITY;
        int posts = 0;
    };
    std::map<long, Line> lines; // by the beam line's Z, to the inch
    const double setIn = framed.parameters.overhangX * 12;
    for (const Member &m : framed.members) {
        const Box b = bounds(m.plan);
        const long z = std::lround((b.z0 + b.z1) / 2);
        if (carriesBeam(m.kind)) {
            Line &line = lines[z];
            line.runFrom = std::min(line.runFrom, (b.x0 + b.x1) / 2 - setIn);
            line.runTo = std::max(line.runTo, (b.x0 + b.x1) / 2 + setIn);
            ++line.posts;
        }
    }
    for (const Member &m : framed.members)
        if (m.kind == Kind::BeamPly) {
            const Box b = bounds(m.plan);
            for (auto &[z, line] : lines)
                if (std::abs((b.z0 + b.z1) / 2 - double(z)) <= framed.parameters.beamPly * framed.parameters.beamPlies)
                    line.beamFrom = std::min(line.beamFrom, b.x0), line.beamTo = std::max(line.beamTo, b.x1);
        }
    if (lines.empty())
        return std::nullopt;
    for (int n = 2; n <= 50; ++n) {
        double in = INFINITY, longest = 0;
        for (const auto &[z, line] : lines) {
            const double run = line.runTo - line.runFrom;
            const double reach = std::max({0.0, line.runFrom - line.beamFrom, line.beamTo - line.runTo});
            in = std::min(in, (run - 4 * (n - 1) * reach) / (4 * n - 2));
        }
        in = std::floor(in * 4) / 4; // quarter inches
        if (in < 0)
            continue;
        for (const auto &[z, line] : lines)
            longest = std::max(longest, (line.runTo - line.runFrom - 2 * in) / (n - 1));
        if (longest > c.allowedSpan || longest < c.postSize)
            continue;
        DeckParameters p = framed.parameters;
        p.overhangX = in / 12;
        p.postSpacing = longest / 12 + 1e-6;
        return p;
    }
    return std::nullopt;
}

// The effective joist span of joists spanning `span` with `cantilever` past
// each end, or nothing when the factor table does not reach them.
std::optional<double> effectiveSpan(double span, double cantilever)
{
    const TableValue factor = codetables::joistSpanFactor(cantilever <= 3 ? 0 : cantilever, span);
    if (factor.status != TableValue::Value)
        return std::nullopt;
    return span * factor.inches;
}

// The set-ins of the beam lines (whole inches) for a joist size, whatever
// the spacing: each with the joists' span and, once asked for, the effective
// span for the beams where the joist tables allow the cantilever. `ledger`:
// the ledger's thickness on a deck hung on the house, whose joists span from
// its face to the one beam line.
struct SetIn {
    double inches = 0;
    double span = 0;
    bool judged = false;
    std::optional<double> effective;
};

std::vector<SetIn> setInsOf(double depth, double ledger)
{
    std::vector<SetIn> all;
    for (double setIn = 0; setIn <= depth / 3; setIn += 1)
        all.push_back({setIn, ledger > 0 ? depth - setIn - ledger : depth - 2 * setIn});
    return all;
}

// How far in the beam lines go for a joist size and spacing: the set-in that
// passes the joist tables with the shortest effective span for the beams, or
// nothing. The spacings of one size share `setIns`, each judged once.
std::optional<std::pair<double, double>> bestSetIn(const CodeSettings &s, const Lumber &joist, double spacing,
                                                   std::vector<SetIn> &setIns)
{
    const TableValue allowed = codetables::joistSpan(s, joist.name, spacing);
    if (allowed.status != TableValue::Value)
        return std::nullopt;
    std::optional<std::pair<double, double>> best;
    for (SetIn &choice : setIns) {
        if (choice.span > allowed.inches)
            continue;
        if (!choice.judged) {
            choice.judged = true;
            const TableValue cantilever = choice.inches > 3 ? codetables::joistCantilever(s, joist.name, choice.span)
                                                            : TableValue{};
            if (choice.inches <= 3 || (cantilever.status == TableValue::Value && choice.inches <= cantilever.inches))
                choice.effective = effectiveSpan(choice.span, choice.inches);
        }
        if (choice.effective && (!best || *choice.effective < best->second))
            best = std::pair{choice.inches, *choice.effective};
    }
    return best;
}

DeckParameters parametersOf(const DeckParameters &base, const Candidate &c, double depth, double width, bool attached)
{
    DeckParameters p = base;
    p.joistHeight = c.joist->depth;
    p.joistWidth = 1.5;
    p.joistSpacing = c.spacing;
    p.beamHeight = c.beam->depth;
    p.beamPly = 1.5;
    p.beamPlies = c.plies;
    p.overhangZ = c.setIn / 12;
    // Hung on the house: the lines from the ledger's middle to the far one,
    // one gap, so that the ledger's own line is all that is dropped.
    p.beamSpacing = (attached ? depth - c.setIn - p.joistWidth / 2 : depth - 2 * c.setIn) / 12 + 1e-6;
    p.postSpacing = c.postSpan / 12 + 1e-6;
    p.overhangX = std::max(0.0, (width - (c.posts - 1) * c.postSpan) / 2) / 12;
    p.postSize = c.postSize;
    return p;
}

QString sizeWords(const DeckParameters &p, bool joists)
{
    const QString depth = deckfile::nominalInches(joists ? p.joistHeight : p.beamHeight);
    const QString name = depth.isEmpty() ? lengthtext::inchesText(joists ? p.joistHeight : p.beamHeight) + QStringLiteral(" deep")
                                         : QStringLiteral("2x") + depth;
    return joists ? QStringLiteral("%1 at %2 on centre").arg(name, lengthtext::inchesText(p.joistSpacing))
                  : QStringLiteral("%1-%2").arg(p.beamPlies).arg(name);
}

int countOf(const Deck &deck, Kind kind)
{
    return int(std::count_if(deck.members.begin(), deck.members.end(), [kind](const Member &m) { return m.kind == kind; }));
}

std::vector<QString> changesBetween(const Deck &designed, const Deck &suggested)
{
    const DeckParameters &a = designed.parameters, &b = suggested.parameters;
    std::vector<QString> changes;
    auto feet = lengthtext::feetAndInchesFromInches;
    if (sizeWords(a, true) != sizeWords(b, true))
        changes.push_back(QStringLiteral("Joists %1 instead of %2").arg(sizeWords(b, true), sizeWords(a, true)));
    if (sizeWords(a, false) != sizeWords(b, false))
        changes.push_back(QStringLiteral("Beams %1 instead of %2").arg(sizeWords(b, false), sizeWords(a, false)));
    if (designed.beamLines.size() != suggested.beamLines.size() || std::abs(a.overhangZ - b.overhangZ) > 1e-6)
        changes.push_back(QStringLiteral("%1 beam lines set in %2 from the deck's ends instead of %3 set in %4")
                              .arg(suggested.beamLines.size())
                              .arg(feet(b.overhangZ * 12))
                              .arg(designed.beamLines.size())
                              .arg(feet(a.overhangZ * 12)));
    const int postsA = countOf(designed, Kind::Post) + countOf(designed, Kind::Block),
              postsB = countOf(suggested, Kind::Post) + countOf(suggested, Kind::Block);
    if (postsA != postsB || std::abs(a.overhangX - b.overhangX) > 1e-6)
        changes.push_back(QStringLiteral("%1 posts at most %2 apart, the end ones %3 in from the beam ends, instead of %4 "
                                         "at most %5 apart, %6 in")
                              .arg(postsB)
                              .arg(feet(b.postSpacing * 12), feet(b.overhangX * 12))
                              .arg(postsA)
                              .arg(feet(a.postSpacing * 12), feet(a.overhangX * 12)));
    if (std::abs(a.postSize - b.postSize) > 1e-6)
        changes.push_back(QStringLiteral("Posts %1 instead of %2")
                              .arg(lumberName(b.postSize, b.postSize), lumberName(a.postSize, a.postSize)));
    return changes;
}

} // namespace

Suggestion suggestFraming(const Deck &deck, const CodeSettings &settings)
{
    Suggestion suggestion;
    suggestion.boardFeetAsDesigned = framingBoardFeet(deck);
    if (codeOutcome(deck, settings) == CodeOutcome::Passes) {
        suggestion.why = QStringLiteral("The framing as designed passes every rule the tables can judge.");
        return suggestion;
    }
    const Box extent = bounds(deck.outline);
    const double depth = extent.z1 - extent.z0, width = extent.x1 - extent.x0;
    const DeckParameters &base = deck.parameters;
    const double clear = base.height * 12 - base.deckingThickness; // decking underside above grade
    // The candidates are framed as a bare deck's are, hung on the same house.
    Extras bare;
    if (deck.ledger.present)
        bare.attachment = deck.ledger.attachment;
    const bool attached = deck.ledger.present;
    const double ledger = attached ? 1.5 : 0;

    // Joist sizes and spacings the decking allows, with their best beam lines.
    const TableValue decking = codetables::deckingSpacing(base.deckingThickness, true);
    std::vector<Candidate> candidates;
    for (const Lumber &joist : framingLumber()) {
        std::vector<SetIn> setIns = setInsOf(depth, ledger);
        for (double spacing : {12.0, 16.0, 24.0}) {
            if (decking.status == TableValue::Value && spacing > decking.inches)
                continue;
            const auto setIn = bestSetIn(settings, joist, spacing, setIns);
            if (!setIn)
                continue;
            for (int plies : {1, 2, 3}) {
                for (const Lumber &beam : framingLumber()) {
                    const TableValue span = codetables::beamSpan(settings, QStringLiteral("%1-%2").arg(plies).arg(beam.name),
                                                                 setIn->second);
                    if (span.status != TableValue::Value)
                        continue;
                    // The fewest posts whose spans the beam carries, the end
                    // ones in by at most a quarter of a span.
                    int posts = 2;
                    double postSpan = std::ceil(width / 1.5);
                    while (postSpan > span.inches && posts < 200)
                        postSpan = std::ceil(width / (++posts - 0.5));
                    const double height = clear - joist.depth - beam.depth;
                    if (height <= 0 || postSpan > span.inches)
                        continue;
                    for (double post : {4.0, 6.0}) {
                        const double joists = (width / spacing + 1) * depth * 2 * joist.nominal / 144;
                        const double rims = 2 * (width + depth) * 2 * joist.nominal / 144;
                        const double beams = 2 * plies * width * 2 * beam.nominal / 144;
                        const double postWood = 2 * posts * height * post * post / 144;
                        candidates.push_back({&joist, spacing, setIn->first, plies, &beam, posts, postSpan, post,
                                              joists + rims + beams + postWood, span.inches});
                    }
                }
            }
        }
    }
    if (candidates.empty()) {
        suggestion.why = QStringLiteral("No framing within the deck tables fits: joists spanning the deck's %1 between two "
                                        "beam lines, the only layout in which no beam carries joists from both sides, "
                                        "pass Table R507.6 at no size and spacing. Have the deck designed by a "
                                        "professional.")
                             .arg(lengthtext::feetAndInchesFromInches(depth));
        return suggestion;
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate &a, const Candidate &b) { return a.estimate < b.estimate; });

    // Frame the most promising in turn; of the first that pass, the least wood.
    std::optional<Deck> best;
    int tried = 0, passed = 0;
    for (const Candidate &c : candidates) {
        if (++tried > 60 || passed >= 6)
            break;
        // Beam lines set in further where the shortest set-in leaves a joist
        // by a cut end with no beam line under it: the first that frames a
        // sound deck.
        std::optional<Deck> framed;
        for (double further = 0; further <= 36; further += 3) {
            Candidate moved = c;
            moved.setIn = c.setIn + further;
            if (depth - (attached ? 1 : 2) * moved.setIn <= 0)
                break;
            jm::Result<Deck> attempt = frameDeck(parametersOf(base, moved, depth, width, attached), bare);
            if (attempt && checkDeck(*attempt).empty()) {
                framed = std::move(*attempt);
                break;
            }
        }
        if (!framed)
            continue;
        const CodeOutcome outcome = codeOutcome(*framed, settings);
        // The posts placed again stand under the same beams and joists: a
        // joists' rule that fails fails again.
        if (outcome == CodeOutcome::FailsOnJoists)
            continue;
        if (outcome == CodeOutcome::Fails) {
            // The posts again, along the beams as framed (a cut end shortens one).
            const std::optional<DeckParameters> refitted = postsRefitted(*framed, c);
            if (!refitted)
                continue;
            jm::Result<Deck> again = frameDeck(*refitted, bare);
            if (!again || codeOutcome(*again, settings) != CodeOutcome::Passes || !checkDeck(*again).empty())
                continue;
            framed = std::move(*again);
        }
        ++passed;
        const double boardFeet = framingBoardFeet(*framed);
        const int footings = countOf(*framed, Kind::Post) + countOf(*framed, Kind::Block);
        if (!best || boardFeet < suggestion.boardFeet - 1e-6
            || (std::abs(boardFeet - suggestion.boardFeet) <= 1e-6 && footings < suggestion.footings)) {
            best = std::move(*framed);
            suggestion.boardFeet = boardFeet;
            suggestion.footings = footings;
        }
    }
    if (!best) {
        suggestion.why = QStringLiteral("No framing within the deck tables passes every rule for this outline: the "
                                        "joists, beams and posts that fit its %1 by %2 leave a rule failing or outside "
                                        "the tables. Have the deck designed by a professional.")
                             .arg(lengthtext::feetAndInchesFromInches(depth), lengthtext::feetAndInchesFromInches(width));
        return suggestion;
    }
    suggestion.parameters = best->parameters;
    suggestion.changes = changesBetween(deck, *best);
    return suggestion;
}

} // namespace deckmodel
