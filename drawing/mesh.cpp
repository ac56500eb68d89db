#include "mesh.h"

#include <QLineF>

#include <algorithm>
#include <array>
#include <cmath>

namespace deckview {

namespace {
double cross2(QPointF o, QPointF a, QPointF b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// The plan without repeated points, counter-clockwise in (x, z).
std::vector<QPointF> cleanOutline(const std::vector<QPointF> &plan)
{
    std::vector<QPointF> points;
    for (const QPointF &p : plan)
        if (points.empty() || QLineF(points.back(), p).length() > 1e-9)
            points.push_back(p);
    while (points.size() > 1 && QLineF(points.back(), points.front()).length() <= 1e-9)
        points.pop_back();
    double area = 0;
    for (size_t i = 0; i < points.size(); ++i)
        area += cross2({}, points[i], points[(i + 1) % points.size()]);
    if (area < 0)
        std::reverse(points.begin(), points.end());
    return points;
}

bool inside(QPointF p, QPointF a, QPointF b, QPointF c)
{
    return cross2(a, b, p) >= 0 && cross2(b, c, p) >= 0 && cross2(c, a, p) >= 0;
}

// Ear clipping of a counter-clockwise polygon: index triples.
std::vector<std::array<int, 3>> ears(const std::vector<QPointF> &points)
{
    std::vector<int> left(points.size());
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = int(i);
    std::vector<std::array<int, 3>> result;
    int guard = 0;
    size_t i = 0;
    while (left.size() > 3 && guard < 4 * int(points.size()) * int(points.size())) {
        ++guard;
        const size_t n = left.size();
        const int a = left[(i + n - 1) % n], b = left[i % n], c = left[(i + 1) % n];
        bool ear = cross2(points[a], points[b], points[c]) > 1e-12;
        for (size_t k = 0; ear && k < n; ++k) {
            const int v = left[k];
            if (v != a && v != b && v != c && inside(points[v], points[a], points[b], points[c]))
                ear = false;
        }
        if (ear) {
            result.push_back({a, b, c});
            left.erase(left.begin() + long(i % n));
        } else {
            ++i;
        }
    }
    if (left.size() == 3)
        result.push_back({left[0], left[1], left[2]});
    return result;
}

void addPrism(Mesh &mesh, const Prism &prism, int member)
{
    if (!isFinite(prism))
        return;
    const std::vector<QPointF> points = cleanOutline(prism.plan);
    if (points.size() < 3 || prism.height <= 0)
        return;
    const double y0 = prism.base, y1 = prism.base + prism.height;
    auto at = [&](size_t i, double y) { return Vec3{points[i].x(), y, points[i].y()}; };
    for (const auto &[a, b, c] : ears(points)) {
        // Counter-clockwise in (x, z) faces -Y when seen as (x, y, z).
        mesh.triangles.push_back({at(a, y0), at(b, y0), at(c, y0), {0, -1, 0}, member});
        mesh.triangles.push_back({at(a, y1), at(c, y1), at(b, y1), {0, 1, 0}, member});
    }
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n, h = (i + n - 1) % n;
        const QPointF d = points[j] - points[i];
        const Vec3 outward = normalized({d.y(), 0, -d.x()});
        mesh.triangles.push_back({at(i, y0), at(j, y0), at(j, y1), outward, member});
        mesh.triangles.push_back({at(i, y0), at(j, y1), at(i, y1), outward, member});
        mesh.edges.push_back({at(i, y0), at(j, y0), member});
        mesh.edges.push_back({at(i, y1), at(j, y1), member});
        if (std::abs(cross2(points[h], points[i], points[j])) > 1e-9 * QLineF(points[h], points[j]).length())
            mesh.edges.push_back({at(i, y0), at(i, y1), member});
    }
}
} // namespace

Mesh triangulate(const Scene &scene)
{
    Mesh mesh;
    mesh.bounds = scene.bounds();
    for (size_t i = 0; i < scene.prisms.size(); ++i) {
        mesh.kinds.push_back(scene.prisms[i].kind);
        mesh.names.push_back(scene.prisms[i].name);
        addPrism(mesh, scene.prisms[i], int(i));
    }
    return mesh;
}

} // namespace deckview
