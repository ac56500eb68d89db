// The view: keys and drags change the camera and the mode, the chosen mode
// arrives from the render thread, and an outside hidden-line kernel's lines
// are placed and cleaned.
#include "deckview.h"

#include <QSignalSpy>
#include <QTest>

using namespace deckview;

namespace {
// A post under a beam ply: 24 edges in all.
Scene postUnderBeam()
{
    return {{boxPrism(MemberKind::Post, QStringLiteral("Post 1"), 0, 0, 4, 4, 0, 30),
             boxPrism(MemberKind::BeamPly, QStringLiteral("Beam ply 1"), -20, 0, 24, 1.5, 30, 7.25)}};
}

bool waitForFrame(DeckView &view)
{
    QSignalSpy ready(&view, &DeckView::frameReady);
    return (!view.isRendering() && view.hasMesh()) || ready.wait(5000);
}
} // namespace

class TestDeckView : public QObject {
    Q_OBJECT
private slots:
    void modesArriveFromTheRenderThread();
    void newSceneSurvivesViewChanges();
    void keysPickViewsAndModes();
    void dragOrbitsAndRendersWhenReleased();
    void outsideHiddenLinesArePlacedAndCleaned();
    void commandLineNames();
};

void TestDeckView::modesArriveFromTheRenderThread()
{
    DeckView view;
    view.resize(300, 200);
    view.setScene(postUnderBeam());
    QVERIFY(waitForFrame(view));
    QCOMPARE(view.currentDrawing().lines.size(), 24u); // wireframe: every edge

    view.setMode(ViewMode::Shaded);
    QVERIFY(view.isRendering());
    QVERIFY(waitForFrame(view));
    const Drawing shaded = view.currentDrawing();
    QCOMPARE(shaded.picture.size(), QSize(300, 200));
    QVERIFY(shaded.lines.empty());

    view.setMode(ViewMode::HiddenLine);
    QVERIFY(waitForFrame(view));
    const Drawing hidden = view.currentDrawing();
    QVERIFY(hidden.picture.isNull());
    const auto visible = std::count_if(hidden.lines.begin(), hidden.lines.end(),
                                       [](const Segment2 &s) { return s.stroke == Stroke::Visible; });
    QVERIFY(visible > 0);
    QVERIFY(visible < 24);
    QVERIFY(size_t(visible) < hidden.lines.size()); // the rest hidden
}

// A scene being meshed is not lost to mode and size changes made meanwhile.
void TestDeckView::newSceneSurvivesViewChanges()
{
    DeckView view;
    view.resize(300, 200);
    view.setScene(postUnderBeam());
    QVERIFY(waitForFrame(view));
    Scene two = postUnderBeam();
    two.prisms.push_back(boxPrism(MemberKind::Post, QStringLiteral("Post 2"), 10, 0, 14, 4, 0, 30));
    view.setMode(ViewMode::Shaded);
    view.setScene(two);
    view.setMode(ViewMode::HiddenLine);
    view.resize(320, 200);
    view.setMode(ViewMode::Wireframe);
    QTRY_COMPARE(view.currentDrawing().lines.size(), 36u);
}

void TestDeckView::keysPickViewsAndModes()
{
    DeckView view;
    view.resize(300, 200);
    view.setScene(postUnderBeam());
    QVERIFY(waitForFrame(view));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const struct {
        Qt::Key key;
        double yaw, pitch;
        ViewMode mode;
    } rows[] = {{Qt::Key_P, 0, 90, ViewMode::Wireframe},       {Qt::Key_F, 0, 0, ViewMode::Wireframe},
                {Qt::Key_S, 90, 0, ViewMode::Wireframe},       {Qt::Key_I, 45, 35.264, ViewMode::Wireframe},
                {Qt::Key_2, 45, 35.264, ViewMode::Shaded},     {Qt::Key_1, 45, 35.264, ViewMode::HiddenLine},
                {Qt::Key_0, 45, 35.264, ViewMode::Wireframe}};
    for (const auto &row : rows) {
        QTest::keyClick(&view, row.key);
        QCOMPARE(view.camera().yaw, row.yaw);
        QCOMPARE(view.camera().pitch, row.pitch);
        QCOMPARE(view.mode(), row.mode);
    }
}

