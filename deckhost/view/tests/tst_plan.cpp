// The 2D plan's words and numbers: feet and inches, square feet, areas, and
// where the plan puts its measures.
#include "plan.h"

#include <QTest>

using namespace deckview;

class TestPlan : public QObject {
    Q_OBJECT
private slots:
    void feetAndInches_data();
    void feetAndInches();
    void squareFeet_data();
    void squareFeet();
    void area_data();
    void area();
    void measuresAroundTheOutline();
};

void TestPlan::feetAndInches_data()
{
    QTest::addColumn<double>("feet");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole feet") << 16.0 << QStringLiteral("16' 0\"");
    QTest::newRow("half a foot") << 12.5 << QStringLiteral("12' 6\"");
    QTest::newRow("eleven inches") << 10 + 11 / 12.0 << QStringLiteral("10' 11\"");
    QTest::newRow("just under a foot rounds up to it") << 0.99 << QStringLiteral("1' 0\"");
    QTest::newRow("half an inch rounds up") << 3 + 0.5 / 12 << QStringLiteral("3' 1\"");
    QTest::newRow("under half an inch rounds down") << 3 + 0.49 / 12 << QStringLiteral("3' 0\"");
    QTest::newRow("inches only") << 0.25 << QStringLiteral("0' 3\"");
    QTest::newRow("nothing") << 0.0 << QStringLiteral("0' 0\"");
    QTest::newRow("the largest deck") << 99.0 << QStringLiteral("99' 0\"");
    QTest::newRow("negative") << -2.5 << QStringLiteral("-2' 6\"");
    QTest::newRow("negative under half an inch is nothing") << -0.01 << QStringLiteral("0' 0\"");
}

void TestPlan::feetAndInches()
{
    QFETCH(double, feet);
    QFETCH(QString, text);
    QCOMPARE(deckview::feetAndInches(feet), text);
}

void TestPlan::squareFeet_data()
{
    QTest::addColumn<double>("area");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 192.0 << QStringLiteral("192 sq ft");
    QTest::newRow("a tenth") << 110.5 << QStringLiteral("110.5 sq ft");
    QTest::newRow("rounded to a tenth") << 110.46 << QStringLiteral("110.5 sq ft");
    QTest::newRow("rounds to whole") << 99.96 << QStringLiteral("100 sq ft");
    QTest::newRow("the largest deck") << 9801.0 << QStringLiteral("9801 sq ft");
}

void TestPlan::squareFeet()
{
    QFETCH(double, area);
    QFETCH(QString, text);
    QCOMPARE(deckview::squareFeet(area), text);
}

void TestPlan::area_data()
{
    QTest::addColumn<QPolygonF>("outline");
    QTest::addColumn<double>("area");
    QTest::newRow("16 by 12, clockwise on paper")
        << QPolygonF({{0, 0}, {16, 0}, {16, 12}, {0, 12}}) << 192.0;
    QTest::newRow("16 by 12, the other way") << QPolygonF({{0, 0}, {0, 12}, {16, 12}, {16, 0}}) << 192.0;
    // 20 x 20 less a 10 x 8 corner.
    QTest::newRow("L") << QPolygonF({{0, 0}, {20, 0}, {20, 12}, {10, 12}, {10, 20}, {0, 20}}) << 320.0;
    // 16 x 12 with a 4 ft corner cut at 45 degrees: less 8 sq ft.
    QTest::newRow("cut corner") << QPolygonF({{0, 0}, {12, 0}, {16, 4}, {16, 12}, {0, 12}}) << 184.0;
    QTest::newRow("a line has none") << QPolygonF({{0, 0}, {5, 0}}) << 0.0;
}

void TestPlan::area()
{
    QFETCH(QPolygonF, outline);
    QFETCH(double, area);
    QCOMPARE(polygonArea(outline), area);
}

// A 16 by 12.5 ft deck: the width written above it, the depth on its left,
// the area inside, the outline in four visible lines.
void TestPlan::measuresAroundTheOutline()
{
    const QPolygonF outline({{0, 0}, {16, 0}, {16, 12.5}, {0, 12.5}});
    const Drawing drawing = planDrawing({outline, overallDimensions(outline)}, QSize(800, 600));

    QRectF box;
    int visible = 0;
    for (const Segment2 &s : drawing.lines)
        if (s.stroke == Stroke::Visible) {
            ++visible;
            box |= QRectF(s.a, s.b).normalized();
        }
    QCOMPARE(visible, 4);
    QVERIFY(QRectF(0, 0, 800, 600).contains(box));

    QCOMPARE(drawing.labels.size(), 3u);
    auto label = [&](const QString &text) -> const Label * {
        for (const Label &l : drawing.labels)
            if (l.text == text)
                return &l;
        return nullptr;
    };
    const Label *width = label(QStringLiteral("16' 0\""));
    const Label *depth = label(QStringLiteral("12' 6\""));
    const Label *area = label(QStringLiteral("Area: 200 sq ft"));
    QVERIFY(width && depth && area);
    QVERIFY(width->at.y() < box.top());
    QCOMPARE(width->angle, 0.0);
    QVERIFY(depth->at.x() < box.left());
    QCOMPARE(std::abs(depth->angle), 90.0);
    QVERIFY(box.contains(area->at));
}

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_plan.moc"
