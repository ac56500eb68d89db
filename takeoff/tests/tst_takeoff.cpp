// The takeoff of the worked example against the hand count in
// docs/deck-model.md, byte for byte as CSV, unpriced and with the example
// prices; the waste allowance; where long members are jointed; the knee
// braces at the corner posts.
#include "deckcases.h"
#include "takeoff.h"

#include <QFile>
#include <QTest>

using namespace deckmodel;

Q_DECLARE_METATYPE(deckmodel::DeckParameters)

namespace {
PriceList examplePrices() { return PriceList::parse(PriceList::exampleBytes(), QStringLiteral("prices.csv")); }
} // namespace

class TestTakeoff : public QObject {
    Q_OBJECT
private slots:
    // The worked example unpriced and with the example prices; hung on the
    // house along its back edge (framed turned: 15 joists of 141" front to
    // back, two beam lines of 192") and along its left edge: the ledger for
    // that edge's rim joist, no guard along the house, its lags, hold-downs
    // and flashing, and smaller footings (the ledger carries the house's half
    // of the first span). All against the hand counts in docs/deck-model.md.
    void workedExampleCsv_data()
    {
        QTest::addColumn<int>("edge"); // the edge hung on the house, -1 for none
        QTest::addColumn<bool>("priced");
        QTest::addColumn<QString>("golden");
        QTest::newRow("no prices") << -1 << false << "worked-example-takeoff.csv";
        QTest::newRow("example prices") << -1 << true << "worked-example-takeoff-priced.csv";
        QTest::newRow("back edge") << 0 << true << "attached-back-example-takeoff-priced.csv";
        QTest::newRow("left edge") << 3 << true << "attached-example-takeoff-priced.csv";
    }
    void workedExampleCsv()
    {
        QFETCH(int, edge);
        QFETCH(bool, priced);
        QFETCH(QString, golden);
        QCOMPARE(takeoffCsv(takeoffOf(framed(workedExample(), hungOn(edge))), priced ? examplePrices() : PriceList()),
                 dataBytes(JM_TESTDATA "/" + golden));
    }

    // Bolts with stacked washers: four washers a bolt, beside the bolts.
    void stackedWashers()
    {
        Extras extras;
        extras.attachment = {true, 3, HouseFraming::BandJoist, LedgerFastener::BoltWashers, 0.5};
        const Takeoff t = takeoffOf(framed(workedExample(), extras));
        QStringList ledgerRows;
        for (const TakeoffRow &r : t.rows)
            if (r.item.startsWith(u"Ledger b") || r.item == u"Stacked washers")
                ledgerRows << QStringLiteral("%1|%2|%3|%4").arg(r.item, r.size).arg(r.count).arg(r.note);
        // 1 in column at 6 ft: 36 in; 140 in in 4 gaps: 5 bolts, 20 washers.
        QCOMPARE(ledgerRows, (QStringList{
                                 "Ledger bolts|1/2 x 5 in|5|at 36\" on centre, staggered in two rows, 5 on 1 ledger board, "
                                 "each with a nut and two washers",
                                 "Stacked washers|1/2 in|20|4 behind the ledger at each bolt"}));
    }

