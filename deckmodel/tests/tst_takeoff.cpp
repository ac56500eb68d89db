// The takeoff of the worked example against the hand count in
// docs/deck-model.md, byte for byte as CSV; lengths for a person; where long
// members are jointed.
#include "deckcases.h"
#include "takeoff.h"

#include <QFile>
#include <QTest>

#include <cmath>

using namespace deckmodel;

class TestTakeoff : public QObject {
    Q_OBJECT
private slots:
    void workedExampleCsv()
    {
        const BuildResult built = buildDeck(workedExample());
        QVERIFY2(built.deck, qPrintable(built.error));
        QFile golden(QStringLiteral(JM_DATA "/worked-example-takeoff.csv"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(takeoffCsv(takeoffOf(*built.deck)), golden.readAll());
    }

    // Where the hand count puts the members: X from, X to, Z from, Z to, base, top.
    void workedExamplePlaces_data()
    {
        QTest::addColumn<QList<double>>("place");
        QTest::newRow("Post 1") << QList<double>{22, 26, 28, 32, 0, 22.25};
        QTest::newRow("Post 6") << QList<double>{118, 122, 160, 164, 0, 22.25};
        QTest::newRow("Beam 2 ply 1") << QList<double>{0, 144, 94.5, 96, 22.25, 29.5};
        QTest::newRow("Beam 3 ply 2") << QList<double>{0, 144, 162, 163.5, 22.25, 29.5};
        QTest::newRow("Joist 1") << QList<double>{11.25, 12.75, 1.5, 190.5, 29.5, 35};
        QTest::newRow("Joist 11") << QList<double>{131.25, 132.75, 1.5, 190.5, 29.5, 35};
        QTest::newRow("Decking board 34") << QList<double>{0, 144, 189.75, 192, 35, 36};
    }
    void workedExamplePlaces()
    {
        QFETCH(QList<double>, place);
        const BuildResult built = buildDeck(workedExample());
        QVERIFY(built.deck);
        for (const Member &m : built.deck->members)
            if (m.name == QLatin1String(QTest::currentDataTag())) {
                const Box b = bounds(m.plan);
                QList<double> got{b.x0, b.x1, b.z0, b.z1, m.base, m.top()};
                for (double &v : got)
                    v = std::round(v * 1e6) / 1e6;
                QCOMPARE(got, place);
                return;
            }
        QFAIL("no such member");
    }

    void feetAndInches_data()
    {
        QTest::addColumn<double>("inches");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole feet") << 144.0 << "12'";
        QTest::newRow("feet and inches") << 150.0 << "12' 6\"";
        QTest::newRow("quarter") << 22.25 << "1' 10 1/4\"";
        QTest::newRow("eighth") << 189.125 << "15' 9 1/8\"";
        QTest::newRow("under a foot") << 11.5 << "0' 11 1/2\"";
        QTest::newRow("rounds to a foot") << 35.99 << "3'";
    }
    void feetAndInches()
    {
        QFETCH(double, inches);
        QTEST(deckmodel::feetAndInches(inches), "text");
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
