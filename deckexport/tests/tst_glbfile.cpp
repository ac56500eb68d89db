// The glTF file read back as a viewer reads it: its chunks and accessors,
// and each node's triangles placed where the node puts them, measured in
// inches against the members' plans (hand counts), without the geometry
// kernel.
#include "deckcases.h"
#include "glbfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <array>
#include <cmath>
#include <limits>

using namespace deckmodel;

namespace {

using V3 = std::array<double, 3>;

V3 minus(V3 a, V3 b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
V3 cross(V3 a, V3 b) { return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; }
double dot(V3 a, V3 b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// A binary glTF file taken apart; `problems` says what a validator would
// refuse (lengths, alignment, bounds, accessors' min and max).
struct Glb {
    QJsonObject json;
    QByteArray bin;
    QStringList problems;

    explicit Glb(const QByteArray &bytes)
    {
        const auto word = [&](qsizetype at) { return at + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + at) : 0u; };
        if (bytes.left(4) != "glTF" || word(4) != 2 || word(8) != quint32(bytes.size()) || bytes.mid(16, 4) != "JSON")
            problems << "header";
        const qsizetype jsonLength = word(12), binAt = 20 + jsonLength;
        if (jsonLength % 4 != 0 || binAt > bytes.size())
            problems << "JSON chunk";
        QJsonParseError error;
        json = QJsonDocument::fromJson(bytes.mid(20, jsonLength), &error).object();
        if (error.error != QJsonParseError::NoError)
            problems << "JSON text";
        if (binAt < bytes.size()) {
            const qsizetype binLength = word(binAt);
            if (bytes.mid(binAt + 4, 4) != QByteArray("BIN\0", 4) || binLength % 4 != 0 || binAt + 8 + binLength != bytes.size())
                problems << "BIN chunk";
            bin = bytes.mid(binAt + 8, binLength);
        }
        if (json.value("asset").toObject().value("version") != "2.0")
            problems << "asset";
        for (const char *list : {"nodes", "meshes", "materials", "accessors", "bufferViews", "buffers"})
            if (json.contains(list) && json.value(list).toArray().isEmpty())
                problems << QStringLiteral("empty %1").arg(list);
        const QJsonArray buffers = json.value("buffers").toArray();
        if (buffers.size() > 1 || (buffers.size() == 1 && (buffers[0]["byteLength"].toInt() > bin.size()
                                                            || buffers[0]["byteLength"].toInt() + 3 < bin.size())))
            problems << "buffer";
        for (const QJsonValue &view : json.value("bufferViews").toArray())
            if (view["byteOffset"].toInt() + view["byteLength"].toInt() > buffers[0]["byteLength"].toInt() || view["byteLength"].toInt() < 1)
                problems << "buffer view";
        const QJsonArray accessors = json.value("accessors").toArray();
        for (qsizetype a = 0; a < accessors.size(); ++a) {
            const QJsonObject accessor = accessors[a].toObject();
            const QJsonObject view = json.value("bufferViews")[accessor["bufferView"].toInt()].toObject();
            const int size = accessor["componentType"].toInt() == 5123 ? 2 : 4;
            const int width = accessor["type"] == "VEC3" ? 3 : 1;
            const qsizetype from = accessor["byteOffset"].toInt(), end = from + accessor["count"].toInt() * size * width;
            if (accessor["count"].toInt() < 1 || (view["byteOffset"].toInt() + from) % size != 0 || end > view["byteLength"].toInt())
                problems << QStringLiteral("accessor %1").arg(a);
        }
        for (const QJsonValue &mesh : json.value("meshes").toArray()) {
            const QJsonObject primitive = mesh["primitives"][0].toObject();
            const int position = primitive["attributes"]["POSITION"].toInt();
            const QJsonObject accessor = accessors[position].toObject();
            const std::vector<V3> corners = floats(position);
            V3 low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
            for (const V3 &c : corners)
                for (int k = 0; k < 3; ++k)
                    low[k] = std::min(low[k], c[k]), high[k] = std::max(high[k], c[k]);
            for (int k = 0; k < 3; ++k)
                if (accessor["min"][k].toDouble() != low[k] || accessor["max"][k].toDouble() != high[k])
                    problems << QStringLiteral("bounds of %1").arg(mesh["name"].toString());
            for (const qint64 index : indices(primitive["indices"].toInt()))
                if (index >= qint64(corners.size()))
                    problems << QStringLiteral("index in %1").arg(mesh["name"].toString());
        }
    }
    const char *at(int accessor) const
    {
        const QJsonObject a = json.value("accessors")[accessor].toObject();
        const QJsonObject view = json.value("bufferViews")[a["bufferView"].toInt()].toObject();
        return bin.constData() + view["byteOffset"].toInt() + a["byteOffset"].toInt();
    }
    int count(int accessor) const { return json.value("accessors")[accessor]["count"].toInt(); }
    std::vector<V3> floats(int accessor) const
    {
        std::vector<V3> out(size_t(count(accessor)));
        for (size_t i = 0; i < out.size(); ++i)
            for (size_t k = 0; k < 3; ++k)
                out[i][k] = qFromLittleEndian<float>(at(accessor) + 12 * i + 4 * k);
        return out;
    }
    std::vector<qint64> indices(int accessor) const
    {
        const bool shorts = json.value("accessors")[accessor]["componentType"].toInt() == 5123;
        std::vector<qint64> out(size_t(count(accessor)));
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = shorts ? qFromLittleEndian<quint16>(at(accessor) + 2 * i) : qFromLittleEndian<quint32>(at(accessor) + 4 * i);
        return out;
    }

    // A node's triangles where it puts them, in inches; how many of them
    // wind otherwise than their corners' normal points; its colour.
    struct Placed {
        std::vector<std::array<V3, 3>> triangles;
        int windingAgainstNormal = 0;
        QString colour;
    };
    Placed placed(const QString &name) const
    {
        Placed out;
        for (const QJsonValue &node : json.value("nodes").toArray()) {
            if (node["name"] != name || !node.toObject().contains("mesh"))
                continue;
            const QJsonObject primitive = json.value("meshes")[node["mesh"].toInt()]["primitives"][0].toObject();
            const std::vector<V3> corners = floats(primitive["attributes"]["POSITION"].toInt());
            const std::vector<V3> normals = floats(primitive["attributes"]["NORMAL"].toInt());
            const std::vector<qint64> index = indices(primitive["indices"].toInt());
            const QJsonArray r = node["rotation"].isArray() ? node["rotation"].toArray() : QJsonArray{0, 0, 0, 1};
            const QJsonArray t = node["translation"].isArray() ? node["translation"].toArray() : QJsonArray{0, 0, 0};
            // v + 2w (q x v) + 2 q x (q x v), q the rotation's vector part.
            const V3 q{r[0].toDouble(), r[1].toDouble(), r[2].toDouble()};
            const double w = r[3].toDouble();
            const auto turn = [&](V3 v) {
                const V3 c = cross(q, v), cc = cross(q, c);
                return V3{v[0] + 2 * w * c[0] + 2 * cc[0], v[1] + 2 * w * c[1] + 2 * cc[1], v[2] + 2 * w * c[2] + 2 * cc[2]};
            };
            for (size_t i = 0; i + 2 < index.size(); i += 3) {
                std::array<V3, 3> triangle;
                for (size_t k = 0; k < 3; ++k) {
                    const V3 p = turn(corners[size_t(index[i + k])]);
                    for (int d = 0; d < 3; ++d)
                        triangle[k][d] = (p[d] + t[d].toDouble()) / 0.0254;
                }
                const V3 facing = cross(minus(triangle[1], triangle[0]), minus(triangle[2], triangle[0]));
                if (dot(facing, turn(normals[size_t(index[i])])) <= 0)
                    ++out.windingAgainstNormal;
                out.triangles.push_back(triangle);
            }
            const QJsonArray rgba = json.value("materials")[primitive["material"].toInt()]["pbrMetallicRoughness"]["baseColorFactor"].toArray();
            out.colour = QStringLiteral("%1 %2 %3 %4").arg(rgba[0].toDouble()).arg(rgba[1].toDouble()).arg(rgba[2].toDouble()).arg(rgba[3].toDouble());
        }
        return out;
    }
};

// A surface's area, the volume it closes (below zero where its triangles
// face inwards) and its distinct corners, "x y z" to a thousandth, sorted.
struct Measured {
    double area = 0, volume = 0;
    QStringList corners;
};
Measured measured(const std::vector<std::array<V3, 3>> &triangles)
{
    Measured m;
    QSet<QString> corners;
    for (const auto &[a, b, c] : triangles) {
        const V3 n = cross(minus(b, a), minus(c, a));
        m.area += std::sqrt(dot(n, n)) / 2;
        m.volume += dot(a, cross(b, c)) / 6;
        const auto text = [](double v) { return QString::number(std::round(v * 1000) / 1000 + 0.0, 'f', 3); };
        for (const V3 &p : {a, b, c})
            corners << QStringLiteral("%1 %2 %3").arg(text(p[0]), text(p[1]), text(p[2]));
    }
    m.corners = corners.values();
    m.corners.sort();
    return m;
}

Deck deckOf(const std::vector<Member> &members)
{
    Deck deck;
    deck.members = members;
    return deck;
}

// An L of 6 square inches, counter-clockwise: 4 along X, 3 along Z.
const Polygon ell{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}};

Polygon moved(Polygon plan, int quarterTurns, double x, double z)
{
    for (Point &p : plan) {
        for (int k = 0; k < quarterTurns; ++k)
            p = {-p.z, p.x};
        p = {p.x + x, p.z + z};
    }
    return plan;
}

// The members of the placement test: two rails one piece (one along Z, one
// along X), an L placed four ways, a block given clockwise.
const std::vector<Member> placedMembers{
    member(Kind::GuardRail, "Top rail 1", {{0, 0}, {3.5, 0}, {3.5, 60}, {0, 60}}, 70, 1.5),
    member(Kind::GuardRail, "Top rail 2", {{12, 100}, {72, 100}, {72, 103.5}, {12, 103.5}}, 70, 1.5),
    member(Kind::Hanger, "Hanger 1", ell, 0, 2),
    member(Kind::Hanger, "Hanger 2", moved(ell, 1, 50, 0), 10, 2),
    member(Kind::Hanger, "Hanger 3", moved(ell, 2, 20, 20), 0, 2),
    member(Kind::Hanger, "Hanger 4", moved(ell, 3, -5, 40), 0, 2),
    member(Kind::Block, "Block 1", {{0, 0}, {0, 2}, {3, 2}, {3, 0}}, 5, 1),
};

} // namespace

