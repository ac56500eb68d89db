// The clean-up of hidden-line output: each row gives hand-made segments and
// the lines a person should see drawn, each piece once.
#include "segments.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace deckview;

namespace {
constexpr Stroke V = Stroke::Visible, H = Stroke::Hidden, T = Stroke::Thin;

using Segments = std::vector<Segment2>;

Segment2 seg(double ax, double ay, double bx, double by, Stroke stroke = V)
{
    return {{ax, ay}, {bx, by}, stroke};
}

// Rounded to a thousandth, ends in order, sorted: a comparable text.
QStringList normal(const Segments &segments)
{
    QStringList lines;
    auto r = [](double v) { return QString::number(std::round(v * 1000) / 1000 + 0.0, 'f', 3); };
    for (Segment2 s : segments) {
        if (std::tie(s.b.rx(), s.b.ry()) < std::tie(s.a.rx(), s.a.ry()))
            std::swap(s.a, s.b);
        const char *kind = s.stroke == V ? "visible" : s.stroke == H ? "hidden" : "thin";
        lines << QStringLiteral("%1 (%2, %3)-(%4, %5)").arg(QLatin1String(kind), r(s.a.x()), r(s.a.y()), r(s.b.x()), r(s.b.y()));
    }
    lines.sort();
    return lines;
}
} // namespace

class TestSegments : public QObject {
    Q_OBJECT
private slots:
    void clean_data();
    void clean();
};

void TestSegments::clean_data()
{
    QTest::addColumn<Segments>("input");
    QTest::addColumn<Segments>("expected");

    QTest::newRow("overlapping collinear pieces become one")
        << Segments{seg(0, 0, 10, 0), seg(5, 0, 15, 0)} << Segments{seg(0, 0, 15, 0)};
    QTest::newRow("pieces meeting end to end become one")
        << Segments{seg(0, 0, 5, 0), seg(5, 0, 9, 0)} << Segments{seg(0, 0, 9, 0)};
    QTest::newRow("an edge shared by two members, one reversed, is drawn once")
        << Segments{seg(0, 0, 10, 0), seg(10, 0, 0, 0)} << Segments{seg(0, 0, 10, 0)};
    QTest::newRow("a piece inside another adds nothing")
        << Segments{seg(0, 0, 10, 0), seg(3, 0, 4, 0)} << Segments{seg(0, 0, 10, 0)};
    QTest::newRow("a diagonal shared in part")
        << Segments{seg(0, 0, 4, 3), seg(8, 6, 2, 1.5)} << Segments{seg(0, 0, 8, 6)};
    QTest::newRow("upright pieces drawn up and down become one")
        << Segments{seg(3, 0, 3, 10), seg(3, 12, 3, 5)} << Segments{seg(3, 0, 3, 12)};
    QTest::newRow("nearly upright pieces leaning either way become one")
        << Segments{seg(3, 0, 3.000001, 10), seg(3.000001, 5, 3, 15)} << Segments{seg(3, 0, 3, 15)};
    QTest::newRow("pieces a hair apart are one line")
        << Segments{seg(0, 0, 10, 0), seg(5, 0.004, 15, 0.004)} << Segments{seg(0, 0.002, 15, 0.002)};

    QTest::newRow("hidden under visible is dropped")
        << Segments{seg(0, 0, 10, 0), seg(2, 0, 8, 0, H)} << Segments{seg(0, 0, 10, 0)};
    QTest::newRow("hidden sticking out keeps the part beyond")
        << Segments{seg(0, 0, 10, 0), seg(15, 0, 5, 0, H)} << Segments{seg(0, 0, 10, 0), seg(10, 0, 15, 0, H)};
    QTest::newRow("hidden on both sides of a visible piece")
        << Segments{seg(0, 0, 20, 0, H), seg(5, 0, 10, 0)}
        << Segments{seg(0, 0, 5, 0, H), seg(5, 0, 10, 0), seg(10, 0, 20, 0, H)};
    QTest::newRow("hidden pieces overlapping become one")
        << Segments{seg(0, 0, 6, 0, H), seg(4, 0, 9, 0, H)} << Segments{seg(0, 0, 9, 0, H)};
    QTest::newRow("hidden under two visible pieces with a gap shows in the gap")
        << Segments{seg(0, 0, 4, 0), seg(6, 0, 10, 0), seg(0, 0, 10, 0, H)}
        << Segments{seg(0, 0, 4, 0), seg(4, 0, 6, 0, H), seg(6, 0, 10, 0)};

    QTest::newRow("parallel lines an inch apart stay apart")
        << Segments{seg(0, 0, 10, 0), seg(0, 1, 10, 1)} << Segments{seg(0, 0, 10, 0), seg(0, 1, 10, 1)};
    QTest::newRow("collinear pieces with a gap stay apart")
        << Segments{seg(0, 0, 4, 0), seg(6, 0, 10, 0)} << Segments{seg(0, 0, 4, 0), seg(6, 0, 10, 0)};
    QTest::newRow("crossing lines are left alone")
        << Segments{seg(0, 0, 10, 10), seg(0, 10, 10, 0)} << Segments{seg(0, 0, 10, 10), seg(0, 10, 10, 0)};
    QTest::newRow("hidden crossing a visible line is left alone")
        << Segments{seg(0, 0, 10, 0), seg(5, -5, 5, 5, H)} << Segments{seg(0, 0, 10, 0), seg(5, -5, 5, 5, H)};
    QTest::newRow("a point is no line") << Segments{seg(1, 1, 1, 1), seg(2, 2, 2, 2, H)} << Segments{};
    QTest::newRow("not a number is no line")
        << Segments{seg(qQNaN(), 0, 5, 0), seg(0, 0, 5, qInf(), H), seg(0, 0, 5, 0)} << Segments{seg(0, 0, 5, 0)};
    QTest::newRow("thin lines pass as they are")
        << Segments{seg(0, 0, 10, 0, T), seg(0, 0, 10, 0, T), seg(0, 0, 10, 0)}
        << Segments{seg(0, 0, 10, 0, T), seg(0, 0, 10, 0, T), seg(0, 0, 10, 0)};
}

void TestSegments::clean()
{
    QFETCH(Segments, input);
    QFETCH(Segments, expected);
    QCOMPARE(normal(cleanSegments(input)), normal(expected));
}

QTEST_GUILESS_MAIN(TestSegments)
#include "tst_segments.moc"
