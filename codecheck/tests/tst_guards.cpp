// Guards and the stair on every shape against a hand count (data/guards.txt):
// the outline's edges, the front edge, the guard posts on an edge (the
// 45-degree cuts and the L's inside corners among them) and in all, and the
// stair moved to that edge or refused. Then the code check's guard and stair
// rows for the worked example, as built and with faults planted
// (data/guard-checks.txt).
// And the code check's words from hand-made records: the report as JSON and as
// text against golden files, the verdict line against a table, and the
// settings' keys read back or refused.
#include "codecheck.h"
#include "datatable.h"
#include "deckcases.h"
#include "guardchecks.h"
#include "guards.h"
#include "stair.h"

#include "testclasses.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <map>

using namespace deckmodel;

namespace {

QString rounded(double value) { return QString::number(std::round(value * 100) / 100, 'g', 12); }

// Guard posts whose middle stands in the 3.5-inch strip outside the edge.
int postsOn(const Deck &deck, int edge)
{
    const Edge e = edgeOf(deck.outline, edge);
    int posts = 0;
    for (const Member &m : deck.members) {
        if (!m.name.startsWith(u"Guard post "))
            continue;
        const Box b = bounds(m.plan);
        const double x = (b.x0 + b.x1) / 2 - e.start.x, z = (b.z0 + b.z1) / 2 - e.start.z;
        const double along = x * e.along.x + z * e.along.z, out = x * e.out.x + z * e.out.z;
        posts += along > 0 && along < e.lengthInches && out > 0 && out < 3.5 ? 1 : 0;
    }
    return posts;
}

void moveWhere(Deck &deck, const std::function<bool(const Member &)> &test, double up)
{
    for (Member &m : deck.members)
        if (test(m))
            m.base += up;
}

// The faults of data/guard-checks.txt, planted in the worked example.
const std::map<QString, std::function<void(Deck &)>> Faults = {
    {"worked example", [](Deck &) {}},
    {"baluster 1 gone", [](Deck &d) { std::erase_if(d.members, [](const Member &m) { return m.name == u"Baluster 1"; }); }},
    {"handrail 3 inches higher", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.kind == Kind::Handrail; }, 3); }},
    {"handrail 3 inches lower", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.kind == Kind::Handrail; }, -3); }},
    {"handrail gone", [](Deck &d) { std::erase_if(d.members, [](const Member &m) { return m.kind == Kind::Handrail; }); }},
    {"top rails 1 inch lower", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.name.startsWith(u"Top rail "); }, -1); }},
    {"guards gone", [](Deck &d) { d.guardBays.clear(); }},
    // Narrower stairs are refused when built: the row's record is changed after.
    {"stair 30 wide", [](Deck &d) {
         // The treads' boards drawn in about the stair's middle, 36 inches to 30.
         const Stair &s = d.stair;
         for (Member &m : d.members)
             if (m.name.startsWith(u"Tread "))
                 for (Point &p : m.plan) {
                     const double u = (p.x - s.start.x) * s.along.x + (p.z - s.start.z) * s.along.z;
                     const double moved = (u - s.layout.offsetInches) * (30.0 / 36 - 1);
                     p = {p.x + s.along.x * moved, p.z + s.along.z * moved};
                 }
     }},
    {"tread 2 an inch higher", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.name.startsWith(u"Tread 2 "); }, 1); }},
    {"riser boards gone", [](Deck &d) { std::erase_if(d.members, [](const Member &m) { return m.kind == Kind::Riser; }); }},
};

CodeCheck check(const QString &rule, Verdict result, std::vector<QString> members, std::optional<double> value,
                std::optional<double> limit, const QString &cell, const QString &sentence)
{
    return {rule, std::move(members), value, limit, cell, result, sentence};
}

// Eleven balusters between two guard posts, and a third post: 14 members.
std::vector<QString> guardMembers()
{
    std::vector<QString> names{"Guard post 1"};
    for (int i = 1; i <= 11; ++i)
        names.push_back(QStringLiteral("Baluster %1").arg(i));
    names.push_back("Guard post 2");
    names.push_back("Guard post 3");
    return names;
}

