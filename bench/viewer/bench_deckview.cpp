// How fast the deck viewer's view draws a deck of the worked example's size, and the
// largest (99 x 99 ft): meshing once, then one frame per degree of a full
// orbit in each mode, at a window's size. While dragging the view draws the wireframe; the other modes are drawn
// once the drag ends, off the GUI thread. With a folder argument it also
// writes the three modes as PNG, SVG and PDF there, to look at.
#include "workedexample.h"

#include "drawing.h"
#include "render.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>
#include <tuple>
#include <ctime>

using namespace deckview;

namespace {
const QSize Viewport(1000, 700);

struct Rate {
    double wall, cpu; // frames a second by the clock on the wall and by this process's processor time
};

// One frame as the window shows it: rendered, then painted onto the screen's
// image; lines without antialiasing while dragging.
Rate orbitFps(const Mesh &mesh, ViewMode mode, int frames, bool dragging)
{
    RenderOptions options;
    options.mode = mode;
    Camera camera = standardCamera(StandardView::Isometric, mesh.bounds, Viewport);
    QImage screen(Viewport, QImage::Format_RGB32);
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    for (int i = 0; i < frames; ++i) {
        camera.orbit(360.0 / frames, 0);
        const Drawing drawing = renderDrawing(mesh, camera, Viewport, options);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        paintLines(painter, drawing, options.palette.line, 1.0, !dragging);
    }
    const double seconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    return {frames * 1000.0 / std::max<qint64>(1, timer.elapsed()), frames / std::max(seconds, 1e-9)};
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::pair<ViewMode, const char *> modes[] = {
        {ViewMode::Wireframe, "wireframe"}, {ViewMode::HiddenLine, "hidden line (depth buffer)"}, {ViewMode::Shaded, "shaded"}};
    Mesh mesh;
    for (const auto &[a, b, frames] : {std::tuple{16, 12, 360}, std::tuple{99, 99, 36}}) {
        const Scene scene = framedScene(a, b);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 10; ++i)
            mesh = triangulate(scene);
        std::printf("%d x %d ft: %zu members, %zu triangles, %zu edges; meshed in %.2f ms\n", a, b, scene.prisms.size(),
                    mesh.triangles.size(), mesh.edges.size(), timer.nsecsElapsed() / 1e6 / 10);
        const Rate drag = orbitFps(mesh, ViewMode::Wireframe, frames, true);
        std::printf("  orbit %dx%d, wireframe while dragging: %.0f frames a second (%.0f by processor time)\n",
                    Viewport.width(), Viewport.height(), drag.wall, drag.cpu);
        for (const auto &[mode, name] : modes) {
            const Rate rate = orbitFps(mesh, mode, frames, false);
            std::printf("  orbit %dx%d, %s: %.0f frames a second (%.0f by processor time)\n", Viewport.width(),
                        Viewport.height(), name, rate.wall, rate.cpu);
        }
    }
    mesh = triangulate(workedExampleScene());
    {
        // A headless render's drawing part: mesh, fixed view, file.
        const QString dir = QDir::tempPath();
        for (const auto &[mode, suffix] : {std::pair{ViewMode::HiddenLine, "svg"}, std::pair{ViewMode::HiddenLine, "pdf"},
                                           std::pair{ViewMode::Shaded, "png"}}) {
            RenderOptions options;
            options.mode = mode;
            QElapsedTimer timer;
            timer.start();
            const QString path = QDir(dir).filePath(QStringLiteral("bench_deckview.%1").arg(QLatin1String(suffix)));
            if (const jm::Status written = writeView(workedExampleScene(), StandardView::Isometric, options, TitleBlock{}, path);
                !written)
                std::fprintf(stderr, "%s\n", qPrintable(written.error()));
            std::printf("16 x 12 ft, %s, iso to %s: %.1f ms\n", mode == ViewMode::Shaded ? "shaded" : "hidden line",
                        suffix, timer.nsecsElapsed() / 1e6);
            QFile::remove(path);
        }
    }

    if (argc > 1) {
        TitleBlock block{QStringLiteral("Deck_Rectangle"), QStringLiteral("Rectangle"), QStringLiteral("A 16' 0\" x B 12' 0\""),
                         QStringLiteral("3' 0\""), QDate::currentDate(),
                         {QStringLiteral("Member"), QStringLiteral("Size"), QStringLiteral("Pieces"), QStringLiteral("Length")},
                         {{QStringLiteral("Posts"), QStringLiteral("4 x 4"), QStringLiteral("6"), QStringLiteral("8'")},
                          {QStringLiteral("Joists"), QStringLiteral("2 x 8"), QStringLiteral("11"), QStringLiteral("16'")}}};
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        for (const auto &[mode, name] : modes) {
            RenderOptions options;
            options.mode = mode;
            options.dashHidden = true;
            const Camera camera = standardCamera(StandardView::Isometric, mesh.bounds, Viewport);
            const Drawing drawing = renderDrawing(mesh, camera, Viewport, options);
            for (const char *suffix : {"png", "svg", "pdf"}) {
                const QString path = dir.filePath(QStringLiteral("mode%1.%2").arg(int(mode)).arg(QLatin1String(suffix)));
                if (const jm::Status written = writeDrawing(path, drawing, block); !written)
                    std::fprintf(stderr, "%s\n", qPrintable(written.error()));
            }
            std::printf("%s: %zu segments\n", name, drawing.lines.size());
        }
    }
    return 0;
}
