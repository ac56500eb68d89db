// Plan geometry of the deck: polygons seen from above in the deck's X and Z
// (inches), with the few operations the framing and its checks need. The
// outlines have right angles and 45-degree cuts, so clipping to boxes and
// insetting edges is all there is; no general Boolean is ever needed.
#pragma once

#include <array>
#include <vector>

namespace deckmodel {

struct Point {
    double x = 0;
    double z = 0;
};

// Corners in order; counter-clockwise when X is drawn to the right and Z up.
using Polygon = std::vector<Point>;

struct Box {
    double x0 = 0, x1 = 0, z0 = 0, z1 = 0;
};

struct Interval {
    double from = 0, to = 0;
};

// Twice the signed area of the triangle o, a, b in the plan: above 0 where
// they run anticlockwise, 0 where they lie on one line.
double cross(Point o, Point a, Point b);
double signedArea(const Polygon &polygon);
double area(const Polygon &polygon);
Box bounds(const Polygon &polygon);
Polygon counterClockwise(Polygon polygon);

// The part of the polygon inside the box (the box clips a concave polygon
// correctly as long as only one piece of it lies in the box).
Polygon clip(const Polygon &polygon, const Box &box);

// The polygon with every edge moved inwards by `distance`.
Polygon inset(const Polygon &polygon, double distance);

// Where the line z = `z` (or x = `x`) runs inside the polygon, in order.
std::vector<Interval> runAlongX(const Polygon &polygon, double z);
std::vector<Interval> runAlongZ(const Polygon &polygon, double x);

// Inside or within `tolerance` of the boundary.
bool contains(const Polygon &polygon, Point point, double tolerance);

// The area two polygons share; one of them must be convex.
double overlapArea(const Polygon &a, const Polygon &b);

// A plan with what overlapArea works out about it first: its box, and
// whether it is that box standing square. For one plan compared with many.
struct PlanBox {
    const Polygon *plan = nullptr;
    Box box;
    bool square = false;
};
PlanBox planBoxOf(const Polygon &polygon); // keeps a pointer to the polygon
double overlapArea(const PlanBox &a, const PlanBox &b);
bool isConvex(const Polygon &polygon);

// A simple polygon (either winding) cut into counter-clockwise triangles by
// clipping ears, each as three indices of its corners; empty when it is not
// simple enough for that. A flat face's mesh (the model files, the hidden
// lines).
std::vector<std::array<int, 3>> triangulated(const Polygon &polygon);

} // namespace deckmodel