// Douglas fir under snow, with a guard and a stair row: a failing cantilever, a passing beam, a post past
// the tables, a footing size to build to; and a framing that would pass.
std::pair<CodeReport, Suggestion> failingDeck()
{
    CodeReport report;
    report.settings = {Species::DouglasFirLarch, 50, 2000, FootingShape::Square};
    report.checks = {
        check("R507.6 joist cantilever", Verdict::Fail, {"Joist 1", "Joist 2"}, 30, 16.5,
              "Table R507.6, 50 psf, Douglas fir-larch 2x8, back span 6 ft: 1-4 1/2",
              "Joist 1 cantilevers 2' 6\" past its beam where 1' 4 1/2\" is allowed; a 2x10 would do."),
        check("R507.5 beam span", Verdict::Pass, {"Beam 1", "Beam 2"}, 72, 90.75,
              "Table R507.5(2), Douglas fir-larch 2-2x10, effective joist span 8 ft: 7-6 3/4",
              "Every beam spans less than the table allows."),
        check("R507.4 post height", Verdict::Outside, {"Post 3"}, 170, std::nullopt, "",
              "Post 3 stands 14' 2\" tall, past the tallest post of the table."),
        check("R507.3.1 footing size", Verdict::Information, {}, std::nullopt, std::nullopt,
              "Table R507.3.1, 2,000 psf: 16 in", "Footings at least 16 in square and 12 in deep."),
        check("R312.1.3 guard openings", Verdict::Pass, guardMembers(), 3.5, 4, "R312.1.3: a 4 in sphere must not pass",
              "The guards' largest opening is 3.5 inches against a 4-inch sphere."),
        check("R311.7.5.1 riser height", Verdict::Pass, {"Tread 1 board 1"}, 7.2, 7.75, "R311.7.5.1: 7 3/4 in maximum",
              "The stair's 5 risers are 7.2 inches high, at most 7 3/4."),
    };
    const DeckParameters p{.overhangX = 1, .overhangZ = 1.5, .postSpacing = 6, .postSize = 6, .beamSpacing = 8.5,
                           .beamHeight = 11.25, .beamPly = 1.5, .beamPlies = 3, .joistHeight = 9.25, .joistWidth = 1.5,
                           .joistSpacing = 16};
    Suggestion suggestion{p, {}, {"Joists 2x10 at 16\" on centre instead of 2x8 at 16\"", "Beams 3-2x12 instead of 2-2x10"},
                          312.45, 290, 6};
    return {report, suggestion};
}

// The default settings, one passing rule, and no framing to suggest.
std::pair<CodeReport, Suggestion> passingDeck()
{
    CodeReport report;
    report.checks = {check("R507.7 decking span", Verdict::Pass, {"Joist 1", "Joist 2", "Joist 3"}, 16, 16,
                           "Table R507.7, 5/4 wood decking, perpendicular: 16 in", "The joists are close enough.")};
    Suggestion suggestion;
    suggestion.why = "The deck already passes.";
    return {report, suggestion};
}
} // namespace

