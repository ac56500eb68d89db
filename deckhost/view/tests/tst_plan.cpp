// The 2D plan's words and numbers: feet and inches, square feet, and where
// the plan puts its measures and area.
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
    QTest::newRow("rounds to whole") << 99.96 << QStringLiteral("100 sq ft");
}

void TestPlan::squareFeet()
{
    QFETCH(double, area);
    QFETCH(QString, text);
    QCOMPARE(deckview::squareFeet(area), text);
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

    const QPolygonF l({{0, 0}, {20, 0}, {20, 12}, {10, 12}, {10, 20}, {0, 20}});
    QCOMPARE(planDrawing({l, {}}, QSize(800, 600)).labels.at(0).text, QStringLiteral("Area: 320 sq ft"));
}

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_plan.moc"
