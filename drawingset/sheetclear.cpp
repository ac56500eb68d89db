#include "sheetclear.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace deckview {

namespace {

// A text's box as a centre, its two unit axes and half its width and height.
struct Box {
    QPointF centre, u, v;
    double halfWidth = 0, halfHeight = 0;
    QRectF bounds;
};

Box boxOf(const SheetText &text)
{
    const QPolygonF corners = textBox(text); // left below, right below, right above, left above
    Box box;
    box.centre = (corners[0] + corners[2]) / 2;
    const QPointF along = corners[1] - corners[0], up = corners[3] - corners[0];
    box.halfWidth = std::hypot(along.x(), along.y()) / 2;
    box.halfHeight = std::hypot(up.x(), up.y()) / 2;
    box.u = box.halfWidth > 0 ? along / (2 * box.halfWidth) : QPointF(1, 0);
    box.v = box.halfHeight > 0 ? up / (2 * box.halfHeight) : QPointF(0, -1);
    box.bounds = corners.boundingRect();
    return box;
}

// Crossings closer than this to a box's edge are touches, not crossings.
constexpr double Touch = 0.001;

// Whether the segment passes through the box's inside (Liang-Barsky in the box's own axes).
bool segmentCrosses(const Box &box, QPointF a, QPointF b)
{
    const QPointF da = a - box.centre, db = b - box.centre;
    const double ax = QPointF::dotProduct(da, box.u), ay = QPointF::dotProduct(da, box.v);
    const double bx = QPointF::dotProduct(db, box.u), by = QPointF::dotProduct(db, box.v);
    const double hw = box.halfWidth - Touch, hh = box.halfHeight - Touch;
    if (hw <= 0 || hh <= 0)
        return false;
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    auto clip = [&](double p, double q) {
        if (std::abs(p) < 1e-12)
            return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-dx, ax + hw) && clip(dx, hw - ax) && clip(-dy, ay + hh) && clip(dy, hh - ay) && t1 > t0;
}

// The corners of the box shrunk by Touch.
QPolygonF cornersOf(const Box &box)
{
    const QPointF u = box.u * (box.halfWidth - Touch), v = box.v * (box.halfHeight - Touch);
    return QPolygonF{box.centre - u - v, box.centre + u - v, box.centre + u + v, box.centre - u + v};
}

bool boxesOverlap(const Box &a, const Box &b)
{
    return a.bounds.intersects(b.bounds) && convexOverlap(cornersOf(a), cornersOf(b));
}

// Whether a circle's outline passes through the box.
bool circleCrosses(const Box &box, const SheetCircle &circle)
{
    const QPointF d = circle.centre - box.centre;
    const double x = std::abs(QPointF::dotProduct(d, box.u)), y = std::abs(QPointF::dotProduct(d, box.v));
    const double hw = box.halfWidth - Touch, hh = box.halfHeight - Touch;
    const double nearX = std::max(0.0, x - hw), nearY = std::max(0.0, y - hh);
    const double nearest = std::hypot(nearX, nearY), farthest = std::hypot(x + hw, y + hh);
    return nearest < circle.radiusMm && farthest > circle.radiusMm;
}

// The things a text must keep clear of, in a grid of cells for speed.
class Obstacles {
public:
    static constexpr double Cell = 10;

    void addSegment(QPointF a, QPointF b, TextCrossing::With with, size_t index)
    {
        const size_t at = m_segments.size();
        m_segments.push_back({a, b, with, index});
        forCells(QRectF(a, b).normalized(), [&](long long key) { m_segmentCells[key].push_back(at); });
    }
    void addFilled(const QPolygonF &shape, size_t index)
    {
        const size_t at = m_filled.size();
        m_filled.push_back({shape, index});
        forCells(shape.boundingRect(), [&](long long key) { m_filledCells[key].push_back(at); });
    }
    void addCircle(const SheetCircle &circle, size_t index)
    {
        const size_t at = m_circles.size();
        m_circles.push_back({circle, index});
        const QPointF r(circle.radiusMm, circle.radiusMm);
        forCells(QRectF(circle.centre - r, circle.centre + r), [&](long long key) { m_circleCells[key].push_back(at); });
    }
    void addText(const Box &box, size_t index)
    {
        const size_t at = m_texts.size();
        m_texts.push_back({box, index});
        forCells(box.bounds, [&](long long key) { m_textCells[key].push_back(at); });
    }

