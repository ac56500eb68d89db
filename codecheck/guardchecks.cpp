// Every figure is read off the members: a rail's top, a tread's top and front
// edge, the gaps between posts and balusters along a bay. The walking surface
// is the decking's top on the deck and the line of the nosings on the stair.
#include "guardchecks.h"

#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace deckmodel {

namespace {

constexpr double measureFit = 1e-6;

QString inches(double value) { return numbertext::generalNumber(std::round(value * 100) / 100); }

struct Span {
    double from = 0, to = 0;
};

// A plan's extent along a direction, from a point.
Span along(const Polygon &plan, Point origin, Point direction)
{
    Span span{INFINITY, -INFINITY};
    for (const Point &p : plan) {
        const double t = (p.x - origin.x) * direction.x + (p.z - origin.z) * direction.z;
        span.from = std::min(span.from, t), span.to = std::max(span.to, t);
    }
    return span;
}

// The measure with the least to spare: its member, value and limit; each
// candidate's spare is how far it is inside its limit (negative: a fault).
struct Governing {
    double spare = INFINITY;
    double value = 0, limit = 0;
    std::vector<QString> judged, failing;
    void consider(const QString &member, double value_, double limit_, double spare_)
    {
        if (judged.empty() || judged.back() != member)
            judged.push_back(member);
        if (spare_ < 0 && (failing.empty() || failing.back() != member))
            failing.push_back(member);
        if (spare_ < spare - 1e-9) // a tie keeps the first: the same figure every run
            spare = spare_, value = value_, limit = limit_;
    }
    // A measure with a least value, and one with a most.
    void atLeast(const QString &member, double value_, double limit_) { consider(member, value_, limit_, value_ - limit_); }
    void atMost(const QString &member, double value_, double limit_) { consider(member, value_, limit_, limit_ - value_); }
};

// A row's rule and the table cell it prints; a stair's rule prints a shorter
// cell on a deck with no stair.
struct RowRule {
    QString name, cell, cellWithoutStair;
};

// The rows in the order they are listed: the guards', then the stair's.
const RowRule GuardHeight{QStringLiteral("R312.1.2 guard height"),
                       QStringLiteral("R312.1.2: 36 in minimum above the walking surface; 34 in above the nosings of a stair"), {}};
const RowRule GuardOpenings{QStringLiteral("R312.1.3 guard openings"),
                         QStringLiteral("R312.1.3: a 4 in sphere must not pass; 6 in under a stair guard's bottom rail"), {}};
const RowRule Risers{QStringLiteral("R311.7.5.1 riser height"), QStringLiteral("R311.7.5.1: 7 3/4 in maximum, within 3/8 in of each other"),
                  QStringLiteral("R311.7.5.1: 7 3/4 in maximum")};
const RowRule OpenRisers{QStringLiteral("R311.7.5.1 open risers"),
                      QStringLiteral("R311.7.5.1: openings between treads may not pass a 4 in sphere where the stair rises more than 30 in"),
                      QStringLiteral("R311.7.5.1: open risers")};
const RowRule Treads{QStringLiteral("R311.7.5.2 tread depth"), QStringLiteral("R311.7.5.2: 10 in minimum, nosing to nosing"),
                  QStringLiteral("R311.7.5.2: 10 in minimum")};
const RowRule Width{QStringLiteral("R311.7.2 stair width"), QStringLiteral("R311.7.2: 36 in minimum"), QStringLiteral("R311.7.2: 36 in minimum")};
const RowRule Handrail{QStringLiteral("R311.7.8 handrail height"), QStringLiteral("R311.7.8: 34 to 38 in above the nosings, at 4 risers or more"),
                    QStringLiteral("R311.7.8: 34 to 38 in above the nosings")};

// A row judged by its governing measure: the members judged when it passes,
// those failing when not.
CodeCheck row(const RowRule &rule, const Governing &g, bool passes, const QString &sentence)
{
    return {rule.name, passes ? g.judged : g.failing, g.value, g.limit, rule.cell, passes ? Verdict::Pass : Verdict::Fail, sentence};
}

// The same, the sentence picked by the verdict.
CodeCheck row(const RowRule &rule, const Governing &g, bool passes, const QString &passing, const QString &failing)
{
    return row(rule, g, passes, passes ? passing : failing);
}

CodeCheck information(const RowRule &rule, const QString &sentence)
{
    return {rule.name, {}, std::nullopt, std::nullopt, rule.cell, Verdict::Information, sentence};
}

class Measures {
public:
    explicit Measures(const Deck &deck) : m_deck(deck)
    {
        for (const Member &m : deck.members)
            m_byName[m.name] = &m;
        m_surface = deck.parameters.height * 12;
        for (const Member &m : deck.members)
            if (m.kind == Kind::DeckingBoard)
                m_surface = m.top();
        const Stair &s = deck.stair;
        if (!s.present)
            return;
        // The nosings: the deck's edge, then each tread's front edge and top.
        m_nosings.push_back({0, m_surface});
        for (const auto &tread : s.treads) {
            double front = -INFINITY, top = -INFINITY;
            for (const QString &board : tread)
                if (const Member *m = member(board))
                    front = std::max(front, along(m->plan, s.start, s.out).to), top = std::max(top, m->top());
            m_nosings.push_back({front, top});
        }
    }

