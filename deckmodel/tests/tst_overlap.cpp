// The area two plans share, worked out by hand: boxes standing square (the
// common case, taken without clipping) and cut or turned plans.
#include "geometry.h"

#include <QTest>

using namespace deckmodel;

Q_DECLARE_METATYPE(deckmodel::Polygon)

class TestOverlap : public QObject {
    Q_OBJECT
private slots:
    void overlap_data()
    {
        QTest::addColumn<Polygon>("a");
        QTest::addColumn<Polygon>("b");
        QTest::addColumn<double>("area");
        const Polygon joist{{10, 0}, {11.5, 0}, {11.5, 100}, {10, 100}};
        QTest::newRow("board across a joist") << Polygon{{0, 20}, {144, 20}, {144, 25.5}, {0, 25.5}} << joist << 8.25;
        QTest::newRow("joist across a board, clockwise from another corner")
            << joist << Polygon{{144, 25.5}, {144, 20}, {0, 20}, {0, 25.5}} << 8.25;
        QTest::newRow("touching along an edge") << joist << Polygon{{11.5, 0}, {13, 0}, {13, 100}, {11.5, 100}} << 0.0;
        QTest::newRow("apart") << joist << Polygon{{20, 0}, {21.5, 0}, {21.5, 100}, {20, 100}} << 0.0;
        QTest::newRow("one inside the other") << Polygon{{0, 0}, {10, 0}, {10, 10}, {0, 10}}
                                               << Polygon{{2, 3}, {4, 3}, {4, 7}, {2, 7}} << 8.0;
        // The board's end cut at 45 degrees from (8, 2) to (10, 0): over the
        // box from x = 7 to 10 it covers 3 x 2 less the triangle of 2 x 2 / 2.
        QTest::newRow("a cut end") << Polygon{{0, 0}, {10, 0}, {8, 2}, {0, 2}} << Polygon{{7, -1}, {12, -1}, {12, 3}, {7, 3}}
                                   << 4.0;
        // A square turned 45 degrees, corners 2 from its centre at (0, 0),
        // over the box x >= 0: half its area of 8.
        QTest::newRow("turned square") << Polygon{{2, 0}, {0, 2}, {-2, 0}, {0, -2}} << Polygon{{0, -5}, {5, -5}, {5, 5}, {0, 5}}
                                       << 4.0;
        QTest::newRow("a point, not a plan") << Polygon{{1, 1}, {1, 1}, {1, 1}, {1, 1}} << joist << 0.0;
        QTest::newRow("nothing") << Polygon{} << joist << 0.0;
    }
    void overlap()
    {
        QFETCH(Polygon, a);
        QFETCH(Polygon, b);
        QFETCH(double, area);
        QVERIFY2(std::abs(overlapArea(a, b) - area) < 1e-9, qPrintable(QString::number(overlapArea(a, b))));
        QVERIFY2(std::abs(overlapArea(b, a) - area) < 1e-9, qPrintable(QString::number(overlapArea(b, a))));
    }
};

QTEST_GUILESS_MAIN(TestOverlap)
#include "tst_overlap.moc"
