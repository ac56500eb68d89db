// The code check of a framed deck: what each rule is applied to is measured
// from the members (joists and their beam lines, beams and their posts, posts
// and the deck they carry, boards and their joists), then looked up in the
// tables. docs/deck-model.md gives the measures and a worked hand check.
#include "codecheck.h"

#include "catalogue.h"
#include "codetables.h"
#include "guardchecks.h"
#include "ledgerchecks.h"
#include "guards.h"
#include "lengthtext.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace deckmodel {

namespace {

using codetables::TableValue;
using lengthtext::feetAndInchesFromInches;
using lengthtext::inchesText;

// A measure may pass its limit by this much and still pass: the file gives
// feet to a few decimals.
constexpr double slack = 1.0 / 64;
// A joist end this close past its last beam line bears on it rather than
// cantilevering.
constexpr double bearing = 3;

QString feet(double inches) { return feetAndInchesFromInches(inches); }

// The sizes a table's rows are for, for the sentence that names them.
QString sizesListed(const QStringList &sizes)
{
    return sizes.size() < 2 ? sizes.join(QString()) : sizes.first(sizes.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + sizes.last();
}

QStringList tableLumberList()
{
    const std::vector<QString> &sizes = codetables::tableLumber();
    return QStringList(sizes.begin(), sizes.end());
}

// A member whose size the table has no row for: what it does size.
QString noRowSentence(const QString &table, const QString &size, const QString &members, const QString &sizes)
{
    return QStringLiteral("%1 has no row for %2 %3; it sizes %4. Use one of those, or have the %3 designed by a "
                          "professional.")
        .arg(table, size, members, sizes);
}

// "a 4x4", "an 8x8".
QString article(const QString &words)
{
    return (words.startsWith(u'8') || words.startsWith(QLatin1String("11")) ? QStringLiteral("an ") : QStringLiteral("a "))
        + words;
}

Box boxOf(const Member &m) { return bounds(m.plan); }
double centreX(const Member &m) { const Box b = boxOf(m); return (b.x0 + b.x1) / 2; }
double centreZ(const Member &m) { const Box b = boxOf(m); return (b.z0 + b.z1) / 2; }

// What the tables are applied to, measured from the members.
struct BeamRun {
    size_t line = 0;
    double z = 0, x0 = 0, x1 = 0;
    std::vector<QString> plies;
    std::vector<const Member *> posts; // by X
    QString name() const { return plies.empty() ? QString() : plies.front().section(u' ', 0, 1); }
};

struct JoistRun {
    const Member *joist = nullptr;
    double x = 0;
    double edge0 = 0, edge1 = 0;       // the deck's edge at each end, along Z: the rims' outer faces
    std::vector<double> supports;      // Z of the beam lines under it, in order
    std::vector<const BeamRun *> beams;
};

struct PostSpot {
    const Member *post = nullptr;
    const BeamRun *beam = nullptr;
    double height = 0;
    double tributarySquareFeet = 0;
};

struct Layout {
    std::vector<BeamRun> beams;
    std::vector<JoistRun> joists;
    std::vector<PostSpot> posts;
    double joistSpacing = 0;
};

std::vector<BeamRun> beamRuns(const Deck &deck)
{
    std::vector<BeamRun> runs;
    for (const Member &m : deck.members) {
        if (m.kind != Kind::BeamPly || deck.beamLines.empty())
            continue;
        const Box b = boxOf(m);
        const double z = (b.z0 + b.z1) / 2;
        size_t line = 0;
        for (size_t l = 1; l < deck.beamLines.size(); ++l)
            if (std::abs(deck.beamLines[l] - z) < std::abs(deck.beamLines[line] - z))
                line = l;
        auto same = std::find_if(runs.begin(), runs.end(), [&](const BeamRun &r) {
            return r.line == line && std::min(r.x1, b.x1) - std::max(r.x0, b.x0) > 1;
        });
        if (same == runs.end())
            runs.push_back({line, deck.beamLines[line], b.x0, b.x1, {m.name}, {}});
        else
            same->x0 = std::min(same->x0, b.x0), same->x1 = std::max(same->x1, b.x1), same->plies.push_back(m.name);
    }
    for (const Member &m : deck.members) {
        if (!carriesBeam(m.kind))
            continue;
        const double x = centreX(m), z = centreZ(m);
        for (BeamRun &r : runs)
            if (std::abs(r.z - z) < 1 && x >= r.x0 - 1e-6 && x <= r.x1 + 1e-6) {
                r.posts.push_back(&m);
                break;
            }
    }
    for (BeamRun &r : runs)
        std::sort(r.posts.begin(), r.posts.end(), [](const Member *a, const Member *b) { return centreX(*a) < centreX(*b); });
    return runs;
}

Layout layoutOf(const Deck &deck)
{
    Layout layout;
    layout.beams = beamRuns(deck);
    std::vector<double> xs;
    for (const Member &m : deck.members) {
        if (m.kind != Kind::Joist)
            continue;
        JoistRun run{&m, centreX(m)};
        xs.push_back(run.x);
        const Box b = boxOf(m);
        // Joists end on the rim joists, whose outer faces are the deck's edge.
        run.edge0 = b.z0 - deck.parameters.joistWidth, run.edge1 = b.z1 + deck.parameters.joistWidth;
        for (const BeamRun &beam : layout.beams)
            if (run.x >= beam.x0 && run.x <= beam.x1 && beam.z > b.z0 && beam.z < b.z1)
                run.beams.push_back(&beam);
        std::sort(run.beams.begin(), run.beams.end(), [](const BeamRun *a, const BeamRun *b) { return a->z < b->z; });
        for (const BeamRun *beam : run.beams)
            run.supports.push_back(beam->z);
        // A joist hung on the ledger bears on its face: a support with no
        // beam (its place in `beams` holds none).
        if (std::find(deck.ledger.hangers.begin(), deck.ledger.hangers.end(), m.name) != deck.ledger.hangers.end()) {
            if (deck.ledger.out.z < 0) {
                run.supports.insert(run.supports.begin(), b.z0);
                run.beams.insert(run.beams.begin(), nullptr);
            } else {
                run.supports.push_back(b.z1);
                run.beams.push_back(nullptr);
            }
        }
        layout.joists.push_back(std::move(run));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 1; i < xs.size(); ++i)
        if (xs[i] - xs[i - 1] > 1e-6)
            layout.joistSpacing = std::max(layout.joistSpacing, xs[i] - xs[i - 1]);
    if (layout.joistSpacing == 0)
        layout.joistSpacing = deck.parameters.joistSpacing;

    // A post carries the deck halfway to its neighbours along its beam (to
    // the beam's end past an end post) and halfway to the next beam lines
    // (to the deck's edge past an outer one; halfway to the ledger's face on
    // the house's side, the ledger carrying the rest).
    const std::vector<double> &lines = deck.beamLines;
    const Box extent = bounds(deck.outline);
    const Ledger &ledger = deck.ledger;
    const double nearEdge = ledger.present && ledger.out.z < 0 ? ledger.start.z + ledger.thicknessInches : NAN;
    const double farEdge = ledger.present && ledger.out.z > 0 ? ledger.start.z - ledger.thicknessInches : NAN;
    for (const BeamRun &beam : layout.beams) {
        for (size_t i = 0; i < beam.posts.size(); ++i) {
            const Member &post = *beam.posts[i];
            const double x = centreX(post);
            const Box tributary{i > 0 ? (centreX(*beam.posts[i - 1]) + x) / 2 : beam.x0,
                          i + 1 < beam.posts.size() ? (centreX(*beam.posts[i + 1]) + x) / 2 : beam.x1,
                          beam.line > 0 ? (lines[beam.line - 1] + beam.z) / 2
                                        : std::isnan(nearEdge) ? extent.z0 : (nearEdge + beam.z) / 2,
                          beam.line + 1 < lines.size() ? (lines[beam.line + 1] + beam.z) / 2
                                        : std::isnan(farEdge) ? extent.z1 : (farEdge + beam.z) / 2};
            layout.posts.push_back({&post, &beam, post.thickness, area(clip(deck.outline, tributary)) / 144});
        }
    }
    return layout;
}

// A rule's result over its members: the governing one (least to spare)
// speaks for the row.
struct Judged {
    QString member;
    double value = 0, limit = 0;
    TableValue table;
    Verdict verdict = Verdict::Pass;
    QString detail; // what the sentence needs beyond value and limit
    double basis = 0; // what the table was looked up for, where a fix looks it up again
};

Verdict verdictOf(const TableValue &table, double value)
{
    if (table.status == TableValue::Outside)
        return Verdict::Outside;
    if (table.status == TableValue::NotPermitted || value > table.inches + slack)
        return Verdict::Fail;
    return Verdict::Pass;
}

// The row of a rule from its members' results: failing members, else those
// outside the tables, else every member judged; the governing one's numbers.
CodeCheck rowOf(const QString &rule, const std::vector<Judged> &all, const Judged **governing)
{
    CodeCheck row;
    row.rule = rule;
    row.result = Verdict::Pass;
    for (const Judged &j : all)
        if (j.verdict == Verdict::Fail || (j.verdict == Verdict::Outside && row.result == Verdict::Pass))
            row.result = j.verdict;
    const Judged *worst = nullptr;
    for (const Judged &j : all) {
        if (j.verdict != row.result)
            continue;
        if (std::find(row.members.begin(), row.members.end(), j.member) == row.members.end())
            row.members.push_back(j.member);
        const double excess = j.verdict == Verdict::Pass ? j.value - j.limit
                              : j.table.status == TableValue::Value ? j.value - j.table.inches
                                                                     : INFINITY;
        const double worstExcess = !worst ? -INFINITY
                                   : worst->verdict == Verdict::Pass ? worst->value - worst->limit
                                   : worst->table.status == TableValue::Value ? worst->value - worst->table.inches
                                                                               : INFINITY;
        if (!worst || excess > worstExcess)
            worst = &j;
    }
    *governing = worst;
    if (worst) {
        row.valueInches = worst->value;
        if (worst->table.status == TableValue::Value)
            row.limitInches = worst->limit;
        row.cell = worst->table.cell;
    }
    return row;
}

Judged judged(const QString &member, double value, const TableValue &table, const QString &detail = {})
{
    return {member, value, table.inches, table, verdictOf(table, value), detail};
}

QString plural(int count, const QString &one, const QString &many) { return count == 1 ? one : many; }

// --- Joists ---------------------------------------------------------------------

struct Sizes {
    QString joist;  // "2x6"
    QString beam;   // "2-2x8"
    QString post;   // "4x4"
    QString species;
};


CodeCheck joistSpanRow(const Layout &layout, const Sizes &sizes, const CodeSettings &settings)
{
    std::vector<Judged> all;
    // Every joist is the same size at the same spacing: one cell for all.
    std::optional<TableValue> allowed;
    for (const JoistRun &run : layout.joists) {
        if (run.supports.size() < 2) {
            Judged header{run.joist->name, 0, 0, {}, Verdict::Outside};
            header.table.cell = QStringLiteral("Table R507.6 spans joists between beams");
            all.push_back(header);
            continue;
        }
        double span = 0;
        for (size_t i = 1; i < run.supports.size(); ++i)
            span = std::max(span, run.supports[i] - run.supports[i - 1]);
        if (!allowed)
            allowed = codetables::joistSpan(settings, sizes.joist, layout.joistSpacing);
        all.push_back(judged(run.joist->name, span, *allowed));
    }
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.6 joist span"), all, &g);
    if (!g)
        return row;
    const QString spacing = inchesText(layout.joistSpacing);
    const QString what = QStringLiteral("%1 %2 at %3 on centre").arg(sizes.joist, sizes.species, spacing);
    if (g->table.noRow) {
        row.sentence = noRowSentence(QStringLiteral("Table R507.6"), sizes.joist, QStringLiteral("joists"), sizesListed(tableLumberList()));
    } else if (row.result == Verdict::Outside && g->table.status == TableValue::Outside && g->value == 0) {
        row.valueInches.reset();
        row.sentence = QStringLiteral("%1 %2 on one beam line and a rim joist: a rim joist that carries joists is a "
                                      "header, which the deck tables do not cover. Have it designed by a "
                                      "professional, or put a beam line under those joists.")
                           .arg(row.members.size() == 1 ? row.members.front()
                                                        : QStringLiteral("%1 joists").arg(row.members.size()),
                                plural(int(row.members.size()), QStringLiteral("bears"), QStringLiteral("bear")));
    } else if (row.result == Verdict::Outside) {
        row.sentence = QStringLiteral("Joists span %1 between beam lines, but %2 (%3).")
                           .arg(feet(g->value), QStringLiteral("the table has no span for %1").arg(what), g->table.cell);
    } else if (row.result == Verdict::Fail) {
        QString fix = QStringLiteral("add a beam line");
        for (const QString &size : codetables::tableLumber()) {
            const TableValue v = codetables::joistSpan(settings, size, layout.joistSpacing);
            if (v.status == TableValue::Value && v.inches + slack >= g->value) {
                fix = QStringLiteral("use %1 joists, or add a beam line").arg(size);
                break;
            }
        }
        row.sentence = QStringLiteral("Joists span %1 between beam lines; Table R507.6 allows %2 for %3. %4.")
                           .arg(feet(g->value), feet(g->limit), what, fix.front().toUpper() + fix.mid(1));
    } else {
        row.sentence = QStringLiteral("Joists span at most %1 between beam lines; Table R507.6 allows %2 for %3.")
                           .arg(feet(g->value), feet(g->limit), what);
    }
    return row;
}

// How far to move the outer beam lines out so that the joists' cantilever
// passes: the beam lines spread evenly again between them, at most the
// file's beam-line spacing apart, as the framing lays them; nothing when no
// move does it.
std::optional<double> beamsOutBy(const DeckParameters &p, double depthInches, const Sizes &sizes,
                                 const CodeSettings &settings, double cantilever)
{
    const double most = p.beamSpacing * 12;
    for (double out = 0.25; out < cantilever; out += 0.25) {
        const double left = cantilever - out, between = depthInches - 2 * left;
        if (most <= 0 || between <= 0)
            break;
        const int gaps = int(std::ceil(between / most - 1e-9));
        const TableValue limit = codetables::joistCantilever(settings, sizes.joist, between / gaps);
        if (limit.status == TableValue::Value && left <= limit.inches + slack)
            return out;
    }
    return std::nullopt;
}

CodeCheck joistCantileverRow(const Layout &layout, const Sizes &sizes, const CodeSettings &settings, const Deck &deck)
{
    std::vector<Judged> all;
    std::map<double, TableValue> allowed; // by back span: most joists share a few
    for (const JoistRun &run : layout.joists) {
        if (run.supports.size() < 2)
            continue;
        const size_t last = run.supports.size() - 1;
        const double ends[2][2] = {{run.supports.front() - run.edge0, run.supports[1] - run.supports[0]},
                                   {run.edge1 - run.supports.back(), run.supports[last] - run.supports[last - 1]}};
        for (const auto &[cantilever, backSpan] : ends) {
            if (cantilever <= bearing)
                continue;
            auto cell = allowed.find(backSpan);
            if (cell == allowed.end() || !std::isfinite(backSpan))
                cell = allowed.insert_or_assign(backSpan, codetables::joistCantilever(settings, sizes.joist, backSpan)).first;
            Judged j = judged(run.joist->name, cantilever, cell->second);
            j.detail = feet(backSpan);
            all.push_back(j);
        }
    }
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.6 joist cantilever"), all, &g);
    if (!g) {
        row.sentence = QStringLiteral("No joist cantilevers past its beam lines.");
        return row;
    }
    const QString what = QStringLiteral("%1 %2 with a %3 back span").arg(sizes.joist, sizes.species, g->detail);
    if (g->table.noRow) {
        row.sentence = noRowSentence(QStringLiteral("Table R507.6"), sizes.joist, QStringLiteral("joists"), sizesListed(tableLumberList()));
        return row;
    }
    switch (row.result) {
    case Verdict::Fail:
        row.sentence = g->table.status == TableValue::NotPermitted
            ? QStringLiteral("Joists cantilever %1 past the outer beams, which Table R507.6 does not permit for %2. "
                             "Use deeper joists, or a shorter back span.")
                  .arg(inchesText(g->value), what)
            : QStringLiteral("Joists cantilever %1 past the outer beams; Table R507.6 allows %2 for %3. %4")
                  .arg(inchesText(g->value), inchesText(g->limit), what,
                       [&] {
                           const Box extent = bounds(deck.outline);
                           const std::optional<double> out =
                               beamsOutBy(deck.parameters, extent.z1 - extent.z0, sizes, settings, g->value);
                           return out ? QStringLiteral("Move the outer beams out %1, the lines between spread evenly again.")
                                            .arg(inchesText(*out))
                                      : QStringLiteral("Use deeper joists, or have the cantilever designed by a professional.");
                       }());
        break;
    case Verdict::Outside:
        row.sentence = QStringLiteral("Joists cantilever %1 past a beam line with a %2 back span, outside Table R507.6 (%3): "
                                      "have it designed by a professional, or lengthen the back span.")
                           .arg(inchesText(g->value), g->detail, g->table.cell);
        break;
    default:
        row.sentence = QStringLiteral("Joists cantilever at most %1 past the outer beams; Table R507.6 allows %2 for %3.")
                           .arg(inchesText(g->value), inchesText(g->limit), what);
    }
    return row;
}

// --- Beams ------------------------------------------------------------------------

// Whether a beam carries joists on both sides (joists running on over it).
bool carriesBothSides(const Layout &layout, const BeamRun &beam)
{
    for (const JoistRun &run : layout.joists)
        for (size_t i = 1; i + 1 < run.beams.size(); ++i)
            if (run.beams[i] == &beam)
                return true;
    return false;
}

CodeCheck beamSupportRow(const Layout &layout)
{
    CodeCheck row;
    row.rule = QStringLiteral("R507.5 beam carrying one span of joists");
    row.result = Verdict::Pass;
    std::vector<QString> both, all;
    for (const BeamRun &beam : layout.beams) {
        all.push_back(beam.name());
        if (carriesBothSides(layout, beam))
            both.push_back(beam.name());
    }
    row.cell = QStringLiteral("Tables R507.5(1) to (4), footnote b: beams supporting a single span of joists, with or "
                              "without cantilever");
    if (both.empty()) {
        row.members = all;
        row.sentence = QStringLiteral("Every beam carries a single span of joists, as Table R507.5 assumes.");
        return row;
    }
    row.members = both;
    row.result = Verdict::Outside;
    row.sentence = QStringLiteral("%1 %2 joists from both sides; Table R507.5 covers only beams under a single span of "
                                  "joists, so %3 a design by a professional, or a framing with two beam lines and the "
                                  "joists spanning between them.")
                       .arg(both.size() == 1 ? both.front() : QStringLiteral("%1 beams").arg(both.size()),
                            plural(int(both.size()), QStringLiteral("carries"), QStringLiteral("carry")),
                            plural(int(both.size()), QStringLiteral("it needs"), QStringLiteral("they need")));
    return row;
}

// The effective joist span a beam carries (Table R507.5(5)): the longest of
// its joists' spans times the factor for their cantilever past it.
struct Effective {
    TableValue factor;
    double span = 0, cantilever = 0;
    double inches() const { return span * factor.inches; }
};

Effective effectiveSpan(const Layout &layout, const BeamRun &beam)
{
    Effective worst;
    bool any = false;
    for (const JoistRun &run : layout.joists) {
        if (run.beams.size() < 2)
            continue;
        const bool first = run.beams.front() == &beam, last = run.beams.back() == &beam;
        if (!first && !last)
            continue;
        const size_t n = run.supports.size();
        const double span = first ? run.supports[1] - run.supports[0] : run.supports[n - 1] - run.supports[n - 2];
        double cantilever = first ? run.supports[0] - run.edge0 : run.edge1 - run.supports[n - 1];
        if (cantilever <= bearing)
            cantilever = 0;
        Effective e{codetables::joistSpanFactor(cantilever, span), span, cantilever};
        const bool worse = !any || (e.factor.status != TableValue::Value && worst.factor.status == TableValue::Value)
                           || (e.factor.status == worst.factor.status && e.inches() > worst.inches());
        if (worse)
            worst = e, any = true;
    }
    return worst;
}

std::vector<double> postXs(const BeamRun &beam)
{
    std::vector<double> xs;
    for (const Member *post : beam.posts)
        xs.push_back(centreX(*post));
    return xs;
}

const std::vector<QString> &beamSizes()
{
    static const std::vector<QString> sizes = [] {
        std::vector<QString> all;
        for (int plies : {1, 2, 3})
            for (const QString &size : codetables::tableLumber())
                all.push_back(QStringLiteral("%1-%2").arg(plies).arg(size));
        return all;
    }();
    return sizes;
}

CodeCheck beamSpanRow(const Layout &layout, const Sizes &sizes, const CodeSettings &settings)
{
    std::vector<Judged> all;
    for (const BeamRun &beam : layout.beams) {
        if (carriesBothSides(layout, beam))
            continue;
        const Effective e = effectiveSpan(layout, beam);
        const std::vector<double> xs = postXs(beam);
        double span = 0;
        for (size_t i = 1; i < xs.size(); ++i)
            span = std::max(span, xs[i] - xs[i - 1]);
        if (e.factor.status != TableValue::Value) {
            Judged j{beam.name(), span, 0, e.factor, Verdict::Outside,
                     QStringLiteral("%1|%2").arg(inchesText(e.cantilever), feet(e.span))};
            all.push_back(j);
            continue;
        }
        Judged j = judged(beam.name(), span, codetables::beamSpan(settings, sizes.beam, e.inches()));
        j.detail = feet(e.inches());
        j.basis = e.inches();
        all.push_back(j);
    }
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.5 beam span"), all, &g);
    if (!g) {
        row.result = layout.beams.empty() ? Verdict::Pass : Verdict::Outside;
        row.sentence = QStringLiteral("No beam carries a single span of joists, so Table R507.5 can judge none of them.");
        return row;
    }
    const QString what = article(QStringLiteral("%1 %2 beam").arg(sizes.beam, sizes.species));
    if (g->table.noRow) {
        row.sentence = noRowSentence(QStringLiteral("Table R507.5"), sizes.beam, QStringLiteral("beams"),
                                     QStringLiteral("1 to 3 plies of ") + sizesListed(tableLumberList()));
    } else if (row.result == Verdict::Outside && g->table.cell.startsWith(u"Table R507.5(5)")) {
        const QStringList d = g->detail.split(u'|');
        row.valueInches.reset();
        row.sentence = QStringLiteral("%1: its joists cantilever %2 past it on a %3 span, more than the quarter of their "
                                      "span that Table R507.5(5) reaches. Shorten the joist cantilever, or have the beam "
                                      "designed by a professional.")
                           .arg(g->member, d.value(0), d.value(1));
    } else if (row.result == Verdict::Outside) {
        row.sentence = QStringLiteral("%1 spans %2 between posts, outside Table R507.5 (%3): have it designed by a "
                                      "professional.")
                           .arg(g->member, feet(g->value), g->table.cell);
    } else if (row.result == Verdict::Fail) {
        QString bigger;
        for (const QString &size : beamSizes()) {
            const TableValue v = codetables::beamSpan(settings, size, g->basis);
            if (v.status == TableValue::Value && v.inches + slack >= g->value) {
                bigger = QStringLiteral(", or use a %1 beam").arg(size);
                break;
            }
        }
        row.sentence = QStringLiteral("%1 spans %2 between posts; Table R507.5 allows %3 for %4 under an effective joist "
                                      "span of %5. Add posts, at most %3 apart%6.")
                           .arg(g->member, feet(g->value), feet(g->limit), what, g->detail, bigger);
    } else {
        row.sentence = QStringLiteral("Beams span at most %1 between posts; Table R507.5 allows %2 for %3 under an "
                                      "effective joist span of %4.")
                           .arg(feet(g->value), feet(g->limit), what, g->detail);
    }
    return row;
}

CodeCheck beamCantileverRow(const Layout &layout)
{
    std::vector<Judged> all;
    for (const BeamRun &beam : layout.beams) {
        const std::vector<double> xs = postXs(beam);
        if (xs.empty())
            continue;
        const double firstSpan = xs.size() > 1 ? xs[1] - xs[0] : 0;
        const double lastSpan = xs.size() > 1 ? xs.back() - xs[xs.size() - 2] : 0;
        for (const auto &[cantilever, span] : {std::pair{xs.front() - beam.x0, firstSpan}, std::pair{beam.x1 - xs.back(), lastSpan}}) {
            TableValue quarter;
            quarter.status = TableValue::Value;
            quarter.inches = span / 4;
            quarter.cell = QStringLiteral("R507.5: a quarter of the adjacent beam span, %1").arg(feet(span));
            Judged j = judged(beam.name(), cantilever, quarter, feet(span));
            // With n posts spread evenly and the ends set in c, the span is
            // (L - 2c) / (n - 1), so c <= L / (4n - 2) passes; one post
            // has no span at all, and two are needed, L / 6 in.
            const double length = beam.x1 - beam.x0;
            const int posts = std::max(2, int(xs.size()));
            j.basis = length / (4 * posts - 2);
            j.table.noRow = xs.size() == 1; // one post: the fix is a second one
            all.push_back(j);
        }
    }
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.5 beam cantilever"), all, &g);
    if (!g)
        return row;
    // Whole eighths down, so that the advice taken as written passes.
    const QString setIn = inchesText(std::floor(g->basis * 8 + 1e-9) / 8);
    if (row.result == Verdict::Fail && g->table.noRow)
        row.sentence = QStringLiteral("%1 rests on one post, %2 from its ends; R507.5 lets a beam cantilever only a "
                                      "quarter of its span between posts. Put two posts under it, each at most %3 in "
                                      "from its ends.")
                           .arg(g->member, inchesText(g->value), setIn);
    else if (row.result == Verdict::Fail)
        row.sentence = QStringLiteral("%1 cantilevers %2 past its end post; R507.5 allows a quarter of the adjacent %3 "
                                      "span, %4. Set the end posts at most %5 in from the beam's ends, the posts "
                                      "between spread evenly.")
                           .arg(g->member, inchesText(g->value), g->detail, inchesText(g->limit), setIn);
    else
        row.sentence = QStringLiteral("Beams cantilever at most %1 past their end posts; R507.5 allows a quarter of the "
                                      "adjacent %2 span, %3.")
                           .arg(inchesText(g->value), g->detail, inchesText(g->limit));
    return row;
}

// --- Posts, footings, decking, guard ------------------------------------------

QString area(double squareFeet) { return lengthtext::squareFeetText(squareFeet); }

CodeCheck postHeightRow(const Layout &layout, const Sizes &sizes, const CodeSettings &settings)
{
    std::vector<Judged> all;
    std::vector<QString> blocks;
    std::map<double, TableValue> allowed; // by tributary area: posts in a row share a few
    for (const PostSpot &spot : layout.posts) {
        if (spot.post->kind == Kind::Block) {
            blocks.push_back(spot.post->name);
            continue;
        }
        auto cell = allowed.find(spot.tributarySquareFeet);
        if (cell == allowed.end() || !std::isfinite(spot.tributarySquareFeet))
            cell = allowed.insert_or_assign(spot.tributarySquareFeet,
                                            codetables::postHeight(settings, sizes.post, spot.tributarySquareFeet)).first;
        Judged j = judged(spot.post->name, spot.height, cell->second);
        j.detail = area(spot.tributarySquareFeet);
        all.push_back(j);
    }
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.4 post height"), all, &g);
    if (all.empty() && !blocks.empty()) {
        row.result = Verdict::Information;
        row.members = blocks;
        row.sentence = QStringLiteral("The deck is too low for posts: its beams rest on %1 deck blocks, so Table R507.4 "
                                      "has no post to check.")
                           .arg(blocks.size());
        return row;
    }
    if (!g)
        return row;
    const QString what = article(QStringLiteral("%1 %2 post").arg(sizes.post, sizes.species));
    if (g->table.noRow) {
        row.sentence = noRowSentence(QStringLiteral("Table R507.4"), sizes.post, QStringLiteral("posts"),
                                     sizesListed({QStringLiteral("4x4"), QStringLiteral("4x6"), QStringLiteral("6x6"),
                                                  QStringLiteral("8x8")}));
        return row;
    }
    switch (row.result) {
    case Verdict::Fail:
        row.sentence = g->table.status == TableValue::NotPermitted
            ? QStringLiteral("%1 carries %2 of deck, which Table R507.4 does not permit for %3. Use larger posts, or "
                             "more of them.")
                  .arg(g->member, g->detail, what)
            : QStringLiteral("%1 stands %2 under %3 of deck; Table R507.4 allows %4 for %5. Use larger posts, or more "
                             "of them.")
                  .arg(g->member, feet(g->value), g->detail, feet(g->limit), what);
        break;
    case Verdict::Outside:
        row.sentence = QStringLiteral("%1 carries %2 of deck, more than Table R507.4 covers (%3). Add posts, or have "
                                      "them designed by a professional.")
                           .arg(g->member, g->detail, g->table.cell);
        break;
    default:
        row.sentence = QStringLiteral("Posts stand at most %1 (%2, under %3 of deck); Table R507.4 allows %4 for %5.")
                           .arg(feet(g->value), g->member, g->detail, feet(g->limit), what);
    }
    return row;
}

CodeCheck footingRow(const Layout &layout, const CodeSettings &settings)
{
    CodeCheck row;
    row.rule = QStringLiteral("R507.3.1 footing size");
    row.result = Verdict::Information;
    const PostSpot *most = nullptr;
    for (const PostSpot &spot : layout.posts) {
        row.members.push_back(spot.post->name);
        if (!most || spot.tributarySquareFeet > most->tributarySquareFeet)
            most = &spot;
    }
    if (!most)
        return row;
    const codetables::FootingValue need = codetables::footingSize(settings, most->tributarySquareFeet);
    row.cell = need.size.cell;
    const QString soil = QLocale(QLocale::English, QLocale::UnitedStates).toString(settings.soilBearingPsf);
    if (need.size.status != TableValue::Value) {
        row.result = Verdict::Outside;
        row.members = {most->post->name};
        row.sentence = QStringLiteral("%1 carries %2 of deck, more than Table R507.3.1 sizes footings for. Add posts, or "
                                      "have the footings designed by a professional.")
                           .arg(most->post->name, area(most->tributarySquareFeet));
        return row;
    }
    row.valueInches = need.size.inches;
    row.sentence = QStringLiteral("%2 footings at least %1 and %3 thick under the most loaded %7 (%4, %5 of deck) on "
                                  "%6 psf soil, their bottoms at least 12\" below undisturbed ground.")
                       .arg(inchesText(std::ceil(need.size.inches - 1e-9))
                                + (settings.footing == FootingShape::Round ? QStringLiteral(" across") : QStringLiteral(" a side")),
                            settings.footing == FootingShape::Round ? QStringLiteral("Round") : QStringLiteral("Square"),
                            inchesText(std::ceil(need.thicknessInches - 1e-9)), most->post->name,
                            area(most->tributarySquareFeet), soil,
                            most->post->kind == Kind::Block ? QStringLiteral("deck block") : QStringLiteral("post"));
    return row;
}

CodeCheck deckingRow(const Deck &deck)
{
    // The joists and rim joists running along Z that each board crosses.
    // A board lying along a rim joist that runs along X bears on it all along,
    // as does one lying along the ledger.
    std::vector<std::pair<double, Box>> supports;
    std::vector<Box> alongRims;
    for (const Member &m : deck.members) {
        const Box b = boxOf(m);
        const double width = deck.parameters.joistWidth + 0.01;
        if ((m.kind == Kind::Joist || m.kind == Kind::RimJoist) && b.x1 - b.x0 <= width)
            supports.push_back({(b.x0 + b.x1) / 2, b});
        else if ((m.kind == Kind::RimJoist || m.kind == Kind::Ledger) && b.z1 - b.z0 <= width)
            alongRims.push_back(b);
    }
    std::sort(supports.begin(), supports.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    double widest = 0;
    bool single = false;
    for (const Member &board : deck.members) {
        if (board.kind != Kind::DeckingBoard)
            continue;
        const Box b = boxOf(board);
        if (std::any_of(alongRims.begin(), alongRims.end(),
                        [&](const Box &rim) { return b.z0 >= rim.z0 - 1e-6 && b.z1 <= rim.z1 + 1e-6; }))
            continue;
        std::vector<double> under;
        for (const auto &[x, s] : supports)
            if (x >= b.x0 - 1e-6 && x <= b.x1 + 1e-6 && s.z0 < b.z1 - 1e-6 && s.z1 > b.z0 + 1e-6)
                under.push_back(x);
        if (under.size() < 3)
            single = true;
        // Between two supports a rim joist along the board carries it too
        // (where a board crosses an inside corner of the outline).
        for (size_t i = 1; i < under.size(); ++i) {
            const bool carried = std::any_of(alongRims.begin(), alongRims.end(), [&](const Box &rim) {
                return rim.z0 < b.z1 - 1e-6 && rim.z1 > b.z0 + 1e-6 && rim.x0 <= under[i - 1] + 1e-6
                       && rim.x1 >= under[i] - 1e-6;
            });
            if (!carried)
                widest = std::max(widest, under[i] - under[i - 1]);
        }
    }
    const double thickness = deck.parameters.deckingThickness;
    const TableValue table = codetables::deckingSpacing(thickness, !single);
    Judged j = judged(QString(), widest, table);
    const Judged *g = nullptr;
    CodeCheck row = rowOf(QStringLiteral("R507.7 decking span"), {j}, &g);
    row.members.clear();
    const QString board = thickness == 1 ? QStringLiteral("5/4") : QStringLiteral("2-inch");
    const QString spans = single ? QStringLiteral("across two joists") : QStringLiteral("across three or more joists");
    if (row.result == Verdict::Outside)
        row.sentence = QStringLiteral("The decking is %1 thick; Table R507.7 covers 5/4 and 2-inch wood boards only.")
                           .arg(inchesText(thickness));
    else if (row.result == Verdict::Fail)
        row.sentence = QStringLiteral("The decking spans %1 between joists; Table R507.7 allows %2 for %3 boards %4. "
                                      "Space the joists at most %2 apart%5.")
                           .arg(inchesText(widest), inchesText(table.inches), board, spans,
                                thickness == 1 ? QStringLiteral(", or use 2-inch boards") : QString());
    else
        row.sentence = QStringLiteral("The decking spans at most %1 between joists; Table R507.7 allows %2 for %3 "
                                      "boards %4.")
                           .arg(inchesText(widest), inchesText(table.inches), board, spans);
    return row;
}

CodeCheck guardRow(const Deck &deck)
{
    double walking = 0;
    for (const Member &m : deck.members)
        if (m.kind == Kind::DeckingBoard)
            walking = std::max(walking, m.top());
    CodeCheck row;
    row.rule = QStringLiteral("R312.1.1 guard");
    row.result = Verdict::Information;
    row.valueInches = walking;
    row.limitInches = 30;
    row.cell = QStringLiteral("R312.1.1: guards on open sides of walking surfaces more than 30\" above the grade below");
    row.sentence = walking > 30
        ? QStringLiteral("The deck's surface is %1 above grade, more than 30\": every open side needs a guard at "
                         "least 36\" high, with openings a 4\" sphere cannot pass through.")
              .arg(feet(walking))
        : QStringLiteral("The deck's surface is %1 above grade, not more than 30\": no guard is required.").arg(feet(walking));
    return row;
}

// The AWC deck guide's advice, not a rule of the tables: guard posts bolted
// to rim joists of 2x8 or deeper.
CodeCheck guardRimAdvice(const Deck &deck)
{
    CodeCheck row;
    row.rule = QStringLiteral("Guard posts on the rim joists");
    row.result = Verdict::Information;
    row.valueInches = deck.parameters.joistHeight;
    row.limitInches = guardRimDepthInches();
    row.cell = QStringLiteral("AWC deck construction guide (DCA 6): rim joists carrying guards at least 2x8");
    row.sentence = QStringLiteral("The guard posts are bolted to rim joists %1 deep; the AWC deck guide advises rims of "
                                  "2x8 or deeper where guards attach.")
                       .arg(inchesText(deck.parameters.joistHeight));
    for (const Member &m : deck.members)
        if (m.kind == Kind::RimJoist)
            row.members.push_back(m.name);
    return row;
}

Sizes sizesOf(const Deck &deck, const CodeSettings &settings)
{
    const DeckParameters &p = deck.parameters;
    Sizes s;
    s.joist = lumberName(p.joistWidth, p.joistHeight);
    s.beam = QStringLiteral("%1-%2").arg(p.beamPlies).arg(lumberName(p.beamPly, p.beamHeight));
    s.post = lumberName(p.postSize, p.postSize);
    s.species = codetables::speciesCellName(settings.species);
    return s;
}

} // namespace

QString lumberName(double thicknessInches, double depthInches)
{
    for (const deckfile::Lumber &size : deckfile::lumber())
        if (std::abs(size.thicknessInches - thicknessInches) < 1e-6 && std::abs(size.depthInches - depthInches) < 1e-6)
            return QLatin1String(size.nominal);
    return QStringLiteral("%1 x %2").arg(inchesText(thicknessInches), inchesText(depthInches));
}

CodeReport checkCode(const Deck &deck, const CodeSettings &settings)
{
    const Layout layout = layoutOf(deck);
    const Sizes sizes = sizesOf(deck, settings);
    CodeReport report;
    report.settings = settings;
    report.checks = {joistSpanRow(layout, sizes, settings),
                     joistCantileverRow(layout, sizes, settings, deck),
                     beamSupportRow(layout),
                     beamSpanRow(layout, sizes, settings),
                     beamCantileverRow(layout),
                     postHeightRow(layout, sizes, settings),
                     footingRow(layout, settings),
                     deckingRow(deck),
                     guardRow(deck)};
    for (CodeCheck &row : ledgerChecks(deck, settings))
        report.checks.push_back(std::move(row));
    for (CodeCheck &row : guardAndStairChecks(deck))
        report.checks.push_back(std::move(row));
    if (rimTooShallowForGuards(deck))
        report.checks.push_back(guardRimAdvice(deck));
    return report;
}

// The rows in checkCode's order, each made only while those before it pass;
// the joists' rows first, which the posts have no part in.
CodeOutcome codeOutcome(const Deck &deck, const CodeSettings &settings)
{
    const auto judgedWell = [](const CodeCheck &row) { return row.result != Verdict::Fail && row.result != Verdict::Outside; };
    const Layout layout = layoutOf(deck);
    const Sizes sizes = sizesOf(deck, settings);
    if (!judgedWell(joistSpanRow(layout, sizes, settings)) || !judgedWell(joistCantileverRow(layout, sizes, settings, deck))
        || !judgedWell(beamSupportRow(layout)))
        return CodeOutcome::FailsOnJoists;
    if (!judgedWell(beamSpanRow(layout, sizes, settings)) || !judgedWell(beamCantileverRow(layout))
        || !judgedWell(postHeightRow(layout, sizes, settings)) || !judgedWell(footingRow(layout, settings))
        || !judgedWell(deckingRow(deck)) || !judgedWell(guardRow(deck)))
        return CodeOutcome::Fails;
    const std::vector<CodeCheck> ledger = ledgerChecks(deck, settings);
    if (!std::all_of(ledger.begin(), ledger.end(), judgedWell))
        return CodeOutcome::Fails;
    const std::vector<CodeCheck> guards = guardAndStairChecks(deck);
    if (!std::all_of(guards.begin(), guards.end(), judgedWell))
        return CodeOutcome::Fails;
    if (rimTooShallowForGuards(deck) && !judgedWell(guardRimAdvice(deck)))
        return CodeOutcome::Fails;
    return CodeOutcome::Passes;
}

std::vector<FootingNeed> footingNeeds(const Deck &deck, const CodeSettings &settings)
{
    std::vector<FootingNeed> needs;
    for (const PostSpot &spot : layoutOf(deck).posts) {
        const codetables::FootingValue v = codetables::footingSize(settings, spot.tributarySquareFeet);
        needs.push_back({spot.post->name, centreX(*spot.post), centreZ(*spot.post), spot.tributarySquareFeet,
                         v.size.status == TableValue::Value ? std::ceil(v.size.inches - 1e-9) : 0,
                         v.size.status == TableValue::Value ? std::ceil(v.thicknessInches - 1e-9) : 0,
                         v.size.status != TableValue::Value});
    }
    return needs;
}

double framingBoardFeet(const Deck &deck)
{
    auto nominal = [](double actual) {
        const QString name = deckfile::nominalInches(actual);
        return name.isEmpty() ? actual : name.contains(u'/') ? 1.25 : name.toDouble();
    };
    const DeckParameters &p = deck.parameters;
    double boardFeet = 0;
    for (const Member &m : deck.members) {
        double length = 0;
        for (size_t i = 0; i < m.plan.size(); ++i) {
            const Point &a = m.plan[i], &b = m.plan[(i + 1) % m.plan.size()];
            length = std::max(length, std::hypot(a.x - b.x, a.z - b.z));
        }
        switch (m.kind) {
        case Kind::Post: boardFeet += nominal(p.postSize) * nominal(p.postSize) * m.thickness / 144; break;
        case Kind::BeamPly: boardFeet += nominal(p.beamPly) * nominal(p.beamHeight) * length / 144; break;
        case Kind::Joist:
        case Kind::RimJoist: boardFeet += nominal(p.joistWidth) * nominal(p.joistHeight) * length / 144; break;
        default: break;
        }
    }
    return boardFeet;
}

} // namespace deckmodel
