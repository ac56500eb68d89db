#include "render.h"

namespace deckview {

Drawing renderDrawing(const Mesh &mesh, const Camera &camera, QSize viewport, const RenderOptions &options,
                      int resolution)
{
    if (resolution > 1) {
        Camera fine = camera;
        fine.scale *= resolution;
        fine.pan *= resolution;
        Drawing drawing = renderDrawing(mesh, fine, viewport * resolution, options);
        drawing.viewport = viewport;
        for (Segment2 &s : drawing.lines) {
            s.a /= resolution;
            s.b /= resolution;
        }
        return drawing;
    }
    const Projection projection(camera, viewport);
    Drawing drawing;
    drawing.viewport = viewport;
    drawing.dashHidden = options.dashHidden;
    switch (options.mode) {
    case ViewMode::Wireframe:
        drawing.lines = wireframeSegments(mesh, projection);
        break;
    case ViewMode::HiddenLine:
        if (options.hiddenLines) {
            std::vector<Segment2> segments = options.hiddenLines(projection.axes());
            for (Segment2 &s : segments) {
                s.a = projection.fromViewPlane(s.a);
                s.b = projection.fromViewPlane(s.b);
            }
            drawing.lines = cleanSegments(segments);
        } else {
            drawing.lines = hiddenLinesByDepth(mesh, projection);
        }
        break;
    case ViewMode::Shaded:
        drawing.picture = shadedImage(mesh, projection, options.palette);
        break;
    }
    return drawing;
}

} // namespace deckview
