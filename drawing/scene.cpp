#include "scene.h"

#include <algorithm>
#include <cmath>

namespace deckview {

Vec3 normalized(Vec3 a)
{
    const double length = std::sqrt(dot(a, a));
    return length > 0 ? (1 / length) * a : a;
}

void Box::add(Vec3 p)
{
    if (isEmpty()) {
        min = max = p;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

bool isFinite(const Prism &prism)
{
    double sum = prism.base + prism.height;
    for (const QPointF &p : prism.plan)
        sum += p.x() + p.y();
    return std::isfinite(sum);
}

Box Scene::bounds() const
{
    Box box;
    for (const Prism &prism : prisms)
        for (const QPointF &p : isFinite(prism) ? prism.plan : std::vector<QPointF>{}) {
            box.add({p.x(), prism.base, p.y()});
            box.add({p.x(), prism.base + prism.height, p.y()});
        }
    return box;
}

std::vector<std::pair<QString, QString>> memberCounts(const Scene &scene)
{
    int counts[KindCount] = {};
    for (const Prism &prism : scene.prisms)
        counts[size_t(prism.kind)] += prism.step <= 1 ? 1 : 0;
    std::vector<std::pair<QString, QString>> rows;
    for (size_t i = 0; i < KindCount; ++i)
        if (counts[i] > 0)
            rows.emplace_back(deckmodel::kindName(deckmodel::Kind(i)), QString::number(counts[i]));
    return rows;
}

Prism boxPrism(deckmodel::Kind kind, const QString &name, double x0, double z0, double x1, double z1, double base,
               double height)
{
    return {kind, name, {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}, base, height};
}

} // namespace deckview
