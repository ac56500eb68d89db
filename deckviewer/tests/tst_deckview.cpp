// The view: the chosen mode arrives from the render thread (a scene being
// meshed survives changes made meanwhile), and an outside hidden-line
// kernel's lines are placed at the camera's scale; highlighted members stand
// out in every mode. Where the 2D plan puts its measures and area (the
// numbers' own rules are text/tests' lengths table). The latest request
// wins: a result superseded while its work ran is never delivered, a request
// superseded before its work began skips it, and the latest result is
// delivered on the receiver's thread.
#include "datatable.h"
#include "testclasses.h"
#include "deckview.h"
#include "latestjob.h"
#include "mesh.h"
#include "plandrawing.h"
#include "planview.h"
#include "raster.h"
#include "render.h"

#include <QFile>
#include <QPainter>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWheelEvent>

#include <atomic>
#include <utility>
#include <vector>

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

// How many pixels within 3 of the point are a strong blue or a shade of it
// (nothing of the wood, the orange lines or the white ground looks like
// it), and how many are drawn at all.
std::pair<int, int> highlightedAndDrawnNear(const QImage &image, QPoint at)
{
    std::pair<int, int> count;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const QRgb p = image.pixel(at + QPoint(dx, dy));
            count.first += qBlue(p) > qRed(p) + 90 && qBlue(p) > qGreen(p) + 40;
            count.second += p != qRgb(255, 255, 255);
        }
    return count;
}

