// Guards and the stair on every shape against a hand count (data/guards.txt):
// the outline's edges, the front edge, the guard posts on an edge (the
// 45-degree cuts and the L's inside corners among them) and in all, and the
// stair moved to that edge or refused. Then the code check's guard and stair
// rows for the worked example, as built and with faults planted
// (data/guard-checks.txt).
#include "deckcases.h"
#include "guardchecks.h"
#include "guards.h"
#include "stair.h"

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
    {"top rails 1 inch lower", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.name.startsWith(u"Top rail "); }, -1); }},
    {"tread 2 an inch higher", [](Deck &d) { moveWhere(d, [](const Member &m) { return m.name.startsWith(u"Tread 2 "); }, 1); }},
};

} // namespace

class TestGuards : public QObject {
    Q_OBJECT
private slots:
    void everyShape_data()
    {
        QTest::addColumn<QStringList>("row");
        const QList<QStringList> rows = tableRows("guards.txt");
        QCOMPARE(rows.size(), 11);
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0])) << r;
    }
    void everyShape()
    {
        QFETCH(QStringList, row);
        const QStringList size = row[1].split(u' ');
        const DeckParameters p = deckOf(size[0].toInt(), size[1].toDouble(), size[2].toDouble(), size[3].toDouble(),
                                        QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"));
        const jm::Result<Deck> built = buildDeck(p);
        QVERIFY2(built, qPrintable(built.error()));
        const Deck &deck = *built;
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
        extras.stair.widthInches = deck == u"stair 30 wide" ? 30 : 36;
        jm::Result<Deck> built = buildDeck(workedExample(), extras);
        QVERIFY2(built, qPrintable(built.error()));
        if (Faults.count(deck))
            Faults.at(deck)(*built);
        const std::vector<CodeCheck> rows = guardAndStairChecks(*built);
        QCOMPARE(rows.size(), size_t(6));
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const CodeCheck &c) { return c.rule == expected[0]; });
        QVERIFY(row != rows.end());
        const auto number = [](const std::optional<double> &v) { return v ? rounded(*v) : QStringLiteral("-"); };
        QCOMPARE((QStringList{row->rule, QString(row->result == Verdict::Pass ? "pass" : row->result == Verdict::Fail ? "fail" : "information"), number(row->valueInches), number(row->limitInches)}),
                 expected);
        QVERIFY(!row->sentence.isEmpty() && row->cell.startsWith(expected[0].section(u' ', 0, 0)));
    }
};

QTEST_GUILESS_MAIN(TestGuards)
#include "tst_guards.moc"
