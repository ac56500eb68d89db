#include "render.h"

#include <algorithm>
#include <iterator>

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
    drawing.highlight = options.palette.highlight;
    const std::vector<bool> picked = membersNamed(mesh, options.highlighted);
    switch (options.mode) {
    case ViewMode::Wireframe:
        drawing.lines = wireframeSegments(mesh, projection);
        std::ranges::move(highlightSegments(mesh, projection, picked, false), std::back_inserter(drawing.lines));
        break;
    case ViewMode::HiddenLine:
        if (options.hiddenLines) {
            std::vector<Segment2> segments = options.hiddenLines(projection.axes(), options.dashHidden);
            for (Segment2 &s : segments) {
                s.a = projection.fromViewPlane(s.a);
                s.b = projection.fromViewPlane(s.b);
            }
            drawing.lines = cleanSegments(segments);
        } else {
            drawing.lines = hiddenLinesByDepth(mesh, projection);
        }
        std::ranges::move(highlightSegments(mesh, projection, picked, true), std::back_inserter(drawing.lines));
        break;
    case ViewMode::Shaded:
        drawing.picture = shadedImage(mesh, projection, options.palette, picked);
        break;
    }
    return drawing;
}

std::optional<StandardView> standardViewNamed(const QString &name)
{
    const std::pair<const char16_t *, StandardView> views[] = {{u"iso", StandardView::Isometric},
                                                                {u"plan", StandardView::Plan},
                                                                {u"front", StandardView::Front},
                                                                {u"side", StandardView::Side}};
    for (const auto &[text, view] : views)
        if (name == QStringView(text))
            return view;
    return std::nullopt;
}

std::optional<ViewMode> viewModeNamed(const QString &name)
{
    const std::pair<const char16_t *, ViewMode> modes[] = {
        {u"wireframe", ViewMode::Wireframe}, {u"hidden", ViewMode::HiddenLine}, {u"shaded", ViewMode::Shaded}};
    for (const auto &[text, mode] : modes)
        if (name == QStringView(text))
            return mode;
    return std::nullopt;
}

jm::Status writeView(const Scene &scene, StandardView view, const RenderOptions &options, const TitleBlock &block,
                     const QString &path)
{
    // The page's view area is about this shape; two page pixels a viewport pixel.
    const QSize viewport(1200, 760);
    const Mesh mesh = triangulate(scene);
    const Camera camera = standardCamera(view, mesh.bounds, viewport);
    return writeDrawing(path, renderDrawing(mesh, camera, viewport, options, 2), block);
}

} // namespace deckview
