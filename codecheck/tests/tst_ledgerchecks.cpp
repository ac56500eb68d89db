// The ledger's rows: Table R507.9.1.3(1) read by hand (data/ledger-spacing.txt:
// every span column, values between columns interpolated, below the first
// column its value, past the last refused, the sheathing's columns), and the
// worked example hung on the house along its left edge, counted by hand.
#include "codetables.h"
#include "deckcases.h"
#include "ledgerchecks.h"

#include "testclasses.h"

#include <QTest>

using namespace deckmodel;

namespace {

const CodeCheck *rowNamed(const CodeReport &report, const QString &rule)
{
    for (const CodeCheck &row : report.checks)
        if (row.rule == rule)
            return &row;
    return nullptr;
}
// A row of a report that is gone would point at nothing.
const CodeCheck *rowNamed(CodeReport &&report, const QString &rule) = delete;

jm::Result<Deck> attachedExample(LedgerFastener fastener = LedgerFastener::Lag, double sheathing = 0.5)
{
    Extras extras;
    extras.attachment.attached = true;
    extras.attachment.edge = 3; // the left edge
    extras.attachment.fastener = fastener;
    extras.attachment.sheathingInches = sheathing;
    return buildDeck(workedExample(), extras);
}

} // namespace

class TestLedgerChecks : public QObject {
    Q_OBJECT
private slots:
    void readsTheTable_data();
    void readsTheTable();
    void checksTheWorkedExample();
    void countsBoltsAtTheirSpacing();
    void refusesPastTheTable();
    void freeStandingHasNoLedgerRows();
    void suggestsAFramingThatKeepsTheLedger();
};

void TestLedgerChecks::readsTheTable_data()
{
    QTest::addColumn<int>("snow");
    QTest::addColumn<int>("fastener");
    QTest::addColumn<double>("sheathing");
    QTest::addColumn<double>("spanFt");
    QTest::addColumn<QString>("inches");
    QTest::addColumn<QString>("cell");
    const QList<QStringList> rows = tableRows("ledger-spacing.txt");
    QCOMPARE(rows.size(), 25);
    for (const QStringList &r : rows)
        QTest::newRow(qPrintable(r.mid(0, 4).join(u' '))) << r[0].toInt() << int(*fastenerNamed(r[1])) << r[2].toDouble()
                                                          << r[3].toDouble() << r[4] << r[5];
}

void TestLedgerChecks::readsTheTable()
{
    QFETCH(int, snow);
    QFETCH(int, fastener);
    QFETCH(double, sheathing);
    QFETCH(double, spanFt);
    QFETCH(QString, inches);
    QFETCH(QString, cell);
    CodeSettings settings;
    settings.snowLoadPsf = snow;
    const codetables::TableValue v = codetables::ledgerFastenerSpacing(settings, LedgerFastener(fastener), sheathing, spanFt * 12);
    QCOMPARE(v.cell, cell);
    if (inches == u"outside") {
        QCOMPARE(int(v.status), int(codetables::TableValue::Outside));
    } else {
        QCOMPARE(int(v.status), int(codetables::TableValue::Value));
        QCOMPARE(v.inches, inches.toDouble());
    }
}

