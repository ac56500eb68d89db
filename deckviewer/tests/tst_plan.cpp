// Where the 2D plan puts its measures and area (the numbers' own rules are
// text/tests' lengths table).
#include "datatable.h"
#include "plandrawing.h"
#include "planview.h"
#include "render.h"

#include <QFile>
#include <QWheelEvent>
#include <QTest>

using namespace deckview;

class TestPlan : public QObject {
    Q_OBJECT
private slots:
    void measuresAroundTheOutline();
    void fixedViewsTurnedAsThePicture();
    void planZoomsAndMoves();
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

static QPoint pointOf(const QString &text)
{
    return {text.section(u',', 0, 0).toInt(), text.section(u',', 1).toInt()};
}

// Each row's drawing: its corners in feet from its top left, right and down.
void TestPlan::fixedViewsTurnedAsThePicture()
{
    for (const QStringList &row : dataTable(JM_TESTDATA "/plan-views.txt")) {
        Prism prism{deckmodel::Kind::DeckingBoard, {}, {}, 0, 12};
        for (const QString &corner : row[2].trimmed().split(u' '))
            prism.plan.emplace_back(pointOf(corner));
        const Mesh mesh = triangulate(Scene{{prism}});
        const Camera camera = standardCamera(*standardViewNamed(row[1].trimmed()), mesh.bounds, QSize(800, 600));
        QPolygonF ends;
        for (const Segment2 &s : renderDrawing(mesh, camera, QSize(800, 600), {}).lines)
            ends << s.a << s.b;
        QStringList seen;
        for (const QPointF p : ends.translated(-ends.boundingRect().topLeft()))
            seen << QStringLiteral("%1,%2").arg(qRound(p.x() / camera.scale / 12)).arg(qRound(p.y() / camera.scale / 12));
        seen.sort(), seen.removeDuplicates();
        QCOMPARE(row[0] + seen.join(u' '), row[0] + row[3].trimmed());
    }
}

// Each row's events played on a fresh view: "key K", "wheel DELTA x,y",
// "drag x,y x,y", "move x,y", "double x,y".
void TestPlan::planZoomsAndMoves()
{
    const QPolygonF outline({{0, 0}, {16, 0}, {16, 12.5}, {0, 12.5}});
    for (const QStringList &row : dataTable(JM_TESTDATA "/plan-zoom.txt")) {
        PlanView view;
        view.resize(400, 225);
        view.setPlan({outline, overallDimensions(outline)});
        for (const QString &event : row[1].split(u';', Qt::SkipEmptyParts)) {
            const QStringList word = event.trimmed().split(u' ', Qt::SkipEmptyParts);
            if (word.isEmpty())
                continue;
            const QPoint a = pointOf(word.value(1)), b = pointOf(word.value(2));
            QWheelEvent wheel(b, view.mapToGlobal(b), {}, {0, word.value(1).toInt()}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            if (word[0] == u"key")
                QTest::keyClick(&view, word[1] == u"+" ? Qt::Key_Plus : word[1] == u"-" ? Qt::Key_Minus : Qt::Key_Home);
            else if (word[0] == u"wheel")
                QApplication::sendEvent(&view, &wheel);
            else if (word[0] == u"drag")
                QTest::mousePress(&view, Qt::LeftButton, {}, a), QTest::mouseMove(&view, b), QTest::mouseRelease(&view, Qt::LeftButton, {}, b);
            else
                word[0] == u"move" ? QTest::mouseMove(&view, a) : QTest::mouseDClick(&view, Qt::LeftButton, {}, a);
        }
        const Drawing drawing = view.currentDrawing(); // the area at the outline's centre, and its top edge
        QCOMPARE(QStringLiteral("%1: %2,%3 %4").arg(row[0].trimmed()).arg(drawing.labels.back().at.x(), 0, 'f', 1)
                     .arg(drawing.labels.back().at.y(), 0, 'f', 1)
                     .arg(QLineF(drawing.lines.front().a, drawing.lines.front().b).length(), 0, 'f', 1),
                 row[0].trimmed() + ": " + row[2].trimmed() + u' ' + row[3].trimmed());
    }
}

QTEST_MAIN(TestPlan)
#include "tst_plan.moc"
