#include "glbfile.h"

#include "geometry.h"
#include "modelcolours.h"
#include "sharedshapes.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace deckmodel {

namespace {

constexpr double MetresAnInch = 0.0254;
// Corners closer than this (inches) are one.
constexpr double Tiny = 1e-9;

using Vec3 = std::array<float, 3>;

// A piece's triangles: each face's corners of its own, with its normal.
struct Mesh {
    std::vector<Vec3> positions, normals;
    std::vector<quint32> indices;
};

// The plan's corners, none twice in a row (nor the first again at the end);
// empty where one is not a number.
Polygon cornersOf(const Polygon &plan)
{
    Polygon corners;
    corners.reserve(plan.size());
    for (const Point &p : plan) {
        if (!std::isfinite(p.x) || !std::isfinite(p.z))
            return {};
        if (corners.empty() || std::hypot(p.x - corners.back().x, p.z - corners.back().z) > Tiny)
            corners.push_back(p);
    }
    while (corners.size() > 1 && std::hypot(corners.front().x - corners.back().x, corners.front().z - corners.back().z) <= Tiny)
        corners.pop_back();
    return corners;
}

// Whether no two edges of the polygon meet but neighbours at their corner.
bool simple(const Polygon &p)
{
    const auto side = [](Point o, Point a, Point b) {
        const double t = cross(o, a, b);
        return t > 1e-12 ? 1 : t < -1e-12 ? -1 : 0;
    };
    const size_t n = p.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (j == i + 1 || (i == 0 && j == n - 1))
                continue;
            const Point a = p[i], b = p[(i + 1) % n], c = p[j], d = p[(j + 1) % n];
            // Crossing or touching: each edge's ends on either side of (or on) the other's line, their boxes meeting.
            if (side(a, b, c) * side(a, b, d) <= 0 && side(c, d, a) * side(c, d, b) <= 0
                && std::max(a.x, b.x) >= std::min(c.x, d.x) && std::max(c.x, d.x) >= std::min(a.x, b.x)
                && std::max(a.z, b.z) >= std::min(c.z, d.z) && std::max(c.z, d.z) >= std::min(a.z, b.z))
                return false;
        }
    }
    return true;
}