class TestGlbFile : public QObject {
    Q_OBJECT
private slots:
    // Each node's triangles, where the node puts them, make its member: the
    // corners of its plan at its base and its top, the prism's area and
    // volume (faces wound outwards, as their normals point), in its kind's
    // colour.
    void eachMemberWhereItStands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("corners"); // "x y z", x and z of the plan, y its base and top
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("volume");
        QTest::addColumn<QString>("colour");
        const auto prism = [](const QList<std::pair<double, double>> &plan, double base, double top) {
            QStringList corners;
            for (const auto &[x, z] : plan)
                for (const double y : {base, top})
                    corners << QStringLiteral("%1 %2 %3").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3).arg(z, 0, 'f', 3);
            corners.sort();
            return corners;
        };
        const QString rail = "0.68 0.5 0.3 1", hanger = "0.66 0.68 0.7 1";
        // 2 x 210 on top and under, 2 x 60 x 1.5 and 2 x 3.5 x 1.5 round.
        QTest::newRow("rail along Z") << "Top rail 1" << prism({{0, 0}, {3.5, 0}, {3.5, 60}, {0, 60}}, 70, 71.5) << 610.5
                                      << 315.0 << rail;
        QTest::newRow("rail along X, the same piece turned")
            << "Top rail 2" << prism({{12, 100}, {72, 100}, {72, 103.5}, {12, 103.5}}, 70, 71.5) << 610.5 << 315.0 << rail;
        // The L: 2 x 6 on top and under, its 14 round by 2.
        QTest::newRow("an L") << "Hanger 1" << prism({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}}, 0, 2) << 40.0
                              << 12.0 << hanger;
        QTest::newRow("the L a quarter turn on")
            << "Hanger 2" << prism({{50, 0}, {50, 4}, {49, 4}, {49, 1}, {47, 1}, {47, 0}}, 10, 12) << 40.0 << 12.0 << hanger;
        QTest::newRow("the L a half turn on")
            << "Hanger 3" << prism({{20, 20}, {16, 20}, {16, 19}, {19, 19}, {19, 17}, {20, 17}}, 0, 2) << 40.0 << 12.0 << hanger;
        QTest::newRow("the L three quarters on")
            << "Hanger 4" << prism({{-5, 40}, {-5, 36}, {-4, 36}, {-4, 39}, {-2, 39}, {-2, 40}}, 0, 2) << 40.0 << 12.0 << hanger;
        QTest::newRow("a plan given clockwise") << "Block 1" << prism({{0, 0}, {0, 2}, {3, 2}, {3, 0}}, 5, 6) << 22.0 << 6.0
                                                << "0.59 0.59 0.57 1";
    }
    void eachMemberWhereItStands()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, corners);
        QFETCH(double, area);
        QFETCH(double, volume);
        QFETCH(QString, colour);
        const Glb glb(glbOf(deckOf(placedMembers)));
        QCOMPARE(glb.problems, QStringList());
        const Glb::Placed placed = glb.placed(name);
        const Measured m = measured(placed.triangles);
        QCOMPARE(m.corners, corners);
        QVERIFY2(std::abs(m.area - area) < 1e-3, qPrintable(QString::number(m.area)));
        QVERIFY2(std::abs(m.volume - volume) < 1e-3, qPrintable(QString::number(m.volume)));
        QCOMPARE(placed.windingAgainstNormal, 0);
        QCOMPARE(placed.colour, colour);
    }

    // The JSON chunk whole for a deck of two rails of one piece and a post
    // (golden file, read by hand): the nodes in the members' order, the rail
    // along X turned a quarter about Y, one mesh a piece, one material a kind.
    void smallDeckJson()
    {
        const QByteArray bytes = glbOf(deckOf({placedMembers[0], placedMembers[1],
                                               member(Kind::Post, "Post 1", {{10, 10}, {14, 10}, {14, 14}, {10, 14}}, -4, 40)}));
        QFile golden(QStringLiteral(JM_TESTDATA "/two-rails-and-a-post.json"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const qsizetype length = qFromLittleEndian<quint32>(bytes.constData() + 12);
        QCOMPARE(bytes.mid(20, length).trimmed(), golden.readAll().trimmed());
        QCOMPARE(bytes.size(), 20 + length + 8 + 2 * 48 * 12 + 2 * 36 * 2); // two meshes of 24 corners and 12 triangles
    }

    // A member that is no solid is a node of its name alone; the file stays
    // whole, also where no member is a solid, or there is none.
    void oddMembersAreNodesAlone_data()
    {
        QTest::addColumn<QString>("odd");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<QList<double>>("plan"); // x z x z ...
        QTest::addColumn<double>("base");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("no thickness") << "Joist 2" << 0.0 << QList<double>{0, 0, 2, 0, 2, 9, 0, 9} << 0.0;
        QTest::newRow("below zero") << "Joist 2" << -1.5 << QList<double>{0, 0, 2, 0, 2, 9, 0, 9} << 0.0;
        QTest::newRow("two corners") << "Joist 2" << 1.5 << QList<double>{0, 0, 2, 0} << 0.0;
        QTest::newRow("in a line") << "Joist 2" << 1.5 << QList<double>{0, 0, 2, 0, 4, 0} << 0.0;
        QTest::newRow("a corner twice") << "Joist 2" << 1.5 << QList<double>{0, 0, 2, 0, 2, 0, 0, 0} << 0.0;
        QTest::newRow("no area") << "Joist 2" << 1.5 << QList<double>{0, 0, 2, 2, 2, 0, 0, 2} << 0.0;
        QTest::newRow("crossing itself") << "Joist 2" << 1.5 << QList<double>{0, 0, 4, 0, 0, 2, 2, 2} << 0.0;
        QTest::newRow("no base") << "Joist 2" << 1.5 << QList<double>{0, 0, 2, 0, 2, 9, 0, 9} << nan;
        QTest::newRow("no corner") << "Joist 2" << 1.5 << QList<double>{0, 0, nan, 0, 2, 9, 0, 9} << 0.0;
        QTest::newRow("no thickness, alone") << "" << 0.0 << QList<double>{0, 0, 2, 0, 2, 9, 0, 9} << 0.0;
        QTest::newRow("no member") << "none" << 0.0 << QList<double>{} << 0.0;
    }
    void oddMembersAreNodesAlone()
    {
        QFETCH(QString, odd);
        QFETCH(double, thickness);
        QFETCH(QList<double>, plan);
        QFETCH(double, base);
        Polygon corners;
        for (qsizetype i = 0; i + 1 < plan.size(); i += 2)
            corners.push_back({plan[i], plan[i + 1]});
        std::vector<Member> members{member(Kind::Joist, "Joist 2", corners, base, thickness)};
        if (!odd.isEmpty())
            members.insert(members.begin(), member(Kind::Joist, "Joist 1", {{0, 0}, {2, 0}, {2, 9}, {0, 9}}, 0, 1.5));
        if (odd == u"none")
            members.clear();
        const QByteArray bytes = glbOf(deckOf(members));
        const Glb glb(bytes);
        QCOMPARE(glb.problems, QStringList());
        QStringList nodes;
        for (const QJsonValue &node : glb.json.value("nodes").toArray())
            nodes << node["name"].toString() + (node.toObject().contains("mesh") ? " meshed" : "")
                         + (node.toObject().contains("translation") ? " placed" : "");
        QStringList expected;
        if (odd == u"Joist 2")
            expected << "Joist 1 meshed" << "Joist 2";
        else if (odd.isEmpty())
            expected << "Joist 2";
        QCOMPARE(nodes, expected);
        QCOMPARE(glb.json.value("meshes").toArray().size(), odd == u"Joist 2" ? 1 : 0);
        // With no mesh there is no binary chunk: the header and the JSON alone.
        QCOMPARE(glb.bin.isEmpty(), odd != u"Joist 2");
        QCOMPARE(glb.json.value("scenes")[0]["nodes"].toArray().size(), expected.size());
    }

    // The worked example, free and hung on the house: a file a viewer takes,
    // each member's node with its colour, the house wall last in its grey.
    void workedExampleWhole_data()
    {
        QTest::addColumn<int>("edge"); // -1 free
        QTest::addColumn<int>("nodes");
        QTest::addColumn<int>("meshes");
        QTest::newRow("free") << -1 << 254 << 19;
        // The ledger in place of a beam line, its 11 hangers, the house wall.
        QTest::newRow("hung on the left") << 3 << 233 << 22;
    }
    void workedExampleWhole()
    {
        QFETCH(int, edge);
        QFETCH(int, nodes);
        QFETCH(int, meshes);
        const jm::Result<Deck> built = buildDeck(workedExample(), hungOn(edge));
        QVERIFY(built);
        const Glb glb(glbOf(*built));
        QCOMPARE(glb.problems, QStringList());
        const QJsonArray all = glb.json.value("nodes").toArray();
        QCOMPARE(all.size(), nodes);
        QCOMPARE(glb.json.value("meshes").toArray().size(), meshes);
        QCOMPARE(glb.placed("Baluster 1").colour, QString("0.92 0.88 0.8 1"));
        QCOMPARE(glb.placed("Joist 1").colour, QString("0.8 0.62 0.4 1"));
        QCOMPARE(all.last()["name"].toString(), edge >= 0 ? "house wall" : "Handrail 1 step 14");
        if (edge >= 0) {
            QCOMPARE(glb.placed("house wall").colour, QString("0.78 0.78 0.76 1"));
            QCOMPARE(glb.placed("Ledger hanger 11").windingAgainstNormal, 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestGlbFile)
#include "tst_glbfile.moc"