    const Member *member(const QString &name) const
    {
        const auto it = m_byName.find(name);
        return it == m_byName.end() ? nullptr : it->second;
    }
    double surface() const { return m_surface; }
    const std::vector<Span> &nosings() const { return m_nosings; } // (t, height) as (from, to)

    // The line of the nosings at t outwards from the deck's edge, carried on
    // past the last one at the last flight's slope.
    double nosingAt(double t) const
    {
        const auto &n = m_nosings;
        if (n.size() < 2)
            return m_surface;
        size_t i = 1;
        while (i + 1 < n.size() && t > n[i].from)
            ++i;
        const Span a = n[i - 1], b = n[i];
        return a.to + (b.to - a.to) * (t - a.from) / (b.from - a.from);
    }
    // A piece's height above the walking surface at both its ends.
    std::pair<double, double> heightsAbove(const Member &m, bool onStair, double top) const
    {
        if (!onStair)
            return {top - m_surface, top - m_surface};
        const Span t = along(m.plan, m_deck.stair.start, m_deck.stair.out);
        return {top - nosingAt(t.from), top - nosingAt(t.to)};
    }

private:
    const Deck &m_deck;
    std::map<QString, const Member *> m_byName;
    double m_surface = 0;
    std::vector<Span> m_nosings;
};

CodeCheck guardHeight(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    Governing g;
    for (const GuardBay &bay : deck.guardBays) {
        if (bay.bottomRail.empty())
            continue; // a handrail alone is no guard
        const double limit = bay.onStair ? 34 : 36;
        for (const QString &name : bay.topRail)
            if (const Member *m = measures.member(name)) {
                const auto [a, b] = measures.heightsAbove(*m, bay.onStair, m->top());
                g.atLeast(name, std::min(a, b), limit);
            }
    }
    if (g.judged.empty()) {
        if (measures.surface() > 30 + measureFit)
            return {rule.name, {}, measures.surface(), 30, rule.cell, Verdict::Fail,
                    QStringLiteral("The decking is %1 inches above the ground and has no guard; every open side needs one 36 inches high.")
                        .arg(inches(measures.surface()))};
        return information(rule, QStringLiteral("The decking is %1 inches above the ground: no guard is required at 30 inches or less.")
                                     .arg(inches(measures.surface())));
    }
    return row(rule, g, g.spare >= -measureFit,
               QStringLiteral("The guards stand at least %1 inches above the walking surface (%2 required).")
                   .arg(inches(g.value), inches(g.limit)),
               QStringLiteral("A guard's top stands %1 inches above the walking surface, %2 short of %3: raise its posts and top rail.")
                   .arg(inches(g.value), inches(g.limit - g.value), inches(g.limit)));
}

CodeCheck guardOpenings(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    Governing g;
    for (const GuardBay &bay : deck.guardBays) {
        if (bay.bottomRail.empty())
            continue;
        // Clear gaps along the bay between its posts and balusters.
        std::vector<std::pair<Span, QString>> pieces;
        const Point origin{0, 0};
        for (const auto *names : {&bay.posts, &bay.balusters})
            for (const QString &name : *names)
                if (const Member *m = measures.member(name))
                    pieces.push_back({along(m->plan, origin, bay.along), name});
        std::sort(pieces.begin(), pieces.end(), [](const auto &a, const auto &b) { return a.first.from < b.first.from; });
        for (size_t i = 1; i < pieces.size(); ++i) {
            const double gap = pieces[i].first.from - pieces[i - 1].first.to;
            g.atMost(pieces[i].second, gap, 4);
        }
        // And under the bottom rail.
        const double limit = bay.onStair ? 6 : 4;
        for (const QString &name : bay.bottomRail)
            if (const Member *m = measures.member(name)) {
                const auto [a, b] = measures.heightsAbove(*m, bay.onStair, m->base);
                g.atMost(name, std::max(a, b), limit);
            }
    }
    if (g.judged.empty())
        return information(rule, QStringLiteral("The deck has no guard."));
    return row(rule, g, g.spare > measureFit,
               QStringLiteral("The guards' largest opening is %1 inches against a %2-inch sphere.").arg(inches(g.value), inches(g.limit)),
               QStringLiteral("A guard has an opening of %1 inches, where a %2-inch sphere must not pass: close it by %3 inches with another baluster or a lower rail.")
                   .arg(inches(g.value), inches(g.limit), inches(g.value - g.limit + 0.01)));
}

CodeCheck risers(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    std::vector<double> tops;
    for (const Span &n : measures.nosings())
        tops.push_back(n.to);
    const Member *pad = measures.member(deck.stair.pad);
    tops.push_back(pad ? pad->top() : 0);
    Governing g;
    double lowest = INFINITY, highest = -INFINITY;
    for (size_t i = 1; i < tops.size(); ++i) {
        const double riser = tops[i - 1] - tops[i];
        const QString name = i < deck.stair.treads.size() + 1 ? deck.stair.treads[i - 1].front() : deck.stair.pad;
        g.atMost(name, riser, 7.75);
        lowest = std::min(lowest, riser), highest = std::max(highest, riser);
    }
    const int count = int(tops.size()) - 1;
    if (g.spare >= -measureFit && highest - lowest <= 0.375 + measureFit)
        return row(rule, g, true, QStringLiteral("The stair's %1 risers are %2 inches high, at most 7 3/4.").arg(count).arg(inches(highest)));
    if (g.spare < -measureFit)
        return row(rule, g, false,
                   QStringLiteral("A riser is %1 inches high, %2 over 7 3/4: the stair needs %3 risers.")
                       .arg(inches(g.value), inches(g.value - 7.75))
                       .arg(int(std::ceil((tops.front() - tops.back()) / 7.75 - measureFit))));
    Governing spread = g;
    spread.failing = g.judged;
    return row(rule, spread, false, QStringLiteral("The risers differ by %1 inches, more than 3/8: make them equal.").arg(inches(highest - lowest)));
}

// The clear height between each tread's underside and the next one's top,
// less a riser board standing there; a stair rising more than 30 inches may
// leave none that passes a 4-inch sphere.
CodeCheck openRisers(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    const Stair &s = deck.stair;
    const double rise = measures.surface();
    if (rise <= 30 + measureFit)
        return information(rule, QStringLiteral("The stair rises %1 inches, not more than 30: its risers may be open.").arg(inches(rise)));
    auto extent = [&](const std::vector<QString> &names) {
        Span span{INFINITY, -INFINITY};
        for (const QString &name : names)
            if (const Member *m = measures.member(name))
                span.from = std::min(span.from, m->base), span.to = std::max(span.to, m->top());
        return span;
    };
    Governing g;
    for (size_t i = 1; i < s.treads.size(); ++i) {
        double gap = extent(s.treads[i - 1]).from - extent(s.treads[i]).to;
        if (i - 1 < s.riserBoards.size())
            if (const Member *board = measures.member(s.riserBoards[i - 1]))
                gap -= board->thickness;
        g.atMost(s.treads[i].front(), std::max(0.0, gap), 4);
    }
    if (g.judged.empty())
        return information(rule, QStringLiteral("The stair has one tread: no opening between treads."));
    return row(rule, g, g.spare > measureFit,
               g.value < measureFit ? QStringLiteral("Riser boards close the openings between the treads.")
                                    : QStringLiteral("The openings between the treads are at most %1 inches, against a 4-inch sphere.")
                                          .arg(inches(g.value)),
               QStringLiteral("The stair rises %1 inches, more than 30, and leaves %2 inches open between its treads, "
                              "where a 4-inch sphere must not pass: close the risers with riser boards.")
                   .arg(inches(rise), inches(g.value)));
}

CodeCheck treads(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    Governing g;
    const auto &n = measures.nosings();
    for (size_t i = 1; i < n.size(); ++i)
        g.atLeast(deck.stair.treads[i - 1].front(), n[i].from - n[i - 1].from, 10);
    if (g.judged.empty())
        return information(rule, QStringLiteral("The stair has no tread."));
    return row(rule, g, g.spare >= -measureFit, QStringLiteral("The treads are %1 inches deep, at least 10.").arg(inches(g.value)),
               QStringLiteral("A tread is %1 inches deep, %2 short of 10: add a board to each tread.").arg(inches(g.value), inches(10 - g.value)));
}

CodeCheck width(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    const Stair &s = deck.stair;
    Governing g;
    for (const auto &tread : s.treads)
        for (const QString &board : tread)
            if (const Member *m = measures.member(board)) {
                const Span span = along(m->plan, s.start, s.along);
                g.atLeast(board, span.to - span.from, 36);
            }
    // Between the deck's posts beside its top.
    const Member *first = s.edgePosts.size() == 2 ? measures.member(s.edgePosts[0]) : nullptr;
    const Member *second = s.edgePosts.size() == 2 ? measures.member(s.edgePosts[1]) : nullptr;
    if (first && second) {
        const double clear = along(second->plan, s.start, s.along).from - along(first->plan, s.start, s.along).to;
        g.atLeast(second->name, clear, 36);
    }
    return row(rule, g, g.spare >= -measureFit, QStringLiteral("The stair is %1 inches wide, at least 36.").arg(inches(g.value)),
               QStringLiteral("The stair is %1 inches wide, %2 short of 36: widen it.").arg(inches(g.value), inches(36 - g.value)));
}

CodeCheck handrail(const RowRule &rule, const Deck &deck, const Measures &measures)
{
    const Stair &s = deck.stair;
    Governing g;
    // The rail's line, not the steps drawn for it: a step holds its slice of
    // the sloped rail, so its top is the rail's top only at its uphill end
    // (at the downhill end the rail has fallen by the slice's slope). The
    // line through those ends runs parallel to the nosings; a level piece
    // is measured at both ends.
    for (const QString &name : s.handrail)
        if (const Member *m = measures.member(name)) {
            const auto [a, b] = measures.heightsAbove(*m, true, m->top());
            for (double height : m->step > 0 ? std::vector<double>{a} : std::vector<double>{a, b}) {
                g.atLeast(name, height, 34);
                g.atMost(name, height, 38);
            }
        }
    const int count = int(measures.nosings().size());
    if (g.judged.empty()) {
        if (count < 4)
            return information(rule, QStringLiteral("A stair of %1 risers needs no handrail.").arg(count));
        return {rule.name, {}, std::nullopt, std::nullopt, rule.cell, Verdict::Fail,
                QStringLiteral("A stair of %1 risers needs a handrail 34 to 38 inches above its nosings on one side.").arg(count)};
    }
    const bool low = g.limit == 34;
    return row(rule, g, g.spare >= -measureFit, QStringLiteral("The handrail stands 34 to 38 inches above the nosings throughout."),
               QStringLiteral("The handrail stands %1 inches above the nosings, %2 %3 the %4: %5 it.")
                   .arg(inches(g.value), inches(std::abs(g.value - g.limit)), low ? QStringLiteral("below") : QStringLiteral("above"),
                        low ? QStringLiteral("least of 34") : QStringLiteral("most of 38"),
                        low ? QStringLiteral("raise") : QStringLiteral("lower")));
}

// Each row's rule with its measure, in the order they are listed.
struct RowMeasure {
    const RowRule &rule;
    CodeCheck (*measure)(const RowRule &, const Deck &, const Measures &);
};
const RowMeasure GuardRows[] = {{GuardHeight, guardHeight}, {GuardOpenings, guardOpenings}};
const RowMeasure StairRows[] = {{Risers, risers}, {OpenRisers, openRisers}, {Treads, treads}, {Width, width}, {Handrail, handrail}};

} // namespace

std::vector<CodeCheck> guardAndStairChecks(const Deck &deck)
{
    const Measures measures(deck);
    std::vector<CodeCheck> checks;
    for (const RowMeasure &row : GuardRows)
        checks.push_back(row.measure(row.rule, deck, measures));
    for (const RowMeasure &row : StairRows)
        checks.push_back(deck.stair.present ? row.measure(row.rule, deck, measures)
                                            : information({row.rule.name, row.rule.cellWithoutStair, {}},
                                                          QStringLiteral("The deck has no stair.")));
    return checks;
}

} // namespace deckmodel