void TestLedgerChecks::checksTheWorkedExample()
{
    const auto deck = attachedExample();
    QVERIFY2(deck, qPrintable(deck ? QString() : deck.error()));
    // Ledger face at Z 1.5, the next beam line at 54.5: joists span 53 in,
    // below 6 ft, so the 6 ft column: lag screws at 30 in. One 12 ft board:
    // 2 in from each end, 140 in in gaps of at most 30: 5 gaps, 6 lags.
    const LedgerFastening f = ledgerFastening(*deck, CodeSettings{});
    QCOMPARE(f.joistSpanInches, 53.0);
    QCOMPARE(f.tableSpacingInches, 30.0);
    QCOMPARE(f.spacingInches, 30.0);
    QCOMPARE(f.boards, 1);
    QCOMPARE(f.count, 6);
    QCOMPARE(f.topRowInches, 2.0);
    QCOMPARE(f.bottomRowInches, 5.5);
    QCOMPARE(f.flashingInches, 144.0);

    const CodeReport report = checkCode(*deck, CodeSettings{});
    const QStringList rules{"R507.9.1.1 ledger size and grade", "R507.9.1.2 ledger fastened to the house",
                            "R507.9.1.3 ledger fastener spacing", "R507.9.1.3 ledger fastener placement",
                            "R507.9.2 hold-downs", "R507.2.4 ledger flashing", "R507.6.2 joist hangers",
                            "R507.3.2 footings beside the house"};
    for (const QString &rule : rules)
        QVERIFY2(rowNamed(report, rule), qPrintable(rule));
    const CodeCheck *spacing = rowNamed(report, QStringLiteral("R507.9.1.3 ledger fastener spacing"));
    QCOMPARE(int(spacing->result), int(Verdict::Pass));
    QCOMPARE(*spacing->valueInches, 30.0);
    QCOMPARE(*spacing->limitInches, 30.0);
    QCOMPARE(spacing->cell, QStringLiteral("Table R507.9.1.3(1), 40 psf, 1/2 in lag screw, 1/2 in maximum sheathing 6 ft: 30"));
    QCOMPARE(spacing->sentence, QStringLiteral("Fasten the ledger with 1/2 in lag screws at 30\" on centre, 6 in all, staggered "
                                               "between two rows; Table R507.9.1.3(1) allows 30\" for joists spanning 4' 5\" "
                                               "from the ledger."));
    const CodeCheck *size = rowNamed(report, QStringLiteral("R507.9.1.1 ledger size and grade"));
    QCOMPARE(int(size->result), int(Verdict::Pass));
    QCOMPARE(*size->valueInches, 7.25);
    QCOMPARE(*size->limitInches, 7.25);
    QCOMPARE(size->sentence, QStringLiteral("The ledger is a 2x8 of pressure-treated Southern pine, No. 2 or better, at least "
                                            "a 2x8 and as deep as the 2x6 joists."));
    const CodeCheck *place = rowNamed(report, QStringLiteral("R507.9.1.3 ledger fastener placement"));
    QCOMPARE(place->sentence, QStringLiteral("Stagger the fasteners between a top row 2\" and a bottom row 5 1/2\" below the "
                                             "ledger's top, the first 2\" to 5 in from each end of every board; in the band "
                                             "joist keep them 3/4 in below its top and 2 in above its bottom."));
    const CodeCheck *hangers = rowNamed(report, QStringLiteral("R507.6.2 joist hangers"));
    QCOMPARE(hangers->members.size(), size_t(11));
    QCOMPARE(hangers->sentence, QStringLiteral("Hang each of the 11 joists on the ledger in a 2x6 joist hanger, fastened as its "
                                               "maker says."));
    QCOMPARE(rowNamed(report, QStringLiteral("R507.9.2 hold-downs"))->sentence,
             QStringLiteral("Tie the deck's joists to the house's floor joists with 2 hold-down devices of at least 1,500 lb, "
                            "each within 24 in of an end of the deck."));
    QCOMPARE(rowNamed(report, QStringLiteral("R507.2.4 ledger flashing"))->sentence,
             QStringLiteral("Flash the ledger along its whole 12' 0\" with corrosion-resistant metal at least 0.019 in thick, "
                            "lapped shingle-fashion under the house's water barrier."));
    // Douglas fir-larch is not a ledger's grade: said, not failed.
    CodeSettings dfl;
    dfl.species = Species::DouglasFirLarch;
    const CodeReport dflReport = checkCode(*deck, dfl);
    const CodeCheck *dflSize = rowNamed(dflReport, QStringLiteral("R507.9.1.1 ledger size and grade"));
    QCOMPARE(int(dflSize->result), int(Verdict::Information));
    QCOMPARE(dflSize->sentence, QStringLiteral("Buy the 2x8 ledger as incised pressure-treated hem-fir or treated Southern "
                                               "pine, No. 2 or better: the code names neither Douglas fir-larch nor "
                                               "spruce-pine-fir for a ledger."));
    // The ledger's own joist span: the joists' span row counts it.
    const CodeCheck *joists = rowNamed(report, QStringLiteral("R507.6 joist span"));
    QCOMPARE(*joists->valueInches, 53.75); // 54.5 to 108.25 is longer than the ledger's 53
}

