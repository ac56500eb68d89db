// Members that are the same piece moved or turned share one piece; the
// placements below are worked out by hand from the plans. The area two plans
// share, worked out by hand: boxes standing square (the common case, taken
// without clipping) and cut or turned plans. Members hidden whole by others,
// worked out by hand on boards and blocks seen from above, below, the front
// and at a slant: with `right` along X the view plane's X is the deck's X,
// and its Y is the height and Z mixed by the eye's slant, so each outline is
// a rectangle read off the numbers.
#include "geometry.h"
#include "occlusion.h"
#include "sharedshapes.h"

#include <QTest>

using namespace deckmodel;

Q_DECLARE_METATYPE(std::vector<deckmodel::Member>)
Q_DECLARE_METATYPE(deckmodel::Polygon)
Q_DECLARE_METATYPE(deckmodel::Direction)

namespace {

Member member(Kind kind, const QString &name, Polygon plan, double base, double thickness)
{
    Member m;
    m.kind = kind;
    m.name = name;
    m.plan = std::move(plan);
    m.base = base;
    m.thickness = thickness;
    return m;
}

Member box(Kind kind, const QString &name, double x0, double z0, double x1, double z1, double base, double thickness)
{
    return member(kind, name, {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}, base, thickness);
}

// A joist's box from base to top, for the rows on what hides what.
Member block(double x0, double z0, double x1, double z1, double base, double top)
{
    return box(Kind::Joist, QString(), x0, z0, x1, z1, base, top - base);
}

QString flags(const std::vector<bool> &hidden)
{
    QString s;
    for (const bool h : hidden)
        s += h ? u'1' : u'0';
    return s;
}

QString number(double v)
{
    return QString::number(v, 'f', 6);
}

// Every piece ("name: thickness: corners") and every placement ("piece turns x y z").
QStringList described(const SharedShapes &shared)
{
    QStringList lines;
    for (const Member &piece : shared.pieces) {
        QStringList corners;
        for (const Point &p : piece.plan)
            corners << number(p.x) + u' ' + number(p.z);
        lines << QStringLiteral("%1: %2 on %3: %4").arg(piece.name, number(piece.thickness), number(piece.base), corners.join(u", "));
    }
    for (const Placement &p : shared.placements)
        lines << QStringLiteral("%1 %2 %3 %4 %5").arg(p.piece).arg(p.quarterTurns).arg(number(p.xIn), number(p.yIn), number(p.zIn));
    return lines;
}

} // namespace

