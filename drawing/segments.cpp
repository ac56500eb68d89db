#include "segments.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace deckview {

namespace {
struct Directed {
    const Segment2 *segment;
    double angle; // of the direction, in (-pi/2, pi/2]
};

struct Interval {
    double from, to;
};

// The union of intervals, touching ones (within gap) joined.
std::vector<Interval> unite(std::vector<Interval> intervals, double gap)
{
    std::sort(intervals.begin(), intervals.end(), [](Interval a, Interval b) { return a.from < b.from; });
    std::vector<Interval> united;
    for (const Interval &i : intervals) {
        if (!united.empty() && i.from <= united.back().to + gap)
            united.back().to = std::max(united.back().to, i.to);
        else
            united.push_back(i);
    }
    return united;
}

// What is left of `hidden` (a union) where `visible` (a union) does not cover it.
std::vector<Interval> subtract(const std::vector<Interval> &hidden, const std::vector<Interval> &visible)
{
    std::vector<Interval> left;
    for (Interval h : hidden) {
        for (const Interval &v : visible) {
            if (v.to <= h.from || v.from >= h.to)
                continue;
            if (v.from > h.from)
                left.push_back({h.from, v.from});
            h.from = std::max(h.from, v.to);
            if (h.from >= h.to)
                break;
        }
        if (h.from < h.to)
            left.push_back(h);
    }
    return left;
}

// One line: the segments lying on it, split into visible and hidden output.
void cleanLine(const std::vector<const Segment2 *> &line, CleanTolerance tolerance, std::vector<Segment2> &visibleOut,
               std::vector<Segment2> &hiddenOut)
{
    // The direction of the longest member, with x growing (y when upright).
    const Segment2 *longest = line.front();
    for (const Segment2 *s : line)
        if (QLineF(s->a, s->b).length() > QLineF(longest->a, longest->b).length())
            longest = s;
    QPointF u = longest->b - longest->a;
    u /= std::hypot(u.x(), u.y());
    if (u.x() < -1e-12 || (std::abs(u.x()) <= 1e-12 && u.y() < 0))
        u = -u;
    const QPointF n(-u.y(), u.x());
    double offset = 0;
    std::vector<Interval> visible, hidden;
    for (const Segment2 *s : line) {
        offset += QPointF::dotProduct(n, (s->a + s->b) / 2);
        const double ta = QPointF::dotProduct(u, s->a), tb = QPointF::dotProduct(u, s->b);
        (s->stroke == Stroke::Visible ? visible : hidden).push_back({std::min(ta, tb), std::max(ta, tb)});
    }
    offset /= double(line.size());
    visible = unite(visible, tolerance.distance);
    hidden = subtract(unite(hidden, tolerance.distance), visible);
    auto add = [&](const std::vector<Interval> &intervals, Stroke stroke, std::vector<Segment2> &out) {
        for (const Interval &i : intervals)
            if (i.to - i.from > tolerance.distance)
                out.push_back({n * offset + u * i.from, n * offset + u * i.to, stroke});
    };
    add(visible, Stroke::Visible, visibleOut);
    add(hidden, Stroke::Hidden, hiddenOut);
}
} // namespace

std::vector<Segment2> cleanSegments(const std::vector<Segment2> &segments, CleanTolerance tolerance)
{
    std::vector<Directed> directed;
    std::vector<Segment2> thin;
    for (const Segment2 &s : segments) {
        if (s.stroke == Stroke::Thin) {
            thin.push_back(s);
            continue;
        }
        const QPointF d = s.b - s.a;
        const double length = std::hypot(d.x(), d.y());
        if (!(length > tolerance.distance) || !std::isfinite(length) || !std::isfinite(s.a.x() + s.a.y()))
            continue; // a point, or not a number: nothing to draw
        double angle = std::atan2(d.y(), d.x());
        if (angle <= -std::numbers::pi / 2)
            angle += std::numbers::pi;
        else if (angle > std::numbers::pi / 2)
            angle -= std::numbers::pi;
        directed.push_back({&s, angle});
    }
    std::sort(directed.begin(), directed.end(), [](const Directed &a, const Directed &b) { return a.angle < b.angle; });

    // Runs of like direction; the last run joins the first when both are
    // nearly upright from either side.
    std::vector<std::vector<const Directed *>> directions;
    for (const Directed &d : directed) {
        if (directions.empty() || d.angle - directions.back().back()->angle > tolerance.angle)
            directions.emplace_back();
        directions.back().push_back(&d);
    }
    if (directions.size() > 1
        && directions.front().front()->angle + std::numbers::pi - directions.back().back()->angle <= tolerance.angle) {
        directions.front().insert(directions.front().end(), directions.back().begin(), directions.back().end());
        directions.pop_back();
    }

    std::vector<Segment2> visible, hidden;
    for (const auto &direction : directions) {
        const double angle = direction.front()->angle;
        const QPointF n(-std::sin(angle), std::cos(angle));
        std::vector<std::pair<double, const Segment2 *>> byOffset;
        for (const Directed *d : direction)
            byOffset.emplace_back(QPointF::dotProduct(n, (d->segment->a + d->segment->b) / 2), d->segment);
        std::sort(byOffset.begin(), byOffset.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        std::vector<const Segment2 *> line;
        double last = 0;
        for (const auto &[offset, segment] : byOffset) {
            if (!line.empty() && offset - last > tolerance.distance) {
                cleanLine(line, tolerance, visible, hidden);
                line.clear();
            }
            line.push_back(segment);
            last = offset;
        }
        if (!line.empty())
            cleanLine(line, tolerance, visible, hidden);
    }
    visible.insert(visible.end(), hidden.begin(), hidden.end());
    visible.insert(visible.end(), thin.begin(), thin.end());
    return visible;
}

} // namespace deckview
