// The takeoff of the worked example against the hand count in
// docs/deck-model.md, byte for byte as CSV, unpriced and with the example
// prices; the waste allowance; where long members are jointed.
#include "deckcases.h"
#include "takeoff.h"

#include <QFile>
#include <QTest>

using namespace deckmodel;

class TestTakeoff : public QObject {
    Q_OBJECT
private slots:
    void workedExampleCsv_data()
    {
        QTest::addColumn<bool>("examplePrices");
        QTest::addColumn<QString>("golden");
        QTest::newRow("no prices") << false << QStringLiteral(JM_TESTDATA "/worked-example-takeoff.csv");
        QTest::newRow("example prices") << true << QStringLiteral(JM_TESTDATA "/worked-example-takeoff-priced.csv");
    }
    void workedExampleCsv()
    {
        QFETCH(bool, examplePrices);
        QFETCH(QString, golden);
        const jm::Result<Deck> built = buildDeck(workedExample());
        QVERIFY2(built, qPrintable(built.error()));
        const PriceList prices = examplePrices ? PriceList::parse(PriceList::exampleBytes(), QStringLiteral("prices.csv")) : PriceList();
        QVERIFY(prices.problems().empty());
        QCOMPARE(takeoffCsv(takeoffOf(*built), prices), dataBytes(golden));
    }

    // The allowance row follows the setting; the counted row never moves.
    void wasteAllowance_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("allowance"); // the row after the decking's, "" for none
        QTest::newRow("none") << 0.0 << QString();
        QTest::newRow("one board") << 2.5 << QStringLiteral("Decking boards (waste allowance):1:waste allowance: 2.5 % of 34, rounded up");
        QTest::newRow("default") << 10.0 << QStringLiteral("Decking boards (waste allowance):4:waste allowance: 10 % of 34, rounded up");
        QTest::newRow("fifteen") << 15.0 << QStringLiteral("Decking boards (waste allowance):6:waste allowance: 15 % of 34, rounded up");
    }
    void wasteAllowance()
    {
        QFETCH(double, percent);
        QFETCH(QString, allowance);
        const jm::Result<Deck> built = buildDeck(workedExample());
        QVERIFY2(built, qPrintable(built.error()));
        const Takeoff t = takeoffOf(*built, {{}, percent});
        auto decking = std::find_if(t.rows.begin(), t.rows.end(), [](const TakeoffRow &r) { return r.item == u"Decking boards"; });
        QVERIFY(decking != t.rows.end());
        QCOMPARE(decking->count, 34);
        QVERIFY(!decking->allowance);
        const TakeoffRow &next = *(decking + 1);
        const QString shown = next.allowance ? QStringLiteral("%1:%2:%3").arg(next.shownItem()).arg(next.count).arg(next.note) : QString();
        QCOMPARE(shown, allowance);
    }

    void jointsOverSupports_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<QList<double>>("supports");
        QTest::addColumn<QList<double>>("cuts");
        QTest::newRow("20 feet whole") << 240.0 << QList<double>{60, 120} << QList<double>{240};
        QTest::newRow("board over joists every foot")
            << 1188.0 << QList<double>{12, 228, 240, 252, 480, 720, 960, 1176} << QList<double>{240, 240, 240, 240, 228};
        QTest::newRow("joist over the last beam in reach")
            << 400.0 << QList<double>{30, 130, 230, 330} << QList<double>{230, 170};
        QTest::newRow("no support in reach") << 300.0 << QList<double>{250} << QList<double>{240, 60};
    }
    void jointsOverSupports()
    {
        QFETCH(double, length);
        QFETCH(QList<double>, supports);
        const std::vector<double> cuts = cutLengths(length, {supports.begin(), supports.end()});
        QTEST(QList<double>(cuts.begin(), cuts.end()), "cuts");
    }
};

QTEST_GUILESS_MAIN(TestTakeoff)
#include "tst_takeoff.moc"
