#include "raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace deckview {

namespace {
constexpr float Nothing = -std::numeric_limits<float>::infinity();
} // namespace

Palette woodPalette()
{
    Palette palette;
    palette.kinds[size_t(deckmodel::Kind::Post)] = QColor(124, 86, 52);
    palette.kinds[size_t(deckmodel::Kind::BeamPly)] = QColor(158, 108, 62);
    palette.kinds[size_t(deckmodel::Kind::Joist)] = QColor(196, 148, 92);
    palette.kinds[size_t(deckmodel::Kind::RimJoist)] = QColor(178, 128, 78);
    palette.kinds[size_t(deckmodel::Kind::DeckingBoard)] = QColor(222, 184, 135);
    palette.kinds[size_t(deckmodel::Kind::GuardPost)] = QColor(112, 82, 54);
    palette.kinds[size_t(deckmodel::Kind::GuardRail)] = QColor(172, 126, 76);
    palette.kinds[size_t(deckmodel::Kind::Baluster)] = QColor(236, 226, 206);
    palette.kinds[size_t(deckmodel::Kind::Stringer)] = QColor(148, 112, 72);
    palette.kinds[size_t(deckmodel::Kind::Tread)] = QColor(230, 194, 140);
    palette.kinds[size_t(deckmodel::Kind::Handrail)] = QColor(92, 62, 40);
    palette.kinds[size_t(deckmodel::Kind::LandingPad)] = QColor(178, 178, 172);
    palette.kinds[size_t(deckmodel::Kind::Riser)] = QColor(214, 172, 120);
    palette.kinds[size_t(deckmodel::Kind::Block)] = QColor(150, 150, 146); // concrete, darker than the landing pad
    palette.kinds[size_t(deckmodel::Kind::Ledger)] = QColor(122, 140, 92);
    palette.kinds[size_t(deckmodel::Kind::Hanger)] = QColor(168, 173, 178); // galvanised steel
    palette.background = Qt::white;
    palette.line = QColor(224, 112, 0);
    palette.highlight = QColor(20, 110, 255);
    return palette;
}

DepthRaster::DepthRaster(const Mesh &mesh, const Projection &projection, const Palette *palette,
                         const std::vector<bool> &highlighted)
    : m_width(std::max(1, projection.viewport().width())), m_height(std::max(1, projection.viewport().height())),
      m_depth(size_t(m_width) * size_t(m_height), Nothing)
{
    if (palette) {
        m_image = QImage(m_width, m_height, QImage::Format_RGB32);
        m_image.fill(palette->background);
    }
    const ViewAxes &axes = projection.axes();
    const Vec3 light = normalized(0.35 * axes.eye + 0.5 * axes.up - 0.3 * axes.right);
    for (const Triangle &t : mesh.triangles) {
        const double facing = dot(t.normal, axes.eye);
        if (facing <= 1e-9)
            continue; // a back face: the solid's front hides it
        QRgb colour = 0;
        if (palette) {
            const bool picked = size_t(t.member) < highlighted.size() && highlighted[size_t(t.member)];
            const QColor base = picked ? palette->highlight : palette->kinds[size_t(mesh.kinds[size_t(t.member)])];
            const double light_ = 0.45 + 0.55 * std::max(0.0, dot(t.normal, light));
            colour = qRgb(int(base.red() * light_), int(base.green() * light_), int(base.blue() * light_));
        }
        fill(projection.map(t.a), projection.map(t.b), projection.map(t.c), colour);
    }
}