class TestSharedShapes : public QObject {
    Q_OBJECT
private slots:
    void pieces_data()
    {
        QTest::addColumn<std::vector<Member>>("members");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("moved") << std::vector<Member>{box(Kind::Baluster, "Baluster 1", 10, 20, 11.5, 21.5, 37, 34),
                                                      box(Kind::Baluster, "Baluster 2", 14.5, -3, 16, -1.5, 38, 34)}
                               << QStringList{"Balusters, piece 1: 34.000000 on 0.000000: 0.000000 0.000000, 1.500000 0.000000, 1.500000 1.500000, 0.000000 1.500000",
                                              "0 0 10.000000 37.000000 20.000000", "0 0 14.500000 38.000000 -3.000000"};
        // The corners need not start at the same one; an offset off by less
        // than a millionth of an inch (0.1 and 0.3 are not exact) still shares.
        QTest::newRow("started elsewhere, inexact") << std::vector<Member>{
            box(Kind::Baluster, "Baluster 1", 0, 0, 1.5, 1.5, 0, 34),
            member(Kind::Baluster, "Baluster 2", {{100.1 + 1.5, 0.3 + 1.5}, {100.1, 0.3 + 1.5}, {100.1, 0.3}, {100.1 + 1.5, 0.3}}, 0, 34)}
            << QStringList{"Balusters, piece 1: 34.000000 on 0.000000: 0.000000 0.000000, 1.500000 0.000000, 1.500000 1.500000, 0.000000 1.500000",
                           "0 0 0.000000 0.000000 0.000000", "0 0 100.100000 0.000000 0.300000"};
        // A rail along Z is the piece as it is; a rail along X is that piece
        // turned three quarters (clockwise seen from above), standing at the
        // corner the piece's origin lands on.
        QTest::newRow("turned") << std::vector<Member>{box(Kind::GuardRail, "Top rail 1", 0, 0, 3.5, 60, 70, 1.5),
                                                       box(Kind::GuardRail, "Top rail 2", 12, 100, 72, 103.5, 70, 1.5),
                                                       box(Kind::GuardRail, "Top rail 3", -60, -3.5, 0, 0, 70, 1.5)}
                                << QStringList{"Guard rails, piece 1: 1.500000 on 0.000000: 0.000000 0.000000, 3.500000 0.000000, 3.500000 60.000000, 0.000000 60.000000",
                                               "0 0 0.000000 70.000000 0.000000", "0 3 12.000000 70.000000 103.500000",
                                               "0 3 -60.000000 70.000000 0.000000"};
        // Thickness and kind make different pieces, each kind counting its own.
        QTest::newRow("thickness and kind") << std::vector<Member>{box(Kind::Joist, "Joist 1", 0, 0, 1.5, 100, 10, 7.25),
                                                                   box(Kind::Joist, "Joist 2", 16, 0, 17.5, 100, 10, 9.25),
                                                                   box(Kind::RimJoist, "Rim joist 1", 32, 0, 33.5, 100, 10, 7.25),
                                                                   box(Kind::Joist, "Joist 3", 48, 0, 49.5, 100, 10, 7.25)}
                                            << QStringList{"Joists, piece 1: 7.250000 on 0.000000: 0.000000 0.000000, 1.500000 0.000000, 1.500000 100.000000, 0.000000 100.000000",
                                                           "Joists, piece 2: 9.250000 on 0.000000: 0.000000 0.000000, 1.500000 0.000000, 1.500000 100.000000, 0.000000 100.000000",
                                                           "Rim joists, piece 1: 7.250000 on 0.000000: 0.000000 0.000000, 1.500000 0.000000, 1.500000 100.000000, 0.000000 100.000000",
                                                           "0 0 0.000000 10.000000 0.000000", "1 0 16.000000 10.000000 0.000000",
                                                           "2 0 32.000000 10.000000 0.000000", "0 0 48.000000 10.000000 0.000000"};
        // A board cut at 45 degrees and its mirror image: no turn makes one
        // the other. Each piece is the turn of its plan whose corners, from
        // the lowest, sort first; the first board turned a half is the third.
        QTest::newRow("mirror, half turn") << std::vector<Member>{
            member(Kind::DeckingBoard, "Decking board 1", {{0, 0}, {10, 0}, {8, 2}, {0, 2}}, 36, 1),
            member(Kind::DeckingBoard, "Decking board 2", {{0, 0}, {10, 0}, {10, 2}, {2, 2}}, 36, 1),
            member(Kind::DeckingBoard, "Decking board 3", {{30, 50}, {20, 50}, {22, 48}, {30, 48}}, 36, 1)}
            << QStringList{"Decking boards, piece 1: 1.000000 on 0.000000: 0.000000 0.000000, 2.000000 -2.000000, 10.000000 -2.000000, 10.000000 0.000000",
                           "Decking boards, piece 2: 1.000000 on 0.000000: 0.000000 0.000000, 2.000000 -2.000000, 2.000000 8.000000, 0.000000 8.000000",
                           "0 2 10.000000 36.000000 0.000000", "1 3 2.000000 36.000000 2.000000",
                           "0 0 20.000000 36.000000 50.000000"};
    }
    void pieces()
    {
        QFETCH(std::vector<Member>, members);
        QFETCH(QStringList, expected);
        QCOMPARE(described(sharedShapesOf(members)), expected);
    }