    // Every crossing of the box, each once.
    template<typename Found>
    void crossings(const Box &box, Found found) const
    {
        std::vector<size_t> segments, filled, circles, texts;
        forCells(box.bounds, [&](long long key) {
            gather(m_segmentCells, key, segments);
            gather(m_filledCells, key, filled);
            gather(m_circleCells, key, circles);
            gather(m_textCells, key, texts);
        });
        for (size_t i : unique(segments))
            if (segmentCrosses(box, m_segments[i].a, m_segments[i].b))
                found(m_segments[i].with, m_segments[i].index);
        for (size_t i : unique(filled))
            if (convexOverlap(cornersOf(box), m_filled[i].shape))
                found(TextCrossing::With::Shape, m_filled[i].index);
        for (size_t i : unique(circles))
            if (circleCrosses(box, m_circles[i].circle))
                found(TextCrossing::With::Circle, m_circles[i].index);
        for (size_t i : unique(texts))
            if (boxesOverlap(box, m_texts[i].box))
                found(TextCrossing::With::Text, m_texts[i].index);
    }
    // Whether the box crosses nothing: the first crossing found ends the
    // search, and a thing met in two cells is simply looked at twice.
    bool clear(const Box &box) const
    {
        bool crossed = false;
        forCells(box.bounds, [&](long long key) {
            if (crossed)
                return;
            crossed = any(m_segmentCells, key, [&](size_t i) { return segmentCrosses(box, m_segments[i].a, m_segments[i].b); })
                || any(m_filledCells, key, [&](size_t i) { return convexOverlap(cornersOf(box), m_filled[i].shape); })
                || any(m_circleCells, key, [&](size_t i) { return circleCrosses(box, m_circles[i].circle); })
                || any(m_textCells, key, [&](size_t i) { return boxesOverlap(box, m_texts[i].box); });
        });
        return !crossed;
    }
    // Whether a leader from a to b keeps clear of every text.
    bool leaderClear(QPointF a, QPointF b) const
    {
        std::vector<size_t> texts;
        forCells(QRectF(a, b).normalized(), [&](long long key) { gather(m_textCells, key, texts); });
        for (size_t i : unique(texts))
            if (segmentCrosses(m_texts[i].box, a, b))
                return false;
        return true;
    }

private:
    struct Segment {
        QPointF a, b;
        TextCrossing::With with;
        size_t index;
    };
    struct Filled {
        QPolygonF shape;
        size_t index;
    };
    struct Circle {
        SheetCircle circle;
        size_t index;
    };
    struct Text {
        Box box;
        size_t index;
    };
    using Cells = std::unordered_map<long long, std::vector<size_t>>;

    template<typename Each>
    static void forCells(const QRectF &r, Each each)
    {
        const long long x0 = std::llround(std::floor(r.left() / Cell)), x1 = std::llround(std::floor(r.right() / Cell));
        const long long y0 = std::llround(std::floor(r.top() / Cell)), y1 = std::llround(std::floor(r.bottom() / Cell));
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y)
                each(x * 100003 + y);
    }
    template<typename Crosses>
    static bool any(const Cells &cells, long long key, Crosses crosses)
    {
        const auto found = cells.find(key);
        return found != cells.end() && std::any_of(found->second.begin(), found->second.end(), crosses);
    }
    static void gather(const Cells &cells, long long key, std::vector<size_t> &into)
    {
        const auto found = cells.find(key);
        if (found != cells.end())
            into.insert(into.end(), found->second.begin(), found->second.end());
    }
    static std::vector<size_t> &unique(std::vector<size_t> &v)
    {
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        return v;
    }

    std::vector<Segment> m_segments;
    std::vector<Filled> m_filled;
    std::vector<Circle> m_circles;
    std::vector<Text> m_texts;
    Cells m_segmentCells, m_filledCells, m_circleCells, m_textCells;
};

// Every line, outline and circle of the sheet.
Obstacles drawnObstacles(const Sheet &sheet)
{
    Obstacles obstacles;
    for (size_t i = 0; i < sheet.lines.size(); ++i)
        obstacles.addSegment(sheet.lines[i].a, sheet.lines[i].b, TextCrossing::With::Line, i);
    for (size_t i = 0; i < sheet.shapes.size(); ++i) {
        const QPolygonF &c = sheet.shapes[i].corners;
        for (qsizetype k = 0; k < c.size(); ++k)
            obstacles.addSegment(c[k], c[(k + 1) % c.size()], TextCrossing::With::Shape, i);
        if (sheet.shapes[i].fill == Fill::Black)
            obstacles.addFilled(c, i);
    }
    for (size_t i = 0; i < sheet.circles.size(); ++i)
        obstacles.addCircle(sheet.circles[i], i);
    return obstacles;
}

// Where a leader from the box's centre towards `target` leaves the box.
QPointF exitTowards(const Box &box, QPointF target)
{
    const QPointF d = target - box.centre;
    const double x = QPointF::dotProduct(d, box.u), y = QPointF::dotProduct(d, box.v);
    double t = 1;
    if (std::abs(x) > 1e-9)
        t = std::min(t, box.halfWidth / std::abs(x));
    if (std::abs(y) > 1e-9)
        t = std::min(t, box.halfHeight / std::abs(y));
    return box.centre + d * t;
}

} // namespace

