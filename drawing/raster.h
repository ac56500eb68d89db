// Drawing a projected mesh: a shaded picture through a depth buffer of our own,
// the wireframe's segments, and the hidden-line segments read off that depth
// buffer.
//
// The shaded picture is a plain scanline raster into a QImage with one depth
// per pixel. Painting faces from far to near fails on long thin boards (a
// joist's far end is nearer than a board's middle), a depth buffer does not;
// and a raster of our own needs no OpenGL context, so the same code draws the
// window, the headless --render and the tests under the offscreen platform.
#pragma once

#include "camera.h"
#include "mesh.h"
#include "segments.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <array>
#include <vector>

namespace deckview {

struct Palette {
    std::array<QColor, KindCount> kinds; // by deckmodel::Kind
    QColor background;
    QColor line;
    QColor highlight; // members picked out, faces and lines alike
};

// Wood tones, darker for the heavier members; lines in orange; picked-out
// members in a strong blue, apart from both.
Palette woodPalette();

// A depth-buffered picture of the mesh: each visible face flat-shaded with its
// member's colour, lit from the upper left of the viewer.
class DepthRaster {
public:
    // Members marked in `highlighted` (by index) take the palette's highlight.
    DepthRaster(const Mesh &mesh, const Projection &projection, const Palette *palette,
                const std::vector<bool> &highlighted = {});

    const QImage &image() const { return m_image; }
    // The nearest face's depth at a pixel; -infinity where nothing is.
    float depthAt(int x, int y) const { return m_depth[size_t(y) * size_t(m_width) + size_t(x)]; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    void fill(const Vec3 &a, const Vec3 &b, const Vec3 &c, QRgb colour);

    int m_width, m_height;
    std::vector<float> m_depth;
    QImage m_image; // null without a palette: depth only
};

QImage shadedImage(const Mesh &mesh, const Projection &projection, const Palette &palette,
                   const std::vector<bool> &highlighted = {});

// Which members bear one of the names, by index; a name also picks out the
// pieces drawn for it ("Beam 1": "Beam 1 ply 1", "Beam 1 ply 2").
std::vector<bool> membersNamed(const Mesh &mesh, const QStringList &names);

// The highlighted members' edges as Highlight strokes: all of them, or with
// visibleOnly the pieces the depth buffer shows.
std::vector<Segment2> highlightSegments(const Mesh &mesh, const Projection &projection,
                                        const std::vector<bool> &highlighted, bool visibleOnly);

// Every edge, projected, all visible.
std::vector<Segment2> wireframeSegments(const Mesh &mesh, const Projection &projection);

// The edges split into visible and hidden pieces by the depth buffer, cleaned:
// what the hidden-line view draws when no exact hidden-line kernel is at hand.
std::vector<Segment2> hiddenLinesByDepth(const Mesh &mesh, const Projection &projection);

} // namespace deckview
