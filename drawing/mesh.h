// The scene as triangles and edges, built once per scene and reused for every
// view: orbiting only projects it again.
#pragma once

#include "scene.h"

#include <vector>

namespace deckview {

struct Triangle {
    Vec3 a, b, c;
    Vec3 normal; // outward, unit
    int member;  // index into Scene::prisms
};

struct Edge {
    Vec3 a, b;
    int member;
};

struct Mesh {
    std::vector<Triangle> triangles;
    std::vector<Edge> edges; // every edge of every prism, once per prism
    std::vector<deckmodel::Kind> kinds; // per member
    std::vector<QString> names;         // per member
    Box bounds;
};

// Bottom and top faces by ear clipping (plan polygons may be concave), sides as
// two triangles each. Vertical edges only where the outline turns. A prism
// with fewer than three distinct points, no height or a coordinate that is
// not a number gives nothing.
Mesh triangulate(const Scene &scene);

} // namespace deckview
