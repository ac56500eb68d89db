// What the viewer draws, as plain data: the deck's members as vertical prisms.
//
// The deck model hands its framing over as a list of members; each is a plan
// polygon extruded upwards from a base height, which is all a deck's framing
// needs (cut ends at 45 degrees are cut in plan). Conventions, shared with the
// model: Y up, X along B, Z along A, every length in inches. A plan point is
// (x, z).
#pragma once

#include "framing.h"

#include <QPointF>
#include <QString>

#include <utility>
#include <vector>

namespace deckview {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 normalized(Vec3 a);

// An axis-aligned box; empty until something is added.
struct Box {
    Vec3 min{1, 1, 1}, max{0, 0, 0};
    bool isEmpty() const { return min.x > max.x; }
    void add(Vec3 p);
    Vec3 centre() const { return 0.5 * (min + max); }
};

// The member kinds are the deck model's; a palette holds a colour for each.
inline constexpr size_t KindCount = size_t(deckmodel::Kind::Hanger) + 1;

struct Prism {
    deckmodel::Kind kind = deckmodel::Kind::Post;
    QString name;               // "Joist 12"
    std::vector<QPointF> plan;  // (x, z), either winding, at least three points
    double base = 0;            // y of the underside
    double height = 0;          // extent upwards
    int step = 0;               // a sloped piece's step (deckmodel::Member::step): counted once, by its first
};

// False when a coordinate, the base or the height is not a finite number:
// such a prism is neither drawn nor counted in the bounds.
bool isFinite(const Prism &prism);

struct Scene {
    std::vector<Prism> prisms;
    Box bounds() const;
};

// The count of each kind present, as a person reads it: ("Posts", "6"),
// ("Beam plies", "4"), ("Joists", "15"), ("Rim joists", "4"),
// ("Decking boards", "35"), in that order, then the guards' and the stair's;
// a sloped piece drawn in steps counts once.
std::vector<std::pair<QString, QString>> memberCounts(const Scene &scene);

// A box-shaped member from its plan corners (x0, z0) - (x1, z1).
Prism boxPrism(deckmodel::Kind kind, const QString &name, double x0, double z0, double x1, double z1, double base,
               double height);

} // namespace deckview
