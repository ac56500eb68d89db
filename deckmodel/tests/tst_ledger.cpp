// The deck hung on the house: the ledger in place of the beam line and rim
// joist along the house's edge, the joists hung on it, no guard along it,
// and the attachments refused with their reason and way out.
#include "deckcases.h"
#include "framing.h"
#include "guards.h"
#include "ledger.h"

#include <QTest>

#include <algorithm>
#include <map>

using namespace deckmodel;

namespace {

Attachment along(int edge, HouseFraming to = HouseFraming::BandJoist)
{
    Attachment a;
    a.attached = true;
    a.edge = edge;
    a.to = to;
    return a;
}

const Member *named(const Deck &deck, const QString &name)
{
    for (const Member &m : deck.members)
        if (m.name == name)
            return &m;
    return nullptr;
}

// A box in the plan as "x0 x1 z0 z1", inches.
QString boxText(const Box &b)
{
    return QStringLiteral("%1 %2 %3 %4").arg(b.x0, 0, 'g', 10).arg(b.x1, 0, 'g', 10).arg(b.z0, 0, 'g', 10).arg(b.z1, 0, 'g', 10);
}
} // namespace

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void namesTheEdges();
    void refuses_data();
    void refuses();
    void hangsTheWorkedExampleOnTheHouse();
    void hangsOnTheRightEdgeToo();
    void hangsOnTheBackEdgeTurned();
    void hangsOnTheFrontEdgeTurned();
    void refusesAnAslantEdge();
    void keysReadBack();
};

// The worked example's outline, counter-clockwise from its back left corner
// (144, 0): the back edge first, then right, front and left; no edge faces "top".
void TestLedger::namesTheEdges()
{
    const Deck deck = framed(workedExample());
    QStringList edges;
    for (const char *side : {"back", "right", "front", "left", "top"})
        edges << QString::number(edgeFacing(deck.outline, QLatin1String(side)));
    QCOMPARE(edges.join(u' '), QStringLiteral("0 1 2 3 -1"));
}

// (data/ledger-refusals.txt)
void TestLedger::refuses_data()
{
    rowsOf(JM_TESTDATA "/ledger-refusals.txt", 7);
}

void TestLedger::refuses()
{
    QFETCH(QStringList, row);
    const std::map<QString, Rule> rules{{"not allowed", Rule::LedgerNotAllowed}, {"off the deck", Rule::LedgerOffDeck},
                                        {"under the stair", Rule::LedgerUnderStair}};
    Extras extras;
    extras.attachment = along(row[1].toInt(), *houseFramingNamed(row[2]));
    extras.stair.edge = row[3].toInt();
    std::vector<Finding> findings;
    const auto deck = frameDeck(workedExample(), extras, &findings);
    QVERIFY(!deck);
    QCOMPARE(deck.error(), row[5]);
    QCOMPARE(findings.size(), size_t(1));
    QCOMPARE(int(findings[0].rule), int(rules.at(row[4])));
}

void TestLedger::hangsTheWorkedExampleOnTheHouse()
{
    // 16 ft (192 in) along Z, 12 ft (144 in) along X, 3 ft high; 1 in decking,
    // 2x6 joists at 12 in, 2x8 beams 6 ft apart set in 30 in, 4x4 posts.
    Extras extras;
    extras.attachment = along(3); // the left edge, Z = 0
    const Deck deck = framed(workedExample(), extras);
    // Beam lines from the ledger's middle (0.75) to 192 - 30 = 162, at most
    // 72 apart: 3 gaps of 53.75; the ledger's own line dropped.
    QCOMPARE(deck.beamLines, (std::vector<double>{54.5, 108.25, 162}));
    const Member *ledger = named(deck, QStringLiteral("Ledger"));
    QVERIFY(ledger);
    QCOMPARE(int(ledger->kind), int(Kind::Ledger));
    // A 2x8 though the joists are 2x6: its top at the joists' top, 36 - 1.
    QCOMPARE(ledger->thickness, 7.25);
    QCOMPARE(ledger->base, 35 - 7.25);
    QCOMPARE(boxText(bounds(ledger->plan)), QStringLiteral("0 144 0 1.5"));
    QVERIFY(!named(deck, QStringLiteral("Rim joist 4")));
    QVERIFY(named(deck, QStringLiteral("Rim joist 1")));
    // Joists at X = 12, 24, ... 132: eleven, every one hung on the ledger.
    QCOMPARE(deck.ledger.hangers.size(), size_t(11));
    QCOMPARE(deck.ledger.hangers.front(), QStringLiteral("Joist 1"));
    QCOMPARE(deck.ledger.hangers.back(), QStringLiteral("Joist 11"));
    QCOMPARE(deck.ledger.lengthInches, 144.0);
    QCOMPARE(deck.ledger.depthInches, 7.25);
    // Three beams of two plies, two posts each (12 ft less 2 x 2 ft at most 8 ft apart).
    QCOMPARE(std::count_if(deck.members.begin(), deck.members.end(), [](const Member &m) { return m.kind == Kind::Post; }), 6);
    // The house closes the left edge: no guard post stands along it.
    for (const Member &m : deck.members)
        if (m.kind == Kind::GuardPost)
            QVERIFY2(bounds(m.plan).z0 >= 0, qPrintable(m.name));
    // The wall behind it, 8 in thick, 24 in past each end, 8 ft above the deck.
    QCOMPARE(boxText(bounds(deck.ledger.houseWall)), QStringLiteral("-24 168 -8 0"));
    QCOMPARE(deck.ledger.houseWallTopInches, 36.0 + 96);
}

