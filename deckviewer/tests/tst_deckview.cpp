// The view: the chosen mode arrives from the render thread (a scene being
// meshed survives changes made meanwhile), and an outside hidden-line
// kernel's lines are placed at the camera's scale.
#include "deckview.h"

#include <QSignalSpy>
#include <QTest>

using namespace deckview;

namespace {
// A post under a beam ply: 24 edges in all.
Scene postUnderBeam()
{
    return {{boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 1"), 0, 0, 4, 4, 0, 30),
             boxPrism(deckmodel::Kind::BeamPly, QStringLiteral("Beam ply 1"), -20, 0, 24, 1.5, 30, 7.25)}};
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
    void modesArriveFromTheRenderThread()
    {
        DeckView view;
        view.resize(300, 200);
        view.setScene(postUnderBeam());
        QVERIFY(waitForFrame(view));
        QCOMPARE(view.currentDrawing().lines.size(), 24u); // wireframe: every edge
        view.setMode(ViewMode::Shaded);
        QVERIFY(view.isRendering());
        QVERIFY(waitForFrame(view));
        QCOMPARE(view.currentDrawing().picture.size(), QSize(300, 200));
        // A second post while meshing, with mode and size changes meanwhile.
        Scene two = postUnderBeam();
        two.prisms.push_back(boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 2"), 10, 0, 14, 4, 0, 30));
        view.setScene(two);
        view.setMode(ViewMode::HiddenLine);
        view.resize(320, 200);
        view.setMode(ViewMode::Wireframe);
        QTRY_COMPARE(view.currentDrawing().lines.size(), 36u);

        // The kernel answers in the view plane's inches; the view draws them at
        // its camera's scale from the origin's pixel, each visible piece once.
        view.resize(300, 200);
        view.setCamera(Camera{0, 0, 2, {0, 0, 0}, {}}); // origin at (150, 100), 2 pixels an inch
        view.setHiddenLineSource([](const ViewAxes &) {
            return std::vector<Segment2>{{{0, 0}, {10, 0}, Stroke::Visible},
                                         {{10, 0}, {0, 0}, Stroke::Visible},
                                         {{5, 0}, {20, 0}, Stroke::Hidden}};
        });
        view.setDashHidden(true);
        view.setMode(ViewMode::HiddenLine);
        QVERIFY(waitForFrame(view));
        const std::vector<Segment2> expected{{{150, 100}, {170, 100}, Stroke::Visible},
                                             {{170, 100}, {190, 100}, Stroke::Hidden}};
        for (int resolution : {1, 3}) { // rendered afresh for a page: the same lines
            const std::vector<Segment2> lines = view.currentDrawing(resolution).lines;
            QCOMPARE(lines.size(), 2u);
            for (size_t i = 0; i < 2; ++i)
                QVERIFY(lines[i].a == expected[i].a && lines[i].b == expected[i].b && lines[i].stroke == expected[i].stroke);
        }
    }
};

QTEST_MAIN(TestDeckView)
#include "tst_deckview.moc"
