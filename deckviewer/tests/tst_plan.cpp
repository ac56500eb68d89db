// Where the 2D plan puts its measures and area (the numbers' own rules are
// text/tests' lengths table).
#include "datatable.h"
#include "plandrawing.h"
#include "render.h"

#include <QFile>
#include <QTest>

using namespace deckview;

class TestPlan : public QObject {
    Q_OBJECT
private slots:
    void measuresAroundTheOutline();
    void fixedViewsTurnedAsThePicture_data();
    void fixedViewsTurnedAsThePicture();
};

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
                     + QStringLiteral(" at %1 degrees").arg(l.angle);
    where.sort();
    QCOMPARE(where, (QStringList{"12' 6\" left at -90 degrees", "16' 0\" above at 0 degrees", "Area: 200 sq ft inside at 0 degrees"}));

    const QPolygonF l({{0, 0}, {20, 0}, {20, 12}, {10, 12}, {10, 20}, {0, 20}});
    QCOMPARE(planDrawing({l, {}}, QSize(800, 600)).labels.at(0).text, QStringLiteral("Area: 320 sq ft"));
}

void TestPlan::fixedViewsTurnedAsThePicture_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("corners");
    for (const QStringList &row : dataTable(JM_TESTDATA "/plan-views.txt"))
        QTest::newRow(qPrintable(row[0].trimmed())) << row[1].trimmed() << row[2].trimmed() << row[3].trimmed();
}

void TestPlan::fixedViewsTurnedAsThePicture()
{
    QFETCH(QString, view);
    QFETCH(QString, outline);
    QFETCH(QString, corners);
    Prism prism{deckmodel::Kind::DeckingBoard, QStringLiteral("deck"), {}, 0, 12};
    for (const QString &corner : outline.split(u' '))
        prism.plan.emplace_back(corner.section(u',', 0, 0).toDouble(), corner.section(u',', 1, 1).toDouble());
    const Mesh mesh = triangulate(Scene{{prism}});
    const Camera camera = standardCamera(*standardViewNamed(view), mesh.bounds, QSize(800, 600));
    const Drawing drawing = renderDrawing(mesh, camera, QSize(800, 600), {});
    QRectF box;
    for (const Segment2 &s : drawing.lines)
        box |= QRectF(s.a, s.b).normalized();
    QStringList seen;
    for (const Segment2 &s : drawing.lines)
        for (const QPointF p : {s.a, s.b}) {
            const QPointF feet = (p - box.topLeft()) / (camera.scale * 12);
            seen << QStringLiteral("%1,%2").arg(qRound(feet.x())).arg(qRound(feet.y()));
        }
    seen.sort();
    seen.removeDuplicates();
    QCOMPARE(seen.join(u' '), corners);
}

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_plan.moc"