void TestLedger::hangsOnTheRightEdgeToo()
{
    DeckParameters p = workedExample();
    p.joistHeight = 9.25; // 2x10 joists: the ledger is as deep
    Extras extras;
    extras.attachment = along(1);
    const Deck deck = framed(p, extras);
    // From 30 to 192 - 0.75 = 191.25, three gaps of 53.75.
    QCOMPARE(deck.beamLines, (std::vector<double>{30, 83.75, 137.5}));
    QCOMPARE(deck.ledger.depthInches, 9.25);
    QCOMPARE(bounds(named(deck, QStringLiteral("Ledger"))->plan).z0, 190.5);
    QVERIFY(!named(deck, QStringLiteral("Rim joist 2")));
}

void TestLedger::hangsOnTheBackEdgeTurned()
{
    // The back edge (X = 144) carries the ledger: the joists run front to
    // back, 144 in, and the beam lines left to right, 192 in.
    Extras extras;
    extras.attachment = along(0);
    const Deck deck = framed(workedExample(), extras);
    QVERIFY(deck.turned);
    // Framed a quarter turn: the ledger's side at 144, beam lines from 30 to
    // 144 - 0.75 = 143.25, at most 72 apart: two gaps of 56.625, the
    // ledger's own line dropped.
    QCOMPARE(deck.beamLines, (std::vector<double>{30, 86.625}));
    // Joists every 12 in along the 192 in side, 12 to 180: fifteen, all hung.
    QCOMPARE(deck.ledger.hangers.size(), size_t(15));
    QCOMPARE(deck.ledger.lengthInches, 192.0);
    // Posts 24 in in from each end, at most 96 apart: three a line.
    QCOMPARE(std::count_if(deck.members.begin(), deck.members.end(), [](const Member &m) { return m.kind == Kind::Post; }), 6);
    const std::vector<Member> standing = membersInPlan(deck);
    // The members, then a hanger's shape at each hung joist's end.
    QCOMPARE(deck.ledger.hangerSolids.size(), size_t(15));
    QCOMPARE(standing.size(), deck.members.size() + 15);
    QCOMPARE(standing.back().name, QStringLiteral("Ledger hanger 15"));
    QCOMPARE(int(standing.back().kind), int(Kind::Hanger));
    const auto standingNamed = [&](const QString &name) {
        return *std::find_if(standing.begin(), standing.end(), [&](const Member &m) { return m.name == name; });
    };
    // Where it stands, the ledger along the back: X 142.5 to 144, Z 0 to 192.
    QCOMPARE(boxText(bounds(standingNamed(QStringLiteral("Ledger")).plan)), QStringLiteral("142.5 144 0 192"));
    // The first joist, 12 in from the framing's start, stands 180 in along Z
    // and runs from the front rim (1.5) to the ledger's face (142.5).
    QCOMPARE(boxText(bounds(standingNamed(QStringLiteral("Joist 1")).plan)), QStringLiteral("1.5 142.5 179.25 180.75"));
    // Its hanger: 1/16" metal round the joist's 1.5", flanges 1 1/4" past it
    // (Z 180 -/+ 2 1/16), 3" along it from the ledger's face and 1/16" behind
    // it, as tall as the joist less an inch, on the joist's underside.
    const Member hanger = standingNamed(QStringLiteral("Ledger hanger 1"));
    QCOMPARE(boxText(bounds(hanger.plan)), QStringLiteral("139.5 142.5625 177.9375 182.0625"));
    QCOMPARE(hanger.base, 29.5);
    QCOMPARE(hanger.thickness, 4.5);
    QCOMPARE(hanger.plan.size(), size_t(12));
    // Every beam ply runs left to right, 192 in.
    for (const Member &m : standing)
        if (m.kind == Kind::BeamPly) {
            const Box b = bounds(m.plan);
            QCOMPARE(b.z1 - b.z0, 192.0);
            QVERIFY2(b.x1 - b.x0 < 2, qPrintable(m.name));
        }
    // The house closes the back edge: no guard post stands past it.
    for (const Member &m : standing)
        if (m.kind == Kind::GuardPost)
            QVERIFY2(bounds(m.plan).x1 <= 144, qPrintable(m.name));
    // The wall behind it, 8 in thick, 24 in past each end.
    QCOMPARE(boxText(bounds(houseWallInPlan(deck))), QStringLiteral("144 152 -24 216"));
    // The outline where it stands is the shape's own.
    QCOMPARE(edgeFacing(planPolygon(deck, deck.outline), QStringLiteral("back")), 0);
    const Point out = planDirection(deck, deck.ledger.out);
    QCOMPARE(out.x, 1.0);
    QCOMPARE(out.z, 0.0);
}

