// One view of a mesh as a Drawing, in any of the three modes: the work the
// window does off its GUI thread, and what a headless render writes out.
#pragma once

#include "camera.h"
#include "drawing.h"
#include "mesh.h"
#include "raster.h"

#include <functional>
#include <optional>

namespace deckview {

// The numbers are those of the deck parameter file's viewing mode line.
enum class ViewMode { Wireframe = 0, HiddenLine = 1, Shaded = 2 };

// An outside hidden-line kernel: for a view direction, the edges split into
// visible and hidden pieces, in the view plane's inches, (dot(p, right),
// dot(p, up)). It is called off the GUI thread. (A projector on the axis
// system with origin (0, 0, 0), main direction `eye` and X direction `right`
// has exactly these 2D coordinates: its Y direction is eye x right = up.)
// When `hiddenDrawn` is false the hidden pieces are not drawn, and the kernel
// may leave out some of them (never a visible one).
using HiddenLineSource = std::function<std::vector<Segment2>(const ViewAxes &axes, bool hiddenDrawn)>;

struct RenderOptions {
    ViewMode mode = ViewMode::Wireframe;
    bool dashHidden = false;       // draw hidden lines dashed instead of leaving them out
    HiddenLineSource hiddenLines;  // none: hidden lines read off a depth buffer
    Palette palette = woodPalette();
    QStringList highlighted;       // members drawn in the palette's highlight, in every mode
};

// The view in the chosen mode. Wireframe: every edge. Hidden line: the
// source's segments (or the depth buffer's), cleaned so that each visible
// piece is drawn once. Shaded: the depth-buffered picture. Highlighted
// members: their visible edges drawn over the lines in the highlight colour,
// their faces shaded in it. A resolution
// above 1 renders that many pixels a viewport pixel (a sharper picture and
// depth buffer for a page), the lines still in viewport pixels.
Drawing renderDrawing(const Mesh &mesh, const Camera &camera, QSize viewport, const RenderOptions &options,
                      int resolution = 1);

// The command line's names: "iso", "plan", "front", "side"; "wireframe",
// "hidden", "shaded". Empty for any other text.
std::optional<StandardView> standardViewNamed(const QString &name);
std::optional<ViewMode> viewModeNamed(const QString &name);

// A fixed view of the scene as a drawing file (.png, .svg or .pdf) with its
// title block, without a window: what a headless render writes.
jm::Status writeView(const Scene &scene, StandardView view, const RenderOptions &options, const TitleBlock &block,
                     const QString &path);

} // namespace deckview