// Pixels whose centres lie in the triangle take its colour where it is the
// nearest so far. Depth is linear in x and y under a parallel projection.
void DepthRaster::fill(const Vec3 &a, const Vec3 &b, const Vec3 &c, QRgb colour)
{
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (!(std::abs(area) >= 1e-12) || !std::isfinite(area) || !std::isfinite(a.z + b.z + c.z))
        return; // edge-on, or not a number
    // Clamped before the conversion to int, so that far-off corners stay in range.
    auto row = [this](double y) { return int(std::clamp(std::ceil(y - 0.5), -1.0, double(m_height))); };
    auto column = [this](double x) { return int(std::clamp(std::ceil(x - 0.5), -1.0, double(m_width))); };
    const double dzdx = ((b.z - a.z) * (c.y - a.y) - (b.y - a.y) * (c.z - a.z)) / area;
    const double dzdy = ((b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x)) / area;
    const int y0 = std::max(0, row(std::min({a.y, b.y, c.y})));
    const int y1 = std::min(m_height - 1, row(std::max({a.y, b.y, c.y})) - 1);
    const Vec3 corners[3] = {a, b, c};
    for (int y = y0; y <= y1; ++y) {
        const double yc = y + 0.5;
        double left = std::numeric_limits<double>::max(), right = std::numeric_limits<double>::lowest();
        for (int e = 0; e < 3; ++e) {
            const Vec3 &p = corners[e], &q = corners[(e + 1) % 3];
            if ((yc < p.y) == (yc < q.y))
                continue;
            const double x = p.x + (yc - p.y) * (q.x - p.x) / (q.y - p.y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
        const int x0 = std::max(0, column(left));
        const int x1 = std::min(m_width - 1, column(right) - 1);
        float *depth = m_depth.data() + size_t(y) * size_t(m_width);
        QRgb *pixels = m_image.isNull() ? nullptr : reinterpret_cast<QRgb *>(m_image.scanLine(y));
        double z = a.z + (x0 + 0.5 - a.x) * dzdx + (yc - a.y) * dzdy;
        for (int x = x0; x <= x1; ++x, z += dzdx) {
            if (float(z) > depth[x]) {
                depth[x] = float(z);
                if (pixels)
                    pixels[x] = colour;
            }
        }
    }
}

QImage shadedImage(const Mesh &mesh, const Projection &projection, const Palette &palette,
                   const std::vector<bool> &highlighted)
{
    return DepthRaster(mesh, projection, &palette, highlighted).image();
}

std::vector<bool> membersNamed(const Mesh &mesh, const QStringList &names)
{
    std::vector<bool> named(mesh.names.size(), false);
    for (size_t i = 0; i < named.size(); ++i) {
        const QString &member = mesh.names[i];
        named[i] = std::any_of(names.begin(), names.end(), [&](const QString &name) {
            // The whole name, then a word for the piece: "ply", "step", "board".
            return member == name
                || (member.size() > name.size() + 1 && member.startsWith(name) && member[name.size()] == u' '
                    && member[name.size() + 1].isLetter());
        });
    }
    return named;
}

std::vector<Segment2> wireframeSegments(const Mesh &mesh, const Projection &projection)
{
    std::vector<Segment2> segments;
    segments.reserve(mesh.edges.size());
    for (const Edge &e : mesh.edges) {
        const Vec3 a = projection.map(e.a), b = projection.map(e.b);
        segments.push_back({{a.x, a.y}, {b.x, b.y}, Stroke::Visible});
    }
    return segments;
}

namespace {
// The edge split into visible and hidden pieces by the depth buffer. An edge
// point is hidden when every pixel around it shows a face nearer than the
// point by more than about two pixels' worth of depth: the member's own faces
// meet it at the edge and never hide it.
void splitByDepth(const DepthRaster &raster, const Projection &projection, const Edge &e,
                  std::vector<Segment2> &segments)
{
    const float tolerance = float(2.0 / projection.scale() + 1e-3);
    auto hidden = [&](double x, double y, double depth) {
        const int px = int(std::floor(x)), py = int(std::floor(y));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int qx = px + dx, qy = py + dy;
                if (qx < 0 || qy < 0 || qx >= raster.width() || qy >= raster.height())
                    return false;
                if (raster.depthAt(qx, qy) <= float(depth) + tolerance)
                    return false;
            }
        return true;
    };
    const Vec3 a = projection.map(e.a), b = projection.map(e.b);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!std::isfinite(length + a.z + b.z))
        return;
    // A sample a pixel, at most as many as the viewport could show.
    const int steps = int(std::clamp(std::ceil(length), 1.0, 4.0 * (raster.width() + raster.height())));
    auto at = [&](double t) { return QPointF(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)); };
    bool runHidden = false;
    double runStart = 0;
    for (int k = 0; k <= steps; ++k) {
        const double t = double(k) / steps;
        const bool h = hidden(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z));
        if (k == 0) {
            runHidden = h;
        } else if (h != runHidden) {
            const double split = (k - 0.5) / steps;
            segments.push_back({at(runStart), at(split), runHidden ? Stroke::Hidden : Stroke::Visible});
            runStart = split;
            runHidden = h;
        }
    }
    segments.push_back({at(runStart), at(1), runHidden ? Stroke::Hidden : Stroke::Visible});
}
} // namespace

std::vector<Segment2> hiddenLinesByDepth(const Mesh &mesh, const Projection &projection)
{
    const DepthRaster raster(mesh, projection, nullptr);
    std::vector<Segment2> segments;
    for (const Edge &e : mesh.edges)
        splitByDepth(raster, projection, e, segments);
    return cleanSegments(segments);
}

std::vector<Segment2> highlightSegments(const Mesh &mesh, const Projection &projection,
                                        const std::vector<bool> &highlighted, bool visibleOnly)
{
    std::vector<Edge> edges;
    for (const Edge &e : mesh.edges)
        if (size_t(e.member) < highlighted.size() && highlighted[size_t(e.member)])
            edges.push_back(e);
    std::vector<Segment2> segments;
    if (edges.empty())
        return segments;
    if (visibleOnly) {
        const DepthRaster raster(mesh, projection, nullptr);
        for (const Edge &e : edges)
            splitByDepth(raster, projection, e, segments);
        std::erase_if(segments, [](const Segment2 &s) { return s.stroke != Stroke::Visible; });
    } else {
        for (const Edge &e : edges) {
            const Vec3 a = projection.map(e.a), b = projection.map(e.b);
            segments.push_back({{a.x, a.y}, {b.x, b.y}});
        }
    }
    for (Segment2 &s : segments)
        s.stroke = Stroke::Highlight;
    return segments;
}

} // namespace deckview
