// The takeoff of the worked example against the hand count in
// docs/deck-model.md, byte for byte as CSV; lengths for a person; where long
// members are jointed.
#include "deckcases.h"
#include "takeoff.h"

#include <QFile>
#include <QTest>

using namespace deckmodel;

class TestTakeoff : public QObject {
    Q_OBJECT
private slots:
    void workedExampleCsv()
    {
        const jm::Result<Deck> built = buildDeck(workedExample());
        QVERIFY2(built, qPrintable(built.error()));
        QCOMPARE(takeoffCsv(takeoffOf(*built)), dataBytes(JM_TESTDATA "/worked-example-takeoff.csv"));
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
