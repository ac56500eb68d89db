// Where the 2D plan puts its measures and area (the numbers' own rules are
// text/tests' lengths table).
#include "datatable.h"
#include "plandrawing.h"
#include "planview.h"
#include "render.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTest>

using namespace deckview;

class TestPlan : public QObject {
    Q_OBJECT
private slots:
    void measuresAroundTheOutline();
    void fixedViewsTurnedAsThePicture_data();
    void fixedViewsTurnedAsThePicture();
    void planZoomsAndMoves_data();
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

void TestPlan::planZoomsAndMoves_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("shown");
    for (const QStringList &row : dataTable(JM_TESTDATA "/plan-zoom.txt")) {
        QStringList events;
        for (const QString &event : row[1].split(u';', Qt::SkipEmptyParts))
            events << event.trimmed();
        QTest::newRow(qPrintable(row[0].trimmed())) << events << row[2].trimmed() + u' ' + row[3].trimmed();
    }
}

namespace {
QPointF pointOf(const QString &text)
{
    return {text.section(u',', 0, 0).toDouble(), text.section(u',', 1, 1).toDouble()};
}

void send(QWidget &widget, QEvent::Type type, QPointF at)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// "key +", "wheel 120 x,y", "drag x,y x,y" (press, move, release), "move x,y", "double x,y".
void play(QWidget &widget, const QString &event)
{
    const QStringList word = event.split(u' ');
    const std::map<QString, Qt::Key> keys{{"+", Qt::Key_Plus}, {"-", Qt::Key_Minus}, {"Home", Qt::Key_Home}};
    if (word[0] == u"key")
        QTest::keyClick(&widget, keys.at(word[1]));
    if (word[0] == u"wheel") {
        const QPointF at = pointOf(word[2]);
        QWheelEvent wheel(at, widget.mapToGlobal(at), {}, {0, word[1].toInt()}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &wheel);
    }
    if (word[0] == u"drag") {
        send(widget, QEvent::MouseButtonPress, pointOf(word[1]));
        send(widget, QEvent::MouseMove, pointOf(word[2]));
        send(widget, QEvent::MouseButtonRelease, pointOf(word[2]));
    }
    if (word[0] == u"move") {
        QMouseEvent move(QEvent::MouseMove, pointOf(word[1]), widget.mapToGlobal(pointOf(word[1])), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
    }
    if (word[0] == u"double")
        send(widget, QEvent::MouseButtonDblClick, pointOf(word[1]));
}
} // namespace

void TestPlan::planZoomsAndMoves()
{
    QFETCH(QStringList, events);
    QFETCH(QString, shown);
    PlanView view;
    view.resize(400, 225);
    const QPolygonF outline({{0, 0}, {16, 0}, {16, 12.5}, {0, 12.5}});
    view.setPlan({outline, overallDimensions(outline)});
    for (const QString &event : events)
        play(view, event);
    const Drawing drawing = view.currentDrawing();
    const Label area = drawing.labels.back();
    const Segment2 top = drawing.lines.front();
    QCOMPARE(QStringLiteral("%1,%2 %3")
                 .arg(area.at.x(), 0, 'f', 1)
                 .arg(area.at.y(), 0, 'f', 1)
                 .arg(QLineF(top.a, top.b).length(), 0, 'f', 1),
             shown);
}

QTEST_MAIN(TestPlan)
#include "tst_plan.moc"