QImage painted(const Drawing &drawing)
{
    QImage image(drawing.viewport, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintLines(painter, drawing, Qt::black, 1.0, false);
    return image;
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
        view.setHiddenLineSource([](const ViewAxes &, bool) {
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

    // A kernel's lines that come while a frame is being drawn wait for it:
    // that frame is shown with the lines it was started with (the depth
    // buffer's), then one with the kernel's. A scene being meshed takes them
    // into its first frame, and nothing of the old scene is drawn meanwhile.
    void kernelLinesFollowTheFrameBeingDrawn()
    {
        DeckView view;
        view.resize(300, 200);
        view.setMode(ViewMode::HiddenLine);
        view.setScene(postUnderBeam());
        QVERIFY(waitForFrame(view));
        std::atomic<int> first = 0, second = 0; // projections by each kernel
        std::vector<std::pair<int, int>> atFrames;
        connect(&view, &DeckView::frameReady, this, [&] { atFrames.emplace_back(first.load(), second.load()); });
        const auto kernel = [](std::atomic<int> &calls) {
            return [&calls](const ViewAxes &, bool) {
                ++calls;
                return std::vector<Segment2>{{{0, 0}, {10, 0}, Stroke::Visible}};
            };
        };
        view.fit(); // a frame on its way
        QVERIFY(view.isRendering());
        view.setHiddenLineSource(kernel(first));
        QTRY_COMPARE(atFrames.size(), size_t(2));
        QCOMPARE(atFrames, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
        QCOMPARE(view.currentDrawing().lines.size(), 1u);

        atFrames.clear();
        Scene two = postUnderBeam();
        two.prisms.push_back(boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 2"), 10, 0, 14, 4, 0, 30));
        view.setScene(two);
        view.setHiddenLineSource(kernel(second));
        QTRY_COMPARE(atFrames.size(), size_t(1));
        QTest::qWait(300);
        QCOMPARE(atFrames, (std::vector<std::pair<int, int>>{{1, 1}}));
    }

    // Two posts seen from the front, 4 pixels an inch, scene point (2, 24) at
    // the centre of 200 x 300: pixel = (100 + 4 (x - 2), 150 - 4 (y - 24)).
    // Post 1 spans x 0 to 4 (pixels 92 to 108), Post 2 x 20 to 24 (172 to 188).
    void highlights_data()
    {
        QTest::addColumn<ViewMode>("mode");
        QTest::addColumn<QPoint>("post1"); // where Post 1 shows: an edge, or a face when shaded
        QTest::addColumn<QPoint>("post2");
        QTest::newRow("wireframe") << ViewMode::Wireframe << QPoint(92, 150) << QPoint(172, 150);
        QTest::newRow("hidden line") << ViewMode::HiddenLine << QPoint(92, 150) << QPoint(172, 150);
        QTest::newRow("shaded") << ViewMode::Shaded << QPoint(100, 150) << QPoint(180, 150);
    }
    void highlights()
    {
        QFETCH(ViewMode, mode);
        QFETCH(QPoint, post1);
        QFETCH(QPoint, post2);
        DeckView view;
        view.resize(200, 300);
        view.setScene({{boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 1"), 0, 0, 4, 4, 0, 48),
                        boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 2"), 20, 0, 24, 4, 0, 48)}});
        QVERIFY(waitForFrame(view));
        view.setCamera(Camera{0, 0, 4, {2, 24, 0}, {}});
        view.setMode(mode);
        view.setHighlighted({QStringLiteral("Post 1")});
        QVERIFY(waitForFrame(view));
        QImage image = painted(view.currentDrawing());
        QVERIFY(highlightedAndDrawnNear(image, post1).first > 0);
        const auto [picked, drawn] = highlightedAndDrawnNear(image, post2);
        QVERIFY(picked == 0 && drawn > 0); // there, but not picked out

        view.setHighlighted({});
        QVERIFY(waitForFrame(view));
        image = painted(view.currentDrawing());
        QCOMPARE(highlightedAndDrawnNear(image, post1).first, 0);
    }

    // The names a code check row gives pick out the pieces drawn for them: a
    // beam is drawn ply by ply, a post whole; "Beam 1" is not "Beam 10"
    // (data/names-picked.txt).
    void namesPickTheirPieces_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("picked");
        for (const QStringList &f : dataTable(JM_TESTDATA "/names-picked.txt", QStringLiteral(" | ")))
            QTest::newRow(qPrintable(f[0])) << f[1].split(u';', Qt::SkipEmptyParts) << f[2];
    }
    void namesPickTheirPieces()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, picked);
        const Mesh mesh = triangulate({{boxPrism(deckmodel::Kind::BeamPly, "Beam 1 ply 1", 0, 0, 96, 1.5, 30, 7.25),
                                        boxPrism(deckmodel::Kind::BeamPly, "Beam 1 ply 2", 0, 1.5, 96, 3, 30, 7.25),
                                        boxPrism(deckmodel::Kind::BeamPly, "Beam 10 ply 1", 0, 90, 96, 91.5, 30, 7.25),
                                        boxPrism(deckmodel::Kind::Post, "Post 1", 0, 0, 4, 4, 0, 30),
                                        boxPrism(deckmodel::Kind::Post, "Post 10", 90, 0, 94, 4, 0, 30)}});
        QString marks;
        for (bool p : membersNamed(mesh, names))
            marks += p ? u'1' : u'0';
        QCOMPARE(marks, picked);
    }

    void measuresAroundTheOutline();
    void fixedViewsTurnedAsThePicture();
    void planZoomsAndMoves();
    void onlyTheLatestIsDelivered();
    void supersededWithoutANewRequest();
};

// A 16 by 12.5 ft deck: the width written above it, the depth on its left,
// the area inside, the outline in four visible lines. Then an L, 20 x 20 less
// a 10 x 8 corner, for the area of an outline that is not a box.
void TestDeckView::measuresAroundTheOutline()
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
void TestDeckView::fixedViewsTurnedAsThePicture()
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
void TestDeckView::planZoomsAndMoves()
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

void TestDeckView::onlyTheLatestIsDelivered()
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    LatestJob job(&pool, this);
    QSemaphore running, release;
    QStringList worked, delivered;
    QList<QThread *> deliveredOn;
    auto deliver = [&](const QString &result) {
        delivered << result;
        deliveredOn << QThread::currentThread();
    };
    job.start([&] { running.release(); release.acquire(); worked << "first"; return QStringLiteral("first"); }, deliver);
    running.acquire(); // the first runs, and waits
    job.start([&] { worked << "second"; return QStringLiteral("second"); }, deliver);
    job.start([&] { worked << "third"; return QStringLiteral("third"); }, deliver);
    release.release();
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(worked, QStringList({"first", "third"}));
    QCOMPARE(delivered, QStringList{"third"});
    QCOMPARE(deliveredOn, QList<QThread *>{thread()});
}

void TestDeckView::supersededWithoutANewRequest()
{
    QThreadPool pool;
    LatestJob job(&pool, this);
    QSemaphore running, release;
    QStringList delivered;
    job.start([&] { running.release(); release.acquire(); return QStringLiteral("stale"); },
              [&](const QString &result) { delivered << result; });
    running.acquire();
    job.supersede();
    release.release();
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(delivered, QStringList());
}

JM_TEST_CLASS(TestDeckView)
#include "tst_deckview.moc"
