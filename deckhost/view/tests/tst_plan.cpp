// The 2D plan's words and numbers: feet and inches, square feet, and where
// the plan puts its measures and area.
#include "plan.h"

#include <QTest>

using namespace deckview;

class TestPlan : public QObject {
    Q_OBJECT
private slots:
    void numbers_data();
    void numbers();
    void measuresAroundTheOutline();
};

void TestPlan::numbers_data()
{
    QTest::addColumn<double>("feet");
    QTest::addColumn<bool>("area"); // square feet
    QTest::addColumn<QString>("text");
    QTest::newRow("whole feet") << 16.0 << false << QStringLiteral("16' 0\"");
    QTest::newRow("half a foot") << 12.5 << false << QStringLiteral("12' 6\"");
    QTest::newRow("eleven inches") << 10 + 11 / 12.0 << false << QStringLiteral("10' 11\"");
    QTest::newRow("just under a foot rounds up to it") << 0.99 << false << QStringLiteral("1' 0\"");
    QTest::newRow("half an inch rounds up") << 3 + 0.5 / 12 << false << QStringLiteral("3' 1\"");
    QTest::newRow("under half an inch rounds down") << 3 + 0.49 / 12 << false << QStringLiteral("3' 0\"");
    QTest::newRow("inches only") << 0.25 << false << QStringLiteral("0' 3\"");
    QTest::newRow("nothing") << 0.0 << false << QStringLiteral("0' 0\"");
    QTest::newRow("the largest deck") << 99.0 << false << QStringLiteral("99' 0\"");
    QTest::newRow("negative") << -2.5 << false << QStringLiteral("-2' 6\"");
    QTest::newRow("negative under half an inch is nothing") << -0.01 << false << QStringLiteral("0' 0\"");
    QTest::newRow("area, whole") << 192.0 << true << QStringLiteral("192 sq ft");
    QTest::newRow("area, a tenth") << 110.5 << true << QStringLiteral("110.5 sq ft");
    QTest::newRow("area rounds to whole") << 99.96 << true << QStringLiteral("100 sq ft");
}

void TestPlan::numbers()
{
    QFETCH(double, feet);
    QFETCH(bool, area);
    QFETCH(QString, text);
    QCOMPARE(area ? squareFeet(feet) : feetAndInches(feet), text);
}

// A 16 by 12.5 ft deck: the width written above it, the depth on its left,
// the area inside, the outline in four visible lines. Then an L, 20 x 20 less
// a 10 x 8 corner, for the area of an outline that is not a box.
void TestPlan::measuresAroundTheOutline()
{
    const QPolygonF outline({{0, 0}, {16, 0}, {16, 12.5}, {0, 12.5}});
    const Drawing drawing = planDrawing({outline, overallDimensions(outline)}, QSize(800, 600));
    QRectF box;
    int visible = 0;
    for (const Segment2 &s : drawing.lines)
        if (s.stroke == Stroke::Visible)
            ++visible, box |= QRectF(s.a, s.b).normalized();
    QCOMPARE(visible, 4);
    QVERIFY(QRectF(0, 0, 800, 600).contains(box));
    QStringList where;
    for (const Label &l : drawing.labels)
        where << l.text + QLatin1String(l.at.y() < box.top() ? " above" : l.at.x() < box.left() ? " left"
                                         : box.contains(l.at) ? " inside" : " elsewhere")
                     + QStringLiteral(" at %1 degrees").arg(std::abs(l.angle));
    where.sort();
    QCOMPARE(where, (QStringList{"12' 6\" left at 90 degrees", "16' 0\" above at 0 degrees", "Area: 200 sq ft inside at 0 degrees"}));

    const QPolygonF l({{0, 0}, {20, 0}, {20, 12}, {10, 12}, {10, 20}, {0, 20}});
    QCOMPARE(planDrawing({l, {}}, QSize(800, 600)).labels.at(0).text, QStringLiteral("Area: 320 sq ft"));
}

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_plan.moc"