std::vector<TextCrossing> crossingsOf(const Sheet &sheet)
{
    Obstacles obstacles = drawnObstacles(sheet);
    std::vector<TextCrossing> found;
    for (size_t i = 0; i < sheet.texts.size(); ++i) {
        const Box box = boxOf(sheet.texts[i]);
        obstacles.crossings(box, [&](TextCrossing::With with, size_t other) {
            if (with == TextCrossing::With::Text)
                found.push_back({other, with, i});
            else
                found.push_back({i, with, other});
        });
        obstacles.addText(box, i);
    }
    return found;
}

QString crossingWords(const Sheet &sheet, const TextCrossing &c)
{
    const SheetText &t = sheet.texts[c.text];
    QString other;
    switch (c.with) {
    case TextCrossing::With::Line: {
        const SheetLine &l = sheet.lines[c.other];
        other = QStringLiteral("line %1 (%2, %3 to %4, %5)").arg(c.other).arg(l.a.x()).arg(l.a.y()).arg(l.b.x()).arg(l.b.y());
        break;
    }
    case TextCrossing::With::Shape:
        other = QStringLiteral("outline %1 at %2, %3").arg(c.other)
                    .arg(sheet.shapes[c.other].corners.boundingRect().left())
                    .arg(sheet.shapes[c.other].corners.boundingRect().top());
        break;
    case TextCrossing::With::Circle: other = QStringLiteral("circle %1").arg(c.other); break;
    case TextCrossing::With::Text:
        other = QStringLiteral("\"%1\" at %2, %3").arg(sheet.texts[c.other].text).arg(sheet.texts[c.other].at.x())
                    .arg(sheet.texts[c.other].at.y());
        break;
    }
    return QStringLiteral("%1: \"%2\" at %3, %4 crosses %5").arg(sheet.key, t.text).arg(t.at.x()).arg(t.at.y()).arg(other);
}

void settleTexts(Sheet &sheet, const QRectF &room)
{
    Obstacles obstacles = drawnObstacles(sheet);
    std::vector<SheetText> texts = std::move(sheet.texts);
    sheet.texts.clear();
    // The fixed texts first: they stay, and the rest keep clear of them.
    std::vector<SheetText> movable;
    for (SheetText &t : texts) {
        if (textBox(t).boundingRect().left() < room.right()) {
            movable.push_back(std::move(t));
            continue;
        }
        obstacles.addText(boxOf(t), sheet.texts.size());
        sheet.texts.push_back(std::move(t));
    }

    // Near places first, in the text's own axes, without a leader; then
    // further out in every direction with one.
    struct Offset {
        double along, up; // in widths and heights of the box for near ones, millimetres for far ones
        bool far;
    };
    static const std::vector<Offset> offsets = [] {
        std::vector<Offset> near, far;
        for (double up : {0.0, 0.5, -0.5, 1.0, -1.0, 1.5, -1.5, 2.0, -2.0})
            for (double along : {0.0, 0.25, -0.25, 0.5, -0.5, 0.75, -0.75, 1.0, -1.0})
                near.push_back({along, up, false});
        std::stable_sort(near.begin(), near.end(), [](const Offset &a, const Offset &b) {
            return std::hypot(a.along * 3, a.up) < std::hypot(b.along * 3, b.up);
        });
        for (double radius : {6.0, 9.0, 13.0, 18.0, 25.0, 35.0, 50.0, 70.0})
            for (int k = 0; k < 24; ++k) {
                const double r = k * std::numbers::pi / 12;
                far.push_back({radius * std::cos(r), radius * std::sin(r), true});
            }
        near.insert(near.end(), far.begin(), far.end());
        return near;
    }();

    for (SheetText &t : movable) {
        const Box first = boxOf(t);
        if (room.contains(first.bounds) && obstacles.clear(first)) {
            obstacles.addText(first, sheet.texts.size());
            sheet.texts.push_back(std::move(t));
            continue;
        }
        bool placed = false;
        for (const Offset &o : offsets) {
            const QPointF by = o.far ? QPointF(o.along, -o.up)
                                     : first.u * (o.along * 2 * first.halfWidth) + first.v * (o.up * 2 * first.halfHeight);
            SheetText moved = t;
            moved.at += by;
            const Box box = boxOf(moved);
            if (!room.contains(box.bounds) || !obstacles.clear(box))
                continue;
            QPointF from, to;
            if (o.far) {
                to = first.centre;
                from = exitTowards(box, to);
                const QPointF d = to - from;
                const double length = std::hypot(d.x(), d.y());
                if (length < 1)
                    continue;
                from += d / length * 0.6;
                if (!obstacles.leaderClear(from, to) || segmentCrosses(box, from, to))
                    continue;
            }
            obstacles.addText(box, sheet.texts.size());
            sheet.texts.push_back(moved);
            if (o.far) {
                obstacles.addSegment(from, to, TextCrossing::With::Line, sheet.lines.size());
                addLine(sheet, from, to, Weight::Light);
            }
            placed = true;
            break;
        }
        if (!placed)
            sheet.dropped.push_back(std::move(t));
    }
}

} // namespace deckview
