// Members hidden whole by others, worked out by hand on boards and blocks
// seen from above, below, the front and at a slant. With `right` along X the
// view plane's X is the deck's X, and its Y is the height and Z mixed by the
// eye's slant, so each outline below is a rectangle read off the numbers.
#include "occlusion.h"

#include <QTest>

using namespace deckmodel;

Q_DECLARE_METATYPE(std::vector<deckmodel::Member>)
Q_DECLARE_METATYPE(deckmodel::Direction)

namespace {
Member box(double x0, double z0, double x1, double z1, double base, double top)
{
    Member m;
    m.kind = Kind::Joist;
    m.plan = {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}};
    m.base = base;
    m.thickness = top - base;
    return m;
}

QString flags(const std::vector<bool> &hidden)
{
    QString s;
    for (const bool h : hidden)
        s += h ? u'1' : u'0';
    return s;
}
} // namespace

class TestOcclusion : public QObject {
    Q_OBJECT
private slots:
    void hidden_data()
    {
        QTest::addColumn<std::vector<Member>>("members");
        QTest::addColumn<Direction>("eye");
        QTest::addColumn<QString>("hidden");
        const Direction above{0, 1, 0}, below{0, -1, 0}, front{0, 0, 1};
        const Member board = box(0, 0, 10, 10, 10, 11);
        QTest::newRow("a block under a board, from above") << std::vector{board, box(2, 2, 8, 8, 8, 10)} << above
                                                            << "01";
        QTest::newRow("flush with the board's edge: the margin keeps it")
            << std::vector{board, box(2, 2, 10, 8, 8, 10)} << above << "00";
        QTest::newRow("two hundredths inside the edge") << std::vector{board, box(2, 2, 9.98, 8, 8, 10)} << above
                                                         << "01";
        QTest::newRow("half a hundredth inside the edge") << std::vector{board, box(2, 2, 9.995, 8, 8, 10)} << above
                                                           << "00";
        QTest::newRow("two boards touching cover it together")
            << std::vector{box(0, 0, 10, 5, 10, 11), box(0, 5, 10, 10, 10, 11), box(2, 2, 8, 8, 9, 10)} << above
            << "001";
        QTest::newRow("a gap between two boards, from above")
            << std::vector{box(0, 0, 10, 5, 10, 11), box(0, 5.125, 10, 10, 10, 11), box(2, 2, 8, 8, 9, 10)} << above
            << "000";
        // Eye (0, 0.8, 0.6): up is (0, 0.6, -0.8). The boards' outlines run
        // from 2 to 6.6 and from -2 to 2.5 up the view, the block's from -1 to 4.4.
        QTest::newRow("the same gap at a slant: the boards close it")
            << std::vector{box(0, 0, 10, 5, 10, 11), box(0, 5.125, 10, 10, 10, 11), box(2, 2, 8, 8, 9, 10)}
            << Direction{0, 0.8, 0.6} << "001";
        QTest::newRow("a deeper block at that slant shows below the boards")
            << std::vector{box(0, 0, 10, 5, 10, 11), box(0, 5.125, 10, 10, 10, 11), box(2, 2, 8, 8, 0, 10)}
            << Direction{0, 0.8, 0.6} << "000";
        QTest::newRow("from below, a board under a block hides it")
            << std::vector{box(0, 0, 10, 10, 0, 1), box(2, 2, 8, 8, 5, 6)} << below << "01";
        QTest::newRow("from below, a block under a board hides nothing")
            << std::vector{board, box(2, 2, 8, 8, 8, 10)} << below << "00";
        Member l = board;
        l.plan = {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}};
        QTest::newRow("an L-shaped board, a block in its notch") << std::vector{l, box(6, 6, 9, 9, 8, 10)} << above
                                                                  << "00";
        QTest::newRow("a post behind a larger post, from the front")
            << std::vector{box(0, 10, 4, 14, 0, 30), box(1, 0, 3, 4, 1, 29)} << front << "01";
        QTest::newRow("a post behind a smaller post") << std::vector{box(1, 10, 3, 14, 1, 29), box(0, 0, 4, 4, 0, 30)}
                                                      << front << "00";
        QTest::newRow("posts side by side along the eye, from above")
            << std::vector{box(0, 10, 4, 14, 0, 30), box(1, 0, 3, 4, 1, 29)} << above << "00";
        QTest::newRow("a board without thickness hides nothing")
            << std::vector{box(0, 0, 10, 10, 11, 11), box(2, 2, 8, 8, 8, 10)} << above << "00";
        QTest::newRow("nothing") << std::vector<Member>{} << above << "";
    }
    void hidden()
    {
        QFETCH(std::vector<Member>, members);
        QFETCH(Direction, eye);
        QFETCH(QString, hidden);
        QCOMPARE(flags(hiddenWhole(members, eye, {1, 0, 0})), hidden);
    }
};

QTEST_GUILESS_MAIN(TestOcclusion)
#include "tst_occlusion.moc"
