// The model checks: every shape frames soundly at its smallest, a typical
// and its largest size (with its outline's area counted by hand), sizes that
// cannot be framed are refused, and a deck with a planted fault fails the
// check that should catch it. Sizes that would crowd members into each other
// are refused before framing. The tables are data/shapes.txt, data/plans.txt
// and data/framing.txt.
#include "deckcases.h"
#include "framing.h"
#include "plan.h"

#include <QTest>

#include <algorithm>

using namespace deckmodel;

Q_DECLARE_METATYPE(deckmodel::DeckParameters)
Q_DECLARE_METATYPE(deckmodel::PlanResult)

namespace {

enum Fault { PostOffBeam, PostTooShort, BoardsOverlap, BoardMissing, JoistOutside, BeamsGone, RimsAndBeamGone };

Member *find(Deck &deck, const QString &name)
{
    auto it = std::find_if(deck.members.begin(), deck.members.end(), [&](const Member &m) { return m.name == name; });
    return it == deck.members.end() ? nullptr : &*it;
}

void shift(Member *m, double x, double z)
{
    for (Point &p : m->plan)
        p.x += x, p.z += z;
}

// The worked example's deck file with "line=value" changes made.
QByteArray workedExampleWith(const QString &changes)
{
    QFile file(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QList<QByteArray> lines = file.readAll().split('\n');
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts)) {
        if (change == u"-")
            continue;
        const QStringList lineAndValue = change.split(u'=');
        lines[lineAndValue.value(0).toInt() - 1] = lineAndValue.value(1).toLatin1() + "      ' changed\r";
    }
    return lines.join('\n');
}

void removeWhere(Deck &deck, const std::function<bool(const Member &)> &test)
{
    deck.members.erase(std::remove_if(deck.members.begin(), deck.members.end(), test), deck.members.end());
}

} // namespace

class TestModelChecks : public QObject {
    Q_OBJECT
private slots:
    void everyShape_data()
    {
        QTest::addColumn<DeckParameters>("deck");
        QTest::addColumn<QString>("outcome"); // square feet, or the refusal
        const QList<QStringList> rows = tableRows(QStringLiteral("shapes.txt"));
        QCOMPARE(rows.size(), 32);
        for (const QStringList &r : rows) {
            const QStringList size = r.value(1).split(u' ');
            QTest::newRow(qPrintable(r[0])) << deckOf(size.value(0).toInt(), size.value(1).toDouble(), size.value(2).toDouble(),
                                                      size.value(3).toDouble(), r.value(2), r.value(3), r.value(4).toDouble(), r.value(5))
                                            << r.value(6);
        }
    }
    void everyShape()
    {
        QFETCH(DeckParameters, deck);
        QFETCH(QString, outcome);
        const BuildResult built = buildDeck(deck);
        bool isArea = false;
        const double squareFeet = outcome.toDouble(&isArea);
        QCOMPARE(built.error, isArea ? QString() : outcome);
        if (!isArea)
            return;
        QVERIFY(built.deck);
        QVERIFY2(std::abs(area(built.deck->outline) / 144 - squareFeet) < 1e-6,
                 qPrintable(QString::number(area(built.deck->outline) / 144, 'f', 6)));
    }

    void plans_data()
    {
        QTest::addColumn<PlanResult>("plan");
        QTest::addColumn<QString>("corners");
        for (const QStringList &r : tableRows(QStringLiteral("plans.txt"))) {
            const QStringList p = r.value(1).split(u' ');
            QTest::newRow(qPrintable(r[0])) << (p.value(0) == u"shape" ? shapePlan(p.value(1).toInt(), p.value(2).toDouble(), p.value(3).toDouble())
                                                                     : stylePlan(p.value(1).toInt(), p.value(2).toDouble()))
                                            << r.value(2);
        }
    }
    void plans()
    {
        QFETCH(PlanResult, plan);
        QFETCH(QString, corners);
        QVERIFY(signedArea(plan.outline) > 0);
        QStringList got, expected = corners.split(u' ');
        for (const Point &p : plan.outline)
            got << QStringLiteral("%1,%2").arg(std::round(p.x * 1000) / 1000).arg(std::round(p.z * 1000) / 1000);
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
    }

    void crowdedSizes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outcome");
        const QList<QStringList> rows = tableRows(QStringLiteral("framing.txt"));
        QCOMPARE(rows.size(), 11);
        for (const QStringList &r : rows)
            QTest::newRow(qPrintable(r[0])) << workedExampleWith(r.value(1)) << r.value(2);
    }
    void crowdedSizes()
    {
        QFETCH(QByteArray, file);
        const auto read = deckfile::readDeckFile(file, QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY2(read, qPrintable(read.error()));
        const BuildResult built = buildDeck(*read);
        QTEST(built.deck ? QStringLiteral("sound") : built.error, "outcome");
    }

    void plantedFaults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("problem");
        QTest::newRow("post moved off its beam") << int(PostOffBeam) << "Post 1 stands under no beam.";
        QTest::newRow("post an inch short") << int(PostTooShort) << "Post 2 stands under no beam.";
        QTest::newRow("board pushed onto its neighbour") << int(BoardsOverlap) << "Decking board 1 and Decking board 2 overlap.";
        QTest::newRow("board left out")
            << int(BoardMissing) << "The decking leaves 13.75 square feet of the deck uncovered; its gaps account for 8.25.";
        QTest::newRow("joist past the edge") << int(JoistOutside) << "Joist 11 lies outside the deck's outline.";
        QTest::newRow("no beams") << int(BeamsGone) << "Joist 1 rests on 0 beam lines and 2 rim joists.";
        QTest::newRow("one beam, no rims") << int(RimsAndBeamGone) << "Joist 5 rests on 1 beam lines and 0 rim joists.";
    }
    void plantedFaults()
    {
        QFETCH(int, fault);
        QFETCH(QString, problem);
        BuildResult built = frameDeck(workedExample());
        QVERIFY(built.deck);
        Deck &deck = *built.deck;
        QCOMPARE(checkDeck(deck), QStringList());
        switch (Fault(fault)) {
        case PostOffBeam: shift(find(deck, QStringLiteral("Post 1")), 0, 20); break;
        case PostTooShort: find(deck, QStringLiteral("Post 2"))->thickness -= 1; break;
        case BoardsOverlap: shift(find(deck, QStringLiteral("Decking board 2")), 0, -0.5); break;
        case BoardMissing: removeWhere(deck, [](const Member &m) { return m.name == u"Decking board 5"; }); break;
        case JoistOutside: shift(find(deck, QStringLiteral("Joist 11")), 20, 0); break;
        case BeamsGone: removeWhere(deck, [](const Member &m) { return m.kind == Kind::BeamPly; }); break;
        case RimsAndBeamGone:
            removeWhere(deck, [](const Member &m) {
                return m.kind == Kind::RimJoist || m.name.startsWith(u"Beam 1 ") || m.name.startsWith(u"Beam 3 ");
            });
            break;
        }
        const QStringList problems = checkDeck(deck);
        QVERIFY2(problems.contains(problem), qPrintable(problems.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestModelChecks)
#include "tst_modelchecks.moc"
