#include "sharedshapes.h"

#include <QHash>

#include <cmath>
#include <cstdint>

namespace deckmodel {

namespace {

// Lengths as whole millionths of an inch, so that equal pieces give equal keys.
std::int64_t units(double inches)
{
    return std::llround(inches * 1e6);
}

// A plan in a form that does not change when the plan moves: its corners
// from its lowest corner (least X, then least Z) on, as offsets from it.
struct Anchored {
    Polygon plan;   // the corners from the anchor on, the anchor at the origin
    Point anchor;   // where the anchor was
    QList<qint64> key; // the offsets in millionths
};

Anchored anchored(const Polygon &plan)
{
    size_t low = 0;
    for (size_t i = 1; i < plan.size(); ++i) {
        const std::int64_t x = units(plan[i].x), lowX = units(plan[low].x);
        if (x < lowX || (x == lowX && units(plan[i].z) < units(plan[low].z)))
            low = i;
    }
    Anchored a;
    a.anchor = plan.empty() ? Point{} : plan[low];
    for (size_t k = 0; k < plan.size(); ++k) {
        const Point &p = plan[(low + k) % plan.size()];
        a.plan.push_back({p.x - a.anchor.x, p.z - a.anchor.z});
        a.key << units(a.plan.back().x) << units(a.plan.back().z);
    }
    return a;
}

bool before(const QList<qint64> &a, const QList<qint64> &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end());
}

} // namespace

Point turned(Point p, int quarterTurns)
{
    // Exact: a quarter turn only swaps the coordinates and changes a sign.
    switch (((quarterTurns % 4) + 4) % 4) {
    case 1: return {-p.z, p.x};
    case 2: return {-p.x, -p.z};
    case 3: return {p.z, -p.x};
    default: return p;
    }
}

SharedShapes sharedShapesOf(const std::vector<Member> &members)
{
    SharedShapes shared;
    QHash<QList<qint64>, int> pieceOfKey;
    QHash<int, int> piecesOfKind;
    shared.placements.reserve(members.size());
    for (const Member &m : members) {
        // The member's plan turned each of the four ways; the turn whose
        // anchored form sorts first is the piece's own, the same for every
        // member that is the piece turned.
        int turns = 0;
        Anchored best;
        for (int k = 0; k < 4; ++k) {
            Polygon plan;
            plan.reserve(m.plan.size());
            for (const Point &p : m.plan)
                plan.push_back(turned(p, k));
            Anchored candidate = anchored(plan);
            if (k == 0 || before(candidate.key, best.key)) {
                best = std::move(candidate);
                turns = k;
            }
        }
        QList<qint64> key{qint64(m.kind), units(m.thickness)};
        key << best.key;
        auto found = pieceOfKey.constFind(key);
        if (found == pieceOfKey.cend()) {
            Member piece = m;
            piece.plan = best.plan;
            piece.base = 0;
            piece.name = QStringLiteral("%1, piece %2").arg(kindName(m.kind)).arg(++piecesOfKind[int(m.kind)]);
            found = pieceOfKey.insert(key, int(shared.pieces.size()));
            shared.pieces.push_back(std::move(piece));
        }
        // The member is its plan turned by `turns`, less the anchor: turned
        // back, the piece goes to the anchor turned back.
        const Point at = turned(best.anchor, -turns);
        // (+ 0.0: a zero the turn made negative is written as a plain one.)
        shared.placements.push_back({*found, (4 - turns) % 4, at.x + 0.0, m.base, at.z + 0.0});
    }
    return shared;
}

} // namespace deckmodel