void TestDeckView::dragOrbitsAndRendersWhenReleased()
{
    DeckView view;
    view.resize(300, 200);
    view.setMode(ViewMode::Shaded);
    view.setScene(postUnderBeam());
    QVERIFY(waitForFrame(view));
    const double yaw = view.camera().yaw;

    QSignalSpy ready(&view, &DeckView::frameReady);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 100), view.mapToGlobal(QPointF(150, 100)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(&view, &move);
    QCOMPARE(view.camera().yaw, yaw - 20); // 0.4 degrees a pixel
    QVERIFY(view.isRendering());
    QTest::qWait(50);
    QCOMPARE(ready.count(), 0); // nothing but the wireframe while the button is down
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(150, 100));
    QVERIFY(ready.wait(5000));
    QVERIFY(!view.currentDrawing().picture.isNull());

    // Shift-drag pans.
    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    QMouseEvent pan(QEvent::MouseMove, QPointF(110, 90), view.mapToGlobal(QPointF(110, 90)), Qt::NoButton,
                    Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&view, &pan);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 90));
    QCOMPARE(view.camera().pan, QPointF(10, -10));
    QCOMPARE(view.camera().yaw, yaw - 20);
}

// The kernel answers in the view plane's inches; the view draws them at its
// camera's scale from the origin's pixel, each visible piece once.
void TestDeckView::outsideHiddenLinesArePlacedAndCleaned()
{
    DeckView view;
    view.resize(300, 200);
    view.setScene(postUnderBeam());
    QVERIFY(waitForFrame(view));
    view.setCamera(Camera{0, 0, 2, {0, 0, 0}, {}}); // origin at (150, 100), 2 pixels an inch
    view.setHiddenLineSource([](const ViewAxes &) {
        return std::vector<Segment2>{{{0, 0}, {10, 0}, Stroke::Visible},
                                     {{10, 0}, {0, 0}, Stroke::Visible},
                                     {{5, 0}, {20, 0}, Stroke::Hidden}};
    });
    view.setDashHidden(true);
    view.setMode(ViewMode::HiddenLine);
    QVERIFY(waitForFrame(view));
    const std::vector<Segment2> lines = view.currentDrawing().lines;
    QCOMPARE(lines.size(), 2u);
    QCOMPARE(lines[0].stroke, Stroke::Visible);
    QCOMPARE(lines[0].a, QPointF(150, 100));
    QCOMPARE(lines[0].b, QPointF(170, 100));
    QCOMPARE(lines[1].stroke, Stroke::Hidden);
    QCOMPARE(lines[1].a, QPointF(170, 100));
    QCOMPARE(lines[1].b, QPointF(190, 100));
    // Rendered afresh for a page at three times the pixels: the same lines.
    QCOMPARE(view.currentDrawing(3).lines.at(1).b, QPointF(190, 100));
}

void TestDeckView::commandLineNames()
{
    QCOMPARE(standardViewNamed(QStringLiteral("iso")), StandardView::Isometric);
    QCOMPARE(standardViewNamed(QStringLiteral("plan")), StandardView::Plan);
    QCOMPARE(standardViewNamed(QStringLiteral("front")), StandardView::Front);
    QCOMPARE(standardViewNamed(QStringLiteral("side")), StandardView::Side);
    QCOMPARE(standardViewNamed(QStringLiteral("Iso")), std::nullopt);
    QCOMPARE(viewModeNamed(QStringLiteral("wireframe")), ViewMode::Wireframe);
    QCOMPARE(viewModeNamed(QStringLiteral("hidden")), ViewMode::HiddenLine);
    QCOMPARE(viewModeNamed(QStringLiteral("shaded")), ViewMode::Shaded);
    QCOMPARE(viewModeNamed(QStringLiteral("hidden line")), std::nullopt);
}

QTEST_MAIN(TestDeckView)
#include "tst_deckview.moc"