    // The allowance row follows the setting; the counted row never moves
    // (data/waste.txt).
    void wasteAllowance_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("allowance");
        for (const QStringList &f : tableRows("waste.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toDouble() << (f[2] == u"-" ? QString() : f[2]);
    }
    void wasteAllowance()
    {
        QFETCH(double, percent);
        QFETCH(QString, allowance);
        const Takeoff t = takeoffOf(framed(workedExample()), {{}, percent});
        auto decking = std::find_if(t.rows.begin(), t.rows.end(), [](const TakeoffRow &r) { return r.item == u"Decking boards"; });
        QVERIFY(decking != t.rows.end());
        QCOMPARE(decking->count, 34);
        QVERIFY(!decking->allowance);
        const TakeoffRow &next = *(decking + 1);
        const QString shown = next.allowance ? QStringLiteral("%1:%2:%3").arg(next.shownItem()).arg(next.count).arg(next.note) : QString();
        QCOMPARE(shown, allowance);
    }

    // A 30 x 28 ft deck, 5 ft high, 2x10 beams and joists, beam lines 24" in
    // (Z 24 and 336, 26 ft apart), posts 12 ft apart (X 24, 168, 312). An end
    // post carries 8 ft along its beam (0 to 96) by 15 ft across (0 to 180):
    // 120 sq ft, Table R507.3.1 at 1,500 psf round: 27 in, 9 in thick, each
    // pi x 13.5^2 x 9 / 1728 = 2.98 cu ft, 5 bags of 80 lb (2.98 / 0.60 =
    // 4.97), 7 of 60 lb (6.63). A middle post carries 12 x 15 = 180 sq ft,
    // past the table's 160: no size, a designer's, and never a price.
    void footingsOutsideTheTable()
    {
        DeckParameters p = deckOf(2, 30, 28, 5, QStringLiteral("2 X 10"), QStringLiteral("2 X 10"), 4, QStringLiteral("5/4x6"));
        p.overhangZ = 2, p.beamSpacing = 26, p.postSpacing = 12;
        const Takeoff t = takeoffOf(framed(p));
        QStringList footings;
        for (const TakeoffRow &row : t.rows)
            if (row.item == u"Footings")
                footings << QStringList{row.size, QString::number(row.count), row.unit, row.note}.join(u'|');
        QCOMPARE(footings, QStringList({"27 in round, 9 in thick|4|footing|2.98 cu ft each, 11.93 cu ft in all; 5 bags of "
                                        "80 lb or 7 of 60 lb each",
                                        "size by a designer|2|footing|2 posts carry more deck than Table R507.3.1 sizes "
                                        "footings for; the concrete mix below leaves them out"}));
        const auto mix = std::find_if(t.rows.begin(), t.rows.end(), [](const TakeoffRow &r) { return r.item == u"Concrete mix"; });
        QVERIFY(mix != t.rows.end());
        QVERIFY2(mix->note.endsWith(u"; not the 2 footings a designer sizes"), qPrintable(mix->note));
        // Priced at nothing, even where the list names it: the row counts as one with no price.
        const PriceList list = PriceList::parse("Footings,size by a designer,,footing,1.00\n", QStringLiteral("p.csv"));
        const PricedTakeoff priced = priceTakeoff(t, list);
        const auto row = std::find_if(t.rows.begin(), t.rows.end(), [](const TakeoffRow &r) { return r.size == u"size by a designer"; });
        QVERIFY(!priced.unitPrices[size_t(row - t.rows.begin())]);
        const std::vector<QStringList> csv = takeoffRows(t, list);
        QCOMPARE(csv[size_t(row - t.rows.begin()) + 1].mid(1, 6),
                 QStringList({"size by a designer", "", "2", "footing", "no price", ""}));
    }

    // The worked example brought down to 1 foot on 2x6 beams: its beams rest
    // at the ground on 6 deck blocks (3 beam lines, 2 where posts would
    // stand), each on the footing a post would have had; no post is cut, no
    // post base, post cap or carriage bolt bought.
    void deckBlocksInsteadOfPosts()
    {
        DeckParameters p = workedExample();
        p.height = 1, p.beamHeight = 5.5;
        QStringList rows;
        const Takeoff t = takeoffOf(framed(p));
        for (const TakeoffRow &row : t.rows)
            if (row.item == u"Posts" || row.item == u"Deck blocks" || row.item == u"Footings" || row.item == u"Post bases"
                || row.item == u"Carriage bolts" || row.item == u"Post caps")
                rows << QStringList{row.item, row.size, QString::number(row.count), row.unit, row.note}.join(u'|');
        // Bought and priced by the block: 6 at 9.98 in a list that names them.
        const PricedTakeoff priced = priceTakeoff(t, PriceList::parse("Deck blocks,11 in square,,block,9.98\n", QStringLiteral("p.csv")));
        const auto blocks = std::find_if(t.rows.begin(), t.rows.end(), [](const TakeoffRow &r) { return r.item == u"Deck blocks"; });
        QVERIFY(blocks != t.rows.end() && blocks->bought);
        QCOMPARE(priced.unitPrices[size_t(blocks - t.rows.begin())].value_or(0), 9.98);
        QCOMPARE(priced.concrete, 6 * 9.98);
        QCOMPARE(rows, QStringList({"Footings|15 in round, 6 in thick|6|footing|0.61 cu ft each, 3.68 cu ft in all; 2 bags of "
                                    "80 lb or 2 of 60 lb each",
                                    "Deck blocks|11 in square|6|block|precast concrete, one on each footing under the beam "
                                    "where a post would stand: the deck is too low for posts"}));
    }

    // Every shape at 40 x 30 ft, low and high, in the wizard's framings and
    // the other catalogued sizes: with the example prices no row bought goes
    // without a price (but a footing a designer sizes, which never has one).
    void examplePricesEveryRow_data()
    {
        QTest::addColumn<DeckParameters>("deck");
        for (int type = 1; type <= 9; ++type) {
            QTest::addRow("type %d, 3 ft, the wizard's 2x8 beams, 2x6 joists, 4x4, 5/4x6", type)
                << deckOf(type, 40, 30, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"));
            QTest::addRow("type %d, 8 ft, 2x10 beams and joists, 6x6, 2x6 decking", type)
                << deckOf(type, 40, 30, 8, QStringLiteral("2 X 10"), QStringLiteral("2 X 10"), 6, QStringLiteral("2x6"));
        }
        QTest::addRow("type 2, 1 ft, 2x6 beams and joists on deck blocks")
            << deckOf(2, 40, 30, 1, QStringLiteral("2 X 6"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6"));
        DeckParameters big = deckOf(2, 40, 30, 5, QStringLiteral("2 X 6"), QStringLiteral("2 X 8"), 8, QStringLiteral("2x4"));
        big.beamHeight = 11.25, big.joistHeight = 11.25, big.beamPlies = 3;
        QTest::addRow("2x12 beams of 3 plies and joists, 8x8, 2x4 decking") << big;
    }
    void examplePricesEveryRow()
    {
        QFETCH(DeckParameters, deck);
        const Takeoff t = takeoffOf(framed(deck));
        const PricedTakeoff priced = priceTakeoff(t, examplePrices());
        QStringList unpriced;
        int designed = 0;
        for (size_t i = 0; i < t.rows.size(); ++i) {
            designed += t.rows[i].byDesigner ? 1 : 0;
            if (t.rows[i].bought && !t.rows[i].byDesigner && !priced.unitPrices[i])
                unpriced << t.rows[i].shownItem() + u' ' + t.rows[i].size + u' ' + QString::number(t.rows[i].lengthFeet);
        }
        QCOMPARE(unpriced, QStringList());
        QCOMPARE(priced.unpriced, designed);
    }

    // The example list prices every catalogued size of lumber, and the
    // balusters' 2x2 and the riser boards' 1x8, in every stock length the takeoff buys.
    void examplePricesEveryLength()
    {
        const PriceList prices = examplePrices();
        QStringList missing;
        for (const char *size : {"1x8", "2x2", "2x4", "2x6", "2x8", "2x10", "2x12", "5/4x6", "4x4", "6x6", "8x8"})
            for (int feet = 8; feet <= 20; feet += 2)
                if (!prices.price({"Lumber", size, QString::number(feet), "piece"}))
                    missing << QStringLiteral("%1 %2").arg(QLatin1String(size)).arg(feet);
        QCOMPARE(missing, QStringList());
    }

    // Knee braces: the worked example's posts stand 36 - 1 - 5.5 - 7.25 =
    // 22 1/4", not above 2 ft, so none (its golden CSVs have no row). Raised
    // to 6 ft they stand 58 1/4": the 4 corner posts (the ends of beam lines
    // Z 30 and 162) take two braces each, 8 of 18 x sqrt(2) = 25.46 (25 1/2"),
    // three to an 8-foot 2x4 (96 / 25.46 = 3.77): 3 pieces at 4.98 = 14.94.
    // At 10 ft, 2x10 beams: the same four posts, the same 8 braces.
    void kneeBraces_data()
    {
        QTest::addColumn<DeckParameters>("deck");
        QTest::addColumn<QByteArray>("line"); // the CSV line with the example prices, empty for none
        QTest::newRow("worked example, posts 22 1/4\"") << workedExample() << QByteArray();
        DeckParameters six = workedExample();
        six.height = 6;
        QTest::newRow("worked example at 6 ft")
            << six << QByteArray("Knee braces,2x4,8,3,piece,4.98,14.94,\"8 knee braces of 25 1/2\"\", two at each of the 4 "
                                 "corner posts, cut from 3 pieces of 8 ft\"");
        DeckParameters ten = deckOf(2, 16, 12, 10, QStringLiteral("2 X 10"), QStringLiteral("2 X 6"), 6, QStringLiteral("5/4x6"));
        QTest::newRow("16 x 12 at 10 ft")
            << ten << QByteArray("Knee braces,2x4,8,3,piece,4.98,14.94,\"8 knee braces of 25 1/2\"\", two at each of the 4 "
                                 "corner posts, cut from 3 pieces of 8 ft\"");
    }
    void kneeBraces()
    {
        QFETCH(DeckParameters, deck);
        QFETCH(QByteArray, line);
        QByteArray found;
        for (const QByteArray &l : takeoffCsv(takeoffOf(framed(deck)), examplePrices()).split('\n'))
            if (l.startsWith("Knee braces"))
                found = l.trimmed();
        QCOMPARE(found, line);
    }

    // (data/joints.txt)
    void jointsOverSupports_data() { wordRows(JM_TESTDATA "/joints.txt", 4); }
    void jointsOverSupports()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, expected);
        const std::vector<double> supports = [&] {
            std::vector<double> at;
            for (const QString &n : words.mid(1))
                at.push_back(n.toDouble());
            return at;
        }();
        const std::vector<double> cuts = cutLengths(words[0].toDouble(), supports);
        QStringList pieces;
        for (const double cut : cuts)
            pieces << QString::number(cut);
        QCOMPARE(pieces.join(u' '), expected);
    }
};

QTEST_GUILESS_MAIN(TestTakeoff)
#include "tst_takeoff.moc"