// The prism of the plan from the ground up `height`, in metres: underneath,
// on top, then a side for each edge of the plan. Empty where it is no solid.
Mesh prismOf(const Polygon &plan, double height)
{
    Mesh mesh;
    const Polygon corners = cornersOf(plan);
    if (!(height > Tiny) || !std::isfinite(height) || corners.size() < 3 || !(std::abs(signedArea(corners)) > Tiny)
        || !simple(corners))
        return mesh;
    // Counter-clockwise in plan (X to the right, Z up), a triangle faces
    // down (-Y): as they are underneath, turned on top.
    const std::vector<std::array<int, 3>> caps = triangulated(corners);
    if (caps.empty())
        return mesh;
    const bool counterClockwise = signedArea(corners) > 0;
    const float top = float(height * MetresAnInch);
    const auto corner = [&](const Point &p, float y) {
        mesh.positions.push_back({float(p.x * MetresAnInch), y, float(p.z * MetresAnInch)});
    };
    for (const bool up : {false, true}) {
        const quint32 first = quint32(mesh.positions.size());
        for (const Point &p : corners) {
            corner(p, up ? top : 0.0f);
            mesh.normals.push_back({0, up ? 1.0f : -1.0f, 0});
        }
        for (const auto &[a, b, c] : caps)
            mesh.indices.insert(mesh.indices.end(), {first + quint32(a), first + quint32(up ? c : b), first + quint32(up ? b : c)});
    }
    // A side from corner a to b: a and b on the ground, then b and a on top.
    // Outwards is to the right of a to b where the plan runs
    // counter-clockwise, to the left where it runs the other way.
    for (size_t i = 0; i < corners.size(); ++i) {
        const Point &a = corners[i], &b = corners[(i + 1) % corners.size()];
        const double dx = b.x - a.x, dz = b.z - a.z, length = std::hypot(dx, dz);
        const double side = counterClockwise ? 1 : -1;
        const Vec3 normal{float(side * dz / length), 0, float(-side * dx / length)};
        const quint32 first = quint32(mesh.positions.size());
        corner(a, 0);
        corner(b, 0);
        corner(b, top);
        corner(a, top);
        mesh.normals.insert(mesh.normals.end(), 4, normal);
        if (counterClockwise)
            mesh.indices.insert(mesh.indices.end(), {first, first + 2, first + 1, first, first + 3, first + 2});
        else
            mesh.indices.insert(mesh.indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
    }
    return mesh;
}

// JSON text, numbers in the fewest digits that read back the same.
struct Json {
    QByteArray text;

    Json &operator<<(const char *raw)
    {
        text += raw;
        return *this;
    }
    Json &operator<<(double value)
    {
        text += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
        return *this;
    }
    Json &operator<<(qsizetype value)
    {
        text += QByteArray::number(value);
        return *this;
    }
    Json &string(const QString &value)
    {
        text += '"';
        for (const char c : value.toUtf8()) {
            if (c == '"' || c == '\\') {
                text += '\\';
                text += c;
            } else if (uchar(c) < 0x20) {
                text += "\\u00";
                text += "0123456789abcdef"[uchar(c) >> 4];
                text += "0123456789abcdef"[uchar(c) & 15];
            } else {
                text += c;
            }
        }
        text += '"';
        return *this;
    }
    Json &vec3(const double (&v)[3])
    {
        return *this << "[" << v[0] << "," << v[1] << "," << v[2] << "]";
    }
};

void appendWord(QByteArray &bytes, quint32 value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

template<typename T>
void appendAll(QByteArray &bytes, const std::vector<T> &values)
{
    for (const T &value : values) {
        for (const auto component : value) {
            char le[sizeof component];
            qToLittleEndian(component, le);
            bytes.append(le, sizeof le);
        }
    }
}

// The rotation of a placement's quarter turns as a unit quaternion (x, y,
// z, w): turning counter-clockwise in plan from X to Z is turning clockwise
// about Y seen from above.
Json &rotation(Json &json, int quarterTurns)
{
    const double half = std::sqrt(0.5);
    switch (quarterTurns & 3) {
    case 1: return json << "[0," << -half << ",0," << half << "]";
    case 2: return json << "[0,1,0,0]";
    case 3: return json << "[0," << half << ",0," << half << "]";
    }
    return json << "[0,0,0,1]";
}

} // namespace

QByteArray glbOf(const Deck &deck)
{
    // The members where they stand, the ledger's hangers after them.
    const std::vector<Member> members = membersInPlan(deck);
    const SharedShapes shared = sharedShapesOf(members);
    struct Shape {
        QString name;
        Kind kind = Kind::Post;
        Rgb colour;
        Mesh mesh;
    };
    std::vector<Shape> shapes;
    shapes.reserve(shared.pieces.size() + 1);
    for (const Member &piece : shared.pieces)
        shapes.push_back({piece.name, piece.kind, kindColour(piece.kind), prismOf(piece.plan, piece.thickness)});
    if (deck.ledger.present)
        shapes.push_back({QLatin1String(HouseWallName), Kind::Post, HouseWallColour,
                          prismOf(houseWallInPlan(deck), deck.ledger.houseWallTopInches)});
    const bool wall = deck.ledger.present;

    // Each shape with triangles a mesh, each kind it shows a material.
    std::vector<int> meshOf(shapes.size(), -1), materialOf(shapes.size(), -1);
    std::vector<size_t> meshed;
    std::vector<std::pair<QString, Rgb>> materials;
    std::vector<Kind> kindsMet;
    for (size_t s = 0; s < shapes.size(); ++s) {
        if (shapes[s].mesh.indices.empty())
            continue;
        meshOf[s] = int(meshed.size());
        meshed.push_back(s);
        const bool isWall = wall && s + 1 == shapes.size();
        const auto met = std::find(kindsMet.begin(), kindsMet.end(), shapes[s].kind);
        if (!isWall && met != kindsMet.end()) {
            materialOf[s] = int(met - kindsMet.begin());
            continue;
        }
        materialOf[s] = int(materials.size());
        materials.emplace_back(isWall ? QLatin1String(HouseWallName) : kindName(shapes[s].kind), shapes[s].colour);
        if (!isWall)
            kindsMet.push_back(shapes[s].kind);
    }

    // The binary chunk: every mesh's corners, then their normals, then
    // their triangles, as unsigned shorts where every mesh has few enough
    // corners.
    size_t corners = 0, indices = 0, mostCorners = 0;
    for (const size_t s : meshed) {
        corners += shapes[s].mesh.positions.size();
        indices += shapes[s].mesh.indices.size();
        mostCorners = std::max(mostCorners, shapes[s].mesh.positions.size());
    }
    const bool shortIndices = mostCorners < 0xFFFF;
    const qsizetype indexSize = shortIndices ? 2 : 4;
    const qsizetype normalsAt = qsizetype(corners) * 12, indicesAt = 2 * normalsAt;
    const qsizetype binLength = indicesAt + qsizetype(indices) * indexSize;
    QByteArray bin;
    bin.reserve(binLength + 3);
    for (const size_t s : meshed)
        appendAll(bin, shapes[s].mesh.positions);
    for (const size_t s : meshed)
        appendAll(bin, shapes[s].mesh.normals);
    for (const size_t s : meshed) {
        for (const quint32 index : shapes[s].mesh.indices) {
            char le[4];
            if (shortIndices)
                qToLittleEndian(quint16(index), le);
            else
                qToLittleEndian(index, le);
            bin.append(le, indexSize);
        }
    }
    bin.append((4 - bin.size() % 4) % 4, '\0');

    Json json;
    json << "{\"asset\":{\"generator\":\"Joistmaster\",\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{";
    const qsizetype nodes = qsizetype(members.size()) + (wall ? 1 : 0);
    if (nodes > 0) {
        json << "\"nodes\":[";
        for (qsizetype n = 0; n < nodes; ++n)
            json << (n ? "," : "") << n;
        json << "]";
    }
    json << "}]";
    if (nodes > 0) {
        json << ",\"nodes\":[";
        for (size_t m = 0; m < members.size(); ++m) {
            const Placement &placed = shared.placements[m];
            const double at[3] = {placed.xIn * MetresAnInch, placed.yIn * MetresAnInch, placed.zIn * MetresAnInch};
            json << (m ? ",{\"name\":" : "{\"name\":");
            json.string(members[m].name);
            const int mesh = meshOf[size_t(placed.piece)];
            if (mesh >= 0 && std::isfinite(at[0]) && std::isfinite(at[1]) && std::isfinite(at[2])) {
                json << ",\"mesh\":" << qsizetype(mesh);
                if ((placed.quarterTurns & 3) != 0)
                    rotation(json << ",\"rotation\":", placed.quarterTurns);
                if (at[0] != 0 || at[1] != 0 || at[2] != 0)
                    (json << ",\"translation\":").vec3(at);
            }
            json << "}";
        }
        if (wall) {
            json << (members.empty() ? "{\"name\":" : ",{\"name\":");
            json.string(QLatin1String(HouseWallName));
            if (meshOf.back() >= 0)
                json << ",\"mesh\":" << qsizetype(meshOf.back());
            json << "}";
        }
        json << "]";
    }
    if (!meshed.empty()) {
        json << ",\"meshes\":[";
        for (size_t i = 0; i < meshed.size(); ++i) {
            json << (i ? ",{\"name\":" : "{\"name\":");
            json.string(shapes[meshed[i]].name);
            const qsizetype accessor = qsizetype(3 * i);
            json << ",\"primitives\":[{\"attributes\":{\"POSITION\":" << accessor << ",\"NORMAL\":" << accessor + 1
                 << "},\"indices\":" << accessor + 2 << ",\"material\":" << qsizetype(materialOf[meshed[i]])
                 << ",\"mode\":4}]}";
        }
        json << "],\"materials\":[";
        for (size_t i = 0; i < materials.size(); ++i) {
            const Rgb &c = materials[i].second;
            json << (i ? ",{\"name\":" : "{\"name\":");
            json.string(materials[i].first);
            json << ",\"pbrMetallicRoughness\":{\"baseColorFactor\":[" << c.red << "," << c.green << "," << c.blue
                 << ",1]},\"doubleSided\":true}";
        }
        // Each mesh's corners (with their bounds, in the floats written),
        // normals and triangles.
        json << "],\"accessors\":[";
        qsizetype cornersBefore = 0, indicesBefore = 0;
        for (size_t i = 0; i < meshed.size(); ++i) {
            const Mesh &mesh = shapes[meshed[i]].mesh;
            double low[3], high[3];
            for (int k = 0; k < 3; ++k) {
                low[k] = high[k] = mesh.positions.front()[size_t(k)];
                for (const Vec3 &p : mesh.positions) {
                    low[k] = std::min(low[k], double(p[size_t(k)]));
                    high[k] = std::max(high[k], double(p[size_t(k)]));
                }
            }
            const qsizetype count = qsizetype(mesh.positions.size());
            json << (i ? "," : "") << "{\"bufferView\":0,\"byteOffset\":" << cornersBefore * 12
                 << ",\"componentType\":5126,\"count\":" << count << ",\"type\":\"VEC3\",\"min\":";
            json.vec3(low) << ",\"max\":";
            json.vec3(high) << "},{\"bufferView\":1,\"byteOffset\":" << cornersBefore * 12
                            << ",\"componentType\":5126,\"count\":" << count << ",\"type\":\"VEC3\"}";
            json << ",{\"bufferView\":2,\"byteOffset\":" << indicesBefore * indexSize
                 << ",\"componentType\":" << (shortIndices ? "5123" : "5125")
                 << ",\"count\":" << qsizetype(mesh.indices.size()) << ",\"type\":\"SCALAR\"}";
            cornersBefore += count;
            indicesBefore += qsizetype(mesh.indices.size());
        }
        json << "],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":" << normalsAt
             << ",\"byteStride\":12,\"target\":34962},{\"buffer\":0,\"byteOffset\":" << normalsAt
             << ",\"byteLength\":" << normalsAt << ",\"byteStride\":12,\"target\":34962},{\"buffer\":0,\"byteOffset\":"
             << indicesAt << ",\"byteLength\":" << binLength - indicesAt << ",\"target\":34963}]";
        json << ",\"buffers\":[{\"byteLength\":" << binLength << "}]";
    }
    json << "}";
    json.text.append((4 - json.text.size() % 4) % 4, ' ');

    // The header (magic, version, whole length), the JSON chunk, the binary one.
    QByteArray glb;
    const qsizetype length = 12 + 8 + json.text.size() + (bin.isEmpty() ? 0 : 8 + bin.size());
    glb.reserve(length);
    glb += "glTF";
    appendWord(glb, 2);
    appendWord(glb, quint32(length));
    appendWord(glb, quint32(json.text.size()));
    glb += "JSON";
    glb += json.text;
    if (!bin.isEmpty()) {
        appendWord(glb, quint32(bin.size()));
        glb.append("BIN\0", 4);
        glb += bin;
    }
    return glb;
}

} // namespace deckmodel
