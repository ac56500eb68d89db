// How fast deckhost's view draws a deck of the worked example's size: meshing
// once, then one frame per degree of a full orbit in each mode, at a window's
// size. While dragging the view draws the wireframe; the other modes are drawn
// once the drag ends, off the GUI thread. With a folder argument it also
// writes the three modes as PNG, SVG and PDF there, to look at.
#include "workedexample.h"

#include "drawing.h"
#include "render.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>
#include <ctime>

using namespace deckview;

namespace {
const QSize Viewport(1000, 700);

// One frame as the window shows it: rendered, then painted onto the screen's image.
struct Rate {
    double wall, cpu; // frames a second by the clock on the wall and by this process's processor time
};

Rate orbitFps(const Mesh &mesh, ViewMode mode, int frames)
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
        paintLines(painter, drawing, options.palette.line, 1.0);
    }
    const double seconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    return {frames * 1000.0 / std::max<qint64>(1, timer.elapsed()), frames / std::max(seconds, 1e-9)};
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const Scene scene = workedExampleScene();
    QElapsedTimer timer;
    timer.start();
    Mesh mesh;
    for (int i = 0; i < 100; ++i)
        mesh = triangulate(scene);
    std::printf("scene: %zu members, %zu triangles, %zu edges; meshed in %.3f ms\n", scene.prisms.size(),
                mesh.triangles.size(), mesh.edges.size(), timer.nsecsElapsed() / 1e6 / 100);
    const std::pair<ViewMode, const char *> modes[] = {
        {ViewMode::Wireframe, "wireframe"}, {ViewMode::HiddenLine, "hidden line (depth buffer)"}, {ViewMode::Shaded, "shaded"}};
    for (const auto &[mode, name] : modes)
    {
        const Rate rate = orbitFps(mesh, mode, 360);
        std::printf("orbit %dx%d, %s: %.0f frames a second (%.0f by processor time)\n", Viewport.width(),
                    Viewport.height(), name, rate.wall, rate.cpu);
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
                QString error;
                const QString path = dir.filePath(QStringLiteral("mode%1.%2").arg(int(mode)).arg(QLatin1String(suffix)));
                if (!writeDrawing(path, drawing, block, &error))
                    std::fprintf(stderr, "%s\n", qPrintable(error));
            }
            std::printf("%s: %zu segments\n", name, drawing.lines.size());
        }
    }
    return 0;
}