class TestGuards : public QObject {
    Q_OBJECT
private slots:
    void everyShape_data() { rowsOf(JM_TESTDATA "/guards.txt", 11); }
    void everyShape()
    {
        QFETCH(QStringList, row);
        const QStringList size = row[1].split(u' ');
        const DeckParameters p = deckOf(size[0].toInt(), size[1].toDouble(), size[2].toDouble(), size[3].toDouble(),
                                        QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"));
        const Deck deck = framed(p);
        const int edge = row[4].toInt();
        QCOMPARE(QString::number(deck.outline.size()), row[2]);
        QCOMPARE(QString::number(frontEdge(p.deckType, deck.outline)), row[3]);
        QCOMPARE(rounded(edgeOf(deck.outline, edge).lengthInches), rounded(row[5].toDouble()));
        QCOMPARE(QString::number(postsOn(deck, edge)), row[6]);
        int posts = 0;
        for (const Member &m : deck.members)
            posts += m.kind == Kind::GuardPost ? 1 : 0;
        QCOMPARE(QString::number(posts), row[7]);
        // A guard along every edge where there is one at all.
        for (int i = 0; i < int(deck.outline.size()) && posts > 2; ++i)
            QVERIFY2(postsOn(deck, i) >= 2, qPrintable(QString::number(i)));

        Extras moved;
        moved.stair.edge = edge;
        moved.stair.widthInches = size.value(4, QStringLiteral("36")).toDouble();
        std::vector<Finding> findings;
        const jm::Result<Deck> elsewhere = buildDeck(p, moved, &findings);
        QStringList got{elsewhere ? QStringLiteral("fits") : elsewhere.error()};
        for (const Finding &f : findings) {
            QStringList values;
            for (double v : f.values)
                values << rounded(v);
            got = QStringList{f.rule == Rule::StairDoesNotFit ? "StairDoesNotFit" : "other",
                              QStringList(f.members.begin(), f.members.end()).join(", "), "-", values.join(u' ')};
        }
        QCOMPARE(got, row.mid(8));
        if (elsewhere)
            QCOMPARE(elsewhere->stair.layout.edge, edge);
    }

    void hostileStairs_data() { rowsOf(JM_TESTDATA "/hostile-stairs.txt", 13); }
    void hostileStairs()
    {
        QFETCH(QStringList, row);
        const QStringList size = row[1].split(u' ');
        const DeckParameters p = deckOf(size[0].toInt(), size[1].toDouble(), size[2].toDouble(), size[3].toDouble(),
                                        QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"));
        const auto number = [](const QString &text) {
            return text == u"nan" ? qQNaN() : text == u"inf" ? qInf() : text.toDouble();
        };
        Extras extras;
        extras.stair.edge = size.value(4, QStringLiteral("-1")).toInt();
        extras.stair.widthInches = number(row[2]);
        extras.stair.offsetInches = number(row[3]);
        std::vector<Finding> findings;
        const jm::Result<Deck> built = buildDeck(p, extras, &findings);
        QStringList got{built ? QStringLiteral("fits") : built.error()};
        const std::map<Rule, QString> names = {{Rule::StairTooNarrow, "StairTooNarrow"},
                                               {Rule::StairDoesNotFit, "StairDoesNotFit"},
                                               {Rule::TooManyMembers, "TooManyMembers"}};
        for (const Finding &f : findings) {
            QStringList values;
            for (double v : f.values)
                values << (f.rule == Rule::TooManyMembers && v > 5000 ? QStringLiteral("more") : rounded(v));
            got = QStringList{names.count(f.rule) ? names.at(f.rule) : "other",
                              f.members.empty() ? "-" : QStringList(f.members.begin(), f.members.end()).join(", "),
                              f.lines.empty() ? "-" : "lines", values.join(u' ')};
        }
        QCOMPARE(got.join(" | "), row.mid(4).join(" | "));
        // Nothing of a built deck is too small for the geometry kernel to make.
        if (built)
            for (const Member &m : built->members)
                QVERIFY2(m.thickness > 1e-3 && area(m.plan) > 1e-3, qPrintable(m.name));
    }

    void codeRows_data()
    {
        QTest::addColumn<QString>("deck");
        QTest::addColumn<QStringList>("expected");
        for (const QStringList &r : tableRows("guard-checks.txt"))
            QTest::newRow(qPrintable(r[0] + ": " + r[1])) << r[0] << r.mid(1);
    }
    void codeRows()
    {
        QFETCH(QString, deck);
        QFETCH(QStringList, expected);
        Extras extras;
        extras.stair.present = deck != u"no stair";
        // The slice (type 8) 16 x 12 at 7.75 ft: 93 / 7.75 = 12 risers of 7.75.
        DeckParameters p = deck == u"slice 7.75 ft high"
            ? deckOf(8, 16, 12, 7.75, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"))
            : workedExample();
        if (deck == u"2.5 ft high")
            p.height = 2.5;
        jm::Result<Deck> built = buildDeck(p, extras);
        QVERIFY2(built, qPrintable(built.error()));
        if (Faults.count(deck))
            Faults.at(deck)(*built);
        const std::vector<CodeCheck> rows = guardAndStairChecks(*built);
        QCOMPARE(rows.size(), size_t(7));
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const CodeCheck &c) { return c.rule == expected[0]; });
        QVERIFY(row != rows.end());
        const auto number = [](const std::optional<double> &v) { return v ? rounded(*v) : QStringLiteral("-"); };
        QCOMPARE((QStringList{row->rule, QString(row->result == Verdict::Pass ? "pass" : row->result == Verdict::Fail ? "fail" : "information"), number(row->valueInches), number(row->limitInches)}),
                 expected.mid(0, 4));
        QVERIFY(!row->sentence.isEmpty() && row->cell.startsWith(expected[0].section(u' ', 0, 0)));
        if (expected.size() > 4)
            QCOMPARE(row->sentence, expected[4]);
    }

    // Each row's table cell, whole, in the order the rows are listed: the
    // guards', then the stair's (the open risers beside the risers' height,
    // both R311.7.5.1); a deck with no stair prints the stair rules' cells short.
    void rowCells_data()
    {
        QTest::addColumn<bool>("stair");
        QTest::addColumn<QStringList>("cells");
        const QStringList guards{"R312.1.2: 36 in minimum above the walking surface; 34 in above the nosings of a stair",
                                 "R312.1.3: a 4 in sphere must not pass; 6 in under a stair guard's bottom rail"};
        QTest::newRow("worked example") << true
            << guards + QStringList{"R311.7.5.1: 7 3/4 in maximum, within 3/8 in of each other",
                                    "R311.7.5.1: openings between treads may not pass a 4 in sphere where the stair rises more than 30 in",
                                    "R311.7.5.2: 10 in minimum, nosing to nosing", "R311.7.2: 36 in minimum",
                                    "R311.7.8: 34 to 38 in above the nosings, at 4 risers or more"};
        QTest::newRow("no stair") << false
            << guards + QStringList{"R311.7.5.1: 7 3/4 in maximum", "R311.7.5.1: open risers", "R311.7.5.2: 10 in minimum",
                                    "R311.7.2: 36 in minimum", "R311.7.8: 34 to 38 in above the nosings"};
    }
    void rowCells()
    {
        QFETCH(bool, stair);
        Extras extras;
        extras.stair.present = stair;
        const Deck built = framed(workedExample(), extras);
        QStringList cells;
        for (const CodeCheck &row : guardAndStairChecks(built))
            cells << row.cell;
        QTEST(cells, "cells");
    }

    void files_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QString>("golden");
        QTest::newRow("failing deck, JSON") << true << "codecheck-failing.json";
        QTest::newRow("failing deck, text") << true << "codecheck-failing.txt";
        QTest::newRow("passing deck, JSON") << false << "codecheck-passing.json";
        QTest::newRow("passing deck, text") << false << "codecheck-passing.txt";
    }
    void files()
    {
        QFETCH(bool, failing);
        QFETCH(QString, golden);
        const auto [report, suggestion] = failing ? failingDeck() : passingDeck();
        const QByteArray bytes = golden.endsWith(u".json") ? codeCheckJson(report, suggestion)
                                                          : codeCheckText(report, suggestion);
        QCOMPARE(byteLines(bytes), byteLines(dataBytes(JM_TESTDATA "/" + golden)));
    }