    void quarterTurns_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("z");
        QTest::newRow("none") << 0 << 2.0 << 1.0;
        QTest::newRow("quarter") << 1 << -1.0 << 2.0;
        QTest::newRow("half") << 2 << -2.0 << -1.0;
        QTest::newRow("three quarters") << 3 << 1.0 << -2.0;
        QTest::newRow("back a quarter") << -1 << 1.0 << -2.0;
        QTest::newRow("five quarters") << 5 << -1.0 << 2.0;
    }
    void quarterTurns()
    {
        QFETCH(int, turns);
        QFETCH(double, x);
        QFETCH(double, z);
        const Point p = turned({2, 1}, turns);
        QCOMPARE(p.x, x);
        QCOMPARE(p.z, z);
    }

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

    void membersHiddenWhole_data()
    {
        QTest::addColumn<std::vector<Member>>("members");
        QTest::addColumn<Direction>("eye");
        QTest::addColumn<QString>("hidden");
        const Direction above{0, 1, 0}, below{0, -1, 0}, front{0, 0, 1};
        const Member board = block(0, 0, 10, 10, 10, 11);
        QTest::newRow("a block under a board, from above") << std::vector{board, block(2, 2, 8, 8, 8, 10)} << above
                                                            << "01";
        QTest::newRow("flush with the board's edge: the margin keeps it")
            << std::vector{board, block(2, 2, 10, 8, 8, 10)} << above << "00";
        QTest::newRow("two hundredths inside the edge") << std::vector{board, block(2, 2, 9.98, 8, 8, 10)} << above
                                                         << "01";
        QTest::newRow("half a hundredth inside the edge") << std::vector{board, block(2, 2, 9.995, 8, 8, 10)} << above
                                                           << "00";
        QTest::newRow("two boards touching cover it together")
            << std::vector{block(0, 0, 10, 5, 10, 11), block(0, 5, 10, 10, 10, 11), block(2, 2, 8, 8, 9, 10)} << above
            << "001";
        QTest::newRow("a gap between two boards, from above")
            << std::vector{block(0, 0, 10, 5, 10, 11), block(0, 5.125, 10, 10, 10, 11), block(2, 2, 8, 8, 9, 10)} << above
            << "000";
        // Eye (0, 0.8, 0.6): up is (0, 0.6, -0.8). The boards' outlines run
        // from 2 to 6.6 and from -2 to 2.5 up the view, the block's from -1 to 4.4.
        QTest::newRow("the same gap at a slant: the boards close it")
            << std::vector{block(0, 0, 10, 5, 10, 11), block(0, 5.125, 10, 10, 10, 11), block(2, 2, 8, 8, 9, 10)}
            << Direction{0, 0.8, 0.6} << "001";
        QTest::newRow("a deeper block at that slant shows below the boards")
            << std::vector{block(0, 0, 10, 5, 10, 11), block(0, 5.125, 10, 10, 10, 11), block(2, 2, 8, 8, 0, 10)}
            << Direction{0, 0.8, 0.6} << "000";
        QTest::newRow("from below, a board under a block hides it")
            << std::vector{block(0, 0, 10, 10, 0, 1), block(2, 2, 8, 8, 5, 6)} << below << "01";
        QTest::newRow("from below, a block under a board hides nothing")
            << std::vector{board, block(2, 2, 8, 8, 8, 10)} << below << "00";
        Member l = board;
        l.plan = {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}};
        QTest::newRow("an L-shaped board, a block in its notch") << std::vector{l, block(6, 6, 9, 9, 8, 10)} << above
                                                                  << "00";
        QTest::newRow("a post behind a larger post, from the front")
            << std::vector{block(0, 10, 4, 14, 0, 30), block(1, 0, 3, 4, 1, 29)} << front << "01";
        QTest::newRow("a post behind a smaller post") << std::vector{block(1, 10, 3, 14, 1, 29), block(0, 0, 4, 4, 0, 30)}
                                                      << front << "00";
        QTest::newRow("posts side by side along the eye, from above")
            << std::vector{block(0, 10, 4, 14, 0, 30), block(1, 0, 3, 4, 1, 29)} << above << "00";
        QTest::newRow("a board without thickness hides nothing")
            << std::vector{block(0, 0, 10, 10, 11, 11), block(2, 2, 8, 8, 8, 10)} << above << "00";
        QTest::newRow("nothing") << std::vector<Member>{} << above << "";
    }
    void membersHiddenWhole()
    {
        QFETCH(std::vector<Member>, members);
        QFETCH(Direction, eye);
        QFETCH(QString, hidden);
        QCOMPARE(flags(hiddenWhole(members, eye, {1, 0, 0})), hidden);
    }
};

QTEST_GUILESS_MAIN(TestSharedShapes)
#include "tst_sharedshapes.moc"