void TestLedgerChecks::countsBoltsAtTheirSpacing()
{
    // Bolts through 3/4 in of sheathing: the 1 in column, 36 in at 6 ft;
    // 140 in in gaps of at most 36: 4 gaps, 5 bolts.
    const auto deck = attachedExample(LedgerFastener::Bolt, 0.75);
    QVERIFY(deck);
    CodeSettings snow;
    snow.snowLoadPsf = 70; // 70 psf: 35 in at 6 ft; 140 / 35 = 4 gaps exactly
    const LedgerFastening f = ledgerFastening(*deck, snow);
    QCOMPARE(f.tableSpacingInches, 35.0);
    QCOMPARE(f.count, 5);
    QCOMPARE(ledgerFastening(*deck, CodeSettings{}).count, 5);
}

void TestLedgerChecks::refusesPastTheTable()
{
    const auto deck = attachedExample(LedgerFastener::Lag, 0.75);
    QVERIFY(deck);
    const CodeReport report = checkCode(*deck, CodeSettings{});
    const CodeCheck *spacing = rowNamed(report, QStringLiteral("R507.9.1.3 ledger fastener spacing"));
    QCOMPARE(int(spacing->result), int(Verdict::Outside));
    QCOMPARE(spacing->sentence, QStringLiteral("1/2 in lag screws through 3/4\" of sheathing have no column in Table "
                                               "R507.9.1.3(1): use through-bolts (up to 1 in of sheathing), or thinner "
                                               "sheathing."));
    QCOMPARE(ledgerFastening(*deck, CodeSettings{}).count, 0);

    // Joists 19 ft from the ledger to the one beam line left: past 18 ft.
    DeckParameters p = workedExample();
    p.depthA = 24;
    p.beamSpacing = 20;
    p.overhangZ = 4;
    p.joistHeight = 11.25;
    const auto far = frameDeck(p, hungOn(3));
    QVERIFY2(far, qPrintable(far ? QString() : far.error()));
    // Beam lines from 0.75 to 288 - 48 = 240 at most 240 apart: 0.75 and 240, the first dropped.
    QCOMPARE(far->beamLines, (std::vector<double>{240}));
    const CodeReport farReport = checkCode(*far, CodeSettings{});
    const CodeCheck *row = rowNamed(farReport, QStringLiteral("R507.9.1.3 ledger fastener spacing"));
    QCOMPARE(int(row->result), int(Verdict::Outside));
    QCOMPARE(row->sentence, QStringLiteral("The joists span 19' 10 1/2\" from the ledger; Table R507.9.1.3(1) stops at 18 ft. "
                                           "Add a beam line nearer the house, or have the ledger's fastening designed by a "
                                           "professional."));
}

void TestLedgerChecks::freeStandingHasNoLedgerRows()
{
    const Deck deck = framed(workedExample());
    const CodeReport report = checkCode(deck, CodeSettings{});
    QVERIFY(!rowNamed(report, QStringLiteral("R507.9.2 hold-downs")));
    QVERIFY(!ledgerFastening(deck, CodeSettings{}).present);
}

void TestLedgerChecks::suggestsAFramingThatKeepsTheLedger()
{
    // The worked example's three beam lines: the middle one carries joists
    // from both sides, outside the beam tables; the suggestion hangs the
    // joists from the ledger to one beam line.
    const auto deck = attachedExample();
    QVERIFY(deck);
    const Suggestion s = suggestFraming(*deck, CodeSettings{});
    QVERIFY2(s.parameters, qPrintable(s.why));
    Extras extras;
    extras.attachment = deck->ledger.attachment;
    const Deck suggested = framed(*s.parameters, extras);
    QVERIFY(suggested.ledger.present);
    QCOMPARE(suggested.ledger.attachment.edge, 3);
    QCOMPARE(suggested.beamLines.size(), size_t(1));
    const CodeReport report = checkCode(suggested, CodeSettings{});
    QCOMPARE(report.failed(), 0);
    QCOMPARE(report.outside(), 0);
}

JM_TEST_CLASS(TestLedgerChecks)
#include "tst_ledgerchecks.moc"