    void verdictLines_data() { wordRows(JM_TESTDATA "/verdict-lines.txt", 9); }
    void verdictLines()
    {
        QFETCH(QStringList, words);
        CodeReport report;
        const std::pair<const char *, Verdict> keys[] = {
            {"pass", Verdict::Pass}, {"fail", Verdict::Fail}, {"outside", Verdict::Outside},
            {"information", Verdict::Information}};
        for (const QString &result : words)
            for (const auto &[key, verdict] : keys)
                if (result == QLatin1String(key))
                    report.checks.push_back({.result = verdict});
        QCOMPARE(report.checks.size(), size_t(words.size()));
        QTEST(verdictLine(report), "expected");
    }

    // Each key read back to itself and its words; anything else refused.
    void keys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("read");
        for (const QStringList &f : dataTable(JM_TESTDATA "/setting-keys.txt"))
            QTest::newRow(qPrintable(f[0] + u' ' + f[1])) << f[0] << f[1] << f[2];
    }
    void keys()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QString read = QStringLiteral("refused");
        if (kind == u"species") {
            if (const std::optional<Species> species = speciesNamed(key))
                read = speciesKey(*species) + u'=' + speciesWords(*species);
        } else if (kind == u"footing") {
            if (const std::optional<FootingShape> shape = footingNamed(key))
                read = footingKey(*shape);
        } else if (kind == u"snow" ? isSnowLoad(key.toInt()) : isSoilBearing(key.toInt())) {
            CodeSettings settings;
            settings.snowLoadPsf = kind == u"snow" ? key.toInt() : 0;
            read = kind == u"snow" ? designLoadWords(settings) : QStringLiteral("accepted");
        }
        QTEST(read, "read");
    }
};

JM_TEST_CLASS(TestGuards)
#include "tst_guards.moc"