void TestLedger::hangsOnTheFrontEdgeTurned()
{
    // The front edge (X = 0): the beam lines from 0.75 to 144 - 30 = 114,
    // two gaps of 56.625, the ledger's line dropped; the stair, asked for in
    // no place of its own, leaves on the back edge instead of the house's.
    Extras extras;
    extras.attachment = along(2);
    const Deck deck = framed(workedExample(), extras);
    QVERIFY(deck.turned);
    QCOMPARE(deck.beamLines, (std::vector<double>{57.375, 114}));
    QCOMPARE(deck.ledger.hangers.size(), size_t(15));
    QCOMPARE(deck.stair.layout.edge, 0);
    const std::vector<Member> standing = membersInPlan(deck);
    const Member &ledger = *std::find_if(standing.begin(), standing.end(), [](const Member &m) { return m.kind == Kind::Ledger; });
    QCOMPARE(boxText(bounds(ledger.plan)), QStringLiteral("0 1.5 0 192"));
    // A stair asked for on the house's edge is still refused.
    extras.stair.edge = 2;
    std::vector<Finding> findings;
    const auto refused = frameDeck(workedExample(), extras, &findings);
    QVERIFY(!refused);
    QCOMPARE(refused.error(), QStringLiteral("The stair is on edge 3, where the deck hangs on the house; move the stair to another edge."));
}

void TestLedger::refusesAnAslantEdge()
{
    // Shape 7: a rectangle with both corners of one side cut at 45 degrees.
    DeckParameters p = workedExample();
    p.deckType = 7;
    const auto free = frameDeck(p);
    QVERIFY(free);
    int aslant = -1;
    for (int i = 0; i < int(free->outline.size()); ++i)
        if (std::abs(edgeOf(free->outline, i).out.x) > 0.1 && std::abs(edgeOf(free->outline, i).out.z) > 0.1)
            aslant = i;
    QCOMPARE(aslant, 4);
    Extras extras;
    extras.attachment = along(aslant);
    extras.stair.present = false;
    std::vector<Finding> findings;
    const auto deck = frameDeck(p, extras, &findings);
    QVERIFY(!deck);
    QCOMPARE(deck.error(), QStringLiteral("Edge 5 runs aslant, so the joists could not hang square on a ledger there; hang the deck "
                                          "along its front, back, left or right edge, or attach it free-standing: a beam line 18 in from "
                                          "the house."));
    QCOMPARE(findings.size(), size_t(1));
    QCOMPARE(int(findings[0].rule), int(Rule::LedgerEdgeAskew));
}

void TestLedger::keysReadBack()
{
    const char *framings[] = {"band-joist", "rim-board", "brick-veneer", "stone-veneer", "cantilevered-floor", "overhang",
                              "chimney-or-bay"};
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(houseFramingKey(HouseFraming(i)), QLatin1String(framings[i]));
        QCOMPARE(int(*houseFramingNamed(QLatin1String(framings[i]))), i);
    }
    QVERIFY(!houseFramingNamed(QStringLiteral("brick")));
    const char *fasteners[] = {"lag", "bolt", "bolt-washers"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(int(*fastenerNamed(QLatin1String(fasteners[i]))), i);
    QVERIFY(!fastenerNamed(QStringLiteral("screw")));
    QVERIFY(carriesLedger(HouseFraming::BandJoist) && carriesLedger(HouseFraming::RimBoard));
    QVERIFY(!carriesLedger(HouseFraming::Overhang));
}

QTEST_APPLESS_MAIN(TestLedger)
#include "tst_ledger.moc"
