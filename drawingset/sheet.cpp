#include "sheet.h"

#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <numbers>

namespace deckview {

double weightMm(Weight weight)
{
    switch (weight) {
    case Weight::Heavy: return 0.5;
    case Weight::Medium: return 0.35;
    case Weight::Light: return 0.18;
    }
    return 0.35;
}

namespace {

// The widest advance below, in thousandths of an em; a bold text is a tenth
// wider, and every width is given 4 % for the face's own spacing.
constexpr double WidestAdvance = 1015;
constexpr double BoldWidening = 1.1;
constexpr double WidthAllowance = 1.04;

// A sans-serif face's advance widths in thousandths of its em (the metrics
// of Helvetica, which Liberation Sans and Arial share); anything else as wide
// as the widest capital most texts use.
double advanceOf(char ch)
{
    static const char *const narrow = "ijl'";      // 191 to 222
    static const char *const thin = " !,./:;I[]ft|"; // 278
    static const char *const third = "()-r\"`";    // 333 to 355
    if (std::strchr(narrow, ch))
        return 222;
    if (std::strchr(thin, ch))
        return 278;
    if (std::strchr(third, ch))
        return 355;
    if (std::strchr("ckvxyzsJ", ch))
        return 500;
    if (std::isdigit(static_cast<unsigned char>(ch)) || std::strchr("abdeghnopqu#$_L?", ch))
        return 556;
    if (std::strchr("+=<>~^", ch))
        return 584;
    if (std::strchr("FTZ", ch))
        return 611;
    if (std::strchr("ABEKPSVXY&", ch))
        return 667;
    if (std::strchr("CDHNRUw", ch))
        return 722;
    if (std::strchr("GOQ", ch))
        return 778;
    if (std::strchr("mM%", ch))
        return 889;
    return WidestAdvance; // W, @ and the rest
}

// The same, looked up: every text is measured each time a box is wanted.
double advance(QChar c)
{
    static const std::array<double, 128> ascii = [] {
        std::array<double, 128> widths{};
        for (size_t ch = 0; ch < widths.size(); ++ch)
            widths[ch] = advanceOf(char(ch));
        return widths;
    }();
    return c.unicode() > 127 ? 1000 : ascii[c.unicode()];
}

QPointF unit(double degrees)
{
    const double r = degrees * std::numbers::pi / 180;
    return {std::cos(r), -std::sin(r)}; // paper y grows downwards
}

// How far from its point a text's box reaches at most: its width along,
// less than an em across.
double reachMm(const SheetText &text)
{
    return textWidthMm(text.text, text.heightMm, text.bold) + text.heightMm / CapHeightPerEm;
}

// At least reachMm, unmeasured: every character as wide as the widest, a
// hair more for rounding. Most texts of a sheet are further apart than this.
double reachBoundMm(const SheetText &text)
{
    return std::abs(text.heightMm) / CapHeightPerEm *
           (double(text.text.size()) * WidestAdvance / 1000 * BoldWidening * WidthAllowance + 1) * (1 + 1e-6);
}

bool fits(const Sheet &sheet, const SheetText &text)
{
    const QPolygonF box = textBox(text);
    const double reach = reachMm(text);
    return std::none_of(sheet.texts.begin(), sheet.texts.end(), [&](const SheetText &other) {
        const QPointF apart = other.at - text.at;
        const double far = reach + reachBoundMm(other);
        if (std::abs(apart.x()) > far || std::abs(apart.y()) > far)
            return false;
        const double near = reach + reachMm(other);
        return std::abs(apart.x()) <= near && std::abs(apart.y()) <= near && convexOverlap(box, textBox(other));
    });
}

} // namespace

bool convexOverlap(const QPolygonF &a, const QPolygonF &b)
{
    if (!a.boundingRect().intersects(b.boundingRect()))
        return false;
    for (const QPolygonF *p : {&a, &b}) {
        for (qsizetype i = 0; i < p->size(); ++i) {
            const QPointF e = (*p)[(i + 1) % p->size()] - (*p)[i];
            const QPointF axis(-e.y(), e.x());
            double minA = INFINITY, maxA = -INFINITY, minB = INFINITY, maxB = -INFINITY;
            for (const QPointF &q : a) {
                const double v = QPointF::dotProduct(q, axis);
                minA = std::min(minA, v), maxA = std::max(maxA, v);
            }
            for (const QPointF &q : b) {
                const double v = QPointF::dotProduct(q, axis);
                minB = std::min(minB, v), maxB = std::max(maxB, v);
            }
            const double length = std::hypot(axis.x(), axis.y());
            if (maxA <= minB + 1e-9 * length || maxB <= minA + 1e-9 * length)
                return false;
        }
    }
    return true;
}


double textWidthMm(const QString &text, double heightMm, bool bold)
{
    double thousandths = 0;
    for (QChar c : text)
        thousandths += advance(c);
    return thousandths / 1000 * heightMm / CapHeightPerEm * (bold ? BoldWidening : 1.0) * WidthAllowance;
}

QPolygonF textBox(const SheetText &text)
{
    const double em = text.heightMm / CapHeightPerEm;
    const double width = textWidthMm(text.text, text.heightMm, text.bold);
    const QPointF along = unit(text.angle), up = unit(text.angle + 90);
    const double start = text.anchor == Anchor::Start ? 0 : text.anchor == Anchor::Middle ? -width / 2 : -width;
    const QPointF left = text.at + along * start, right = left + along * width;
    const double above = 0.78 * em, below = 0.21 * em;
    return QPolygonF{left - up * below, right - up * below, right + up * above, left + up * above};
}

std::optional<QPointF> placeTextIfClear(Sheet &sheet, SheetText text, QPointF step, int tries, bool bothWays)
{
    const QPointF first = text.at;
    for (int i = 0; i <= tries; ++i) {
        const int k = bothWays ? (i % 2 ? (i + 1) / 2 : -i / 2) : i;
        text.at = first + step * k;
        if (fits(sheet, text)) {
            sheet.texts.push_back(text);
            return text.at;
        }
    }
    return std::nullopt;
}

QPointF placeText(Sheet &sheet, SheetText text, QPointF step, int tries, bool bothWays)
{
    if (const auto at = placeTextIfClear(sheet, text, step, tries, bothWays))
        return *at;
    sheet.texts.push_back(text);
    return text.at;
}

void addLine(Sheet &sheet, QPointF a, QPointF b, Weight weight, bool dashed)
{
    sheet.lines.push_back({a, b, weight, dashed});
}

void addShape(Sheet &sheet, const QPolygonF &corners, Weight weight, bool dashed, Fill fill)
{
    sheet.shapes.push_back({corners, weight, dashed, fill});
}

void addRect(Sheet &sheet, const QRectF &rect, Weight weight, bool dashed, Fill fill)
{
    addShape(sheet, QPolygonF{rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()}, weight, dashed,
             fill);
}

void addDimension(Sheet &sheet, const SheetDimension &dimension)
{
    sheet.dimensions.push_back(dimension);
    const QPointF d = dimension.to - dimension.from;
    const double length = std::hypot(d.x(), d.y());
    if (length < 1e-9)
        return;
    const QPointF u = d / length, n(u.y(), -u.x()); // n: left of from -> to on the paper
    const double sign = dimension.offsetMm < 0 ? -1 : 1;
    const QPointF a = dimension.from + n * dimension.offsetMm, b = dimension.to + n * dimension.offsetMm;
    constexpr double Gap = 1.5, Overshoot = 1.5, Tick = 1.4;
    addLine(sheet, dimension.from + n * (sign * Gap), a + n * (sign * Overshoot), Weight::Light);
    addLine(sheet, dimension.to + n * (sign * Gap), b + n * (sign * Overshoot), Weight::Light);
    addLine(sheet, a, b, Weight::Light);
    const QPointF slash = (u + n) * (Tick / std::numbers::sqrt2);
    addLine(sheet, a - slash, a + slash, Weight::Medium);
    addLine(sheet, b - slash, b + slash, Weight::Medium);

    // Upright, read from the bottom or the right; on the far side of the line.
    double angle = std::atan2(-u.y(), u.x()) * 180 / std::numbers::pi;
    if (angle > 90.5)
        angle -= 180;
    else if (angle <= -89.5)
        angle += 180;
    SheetText text{(a + b) / 2, dimension.text, 2.5, Anchor::Middle, angle};
    const QPointF up = unit(angle + 90), outward = n * sign;
    const double em = text.heightMm / CapHeightPerEm;
    const double clear = 0.8;
    text.at += QPointF::dotProduct(up, outward) > 0 ? outward * (clear + 0.21 * em) : outward * (clear + 0.78 * em);
    // In the way of another text: along the line, either way, then further out.
    const QPointF along = unit(angle) * (0.55 * textWidthMm(text.text, text.heightMm) + 1.5);
    const QPointF first = text.at;
    for (int out = 0; out < 4; ++out)
        for (int k : {0, 1, -1, 2, -2}) {
            text.at = first + along * k + outward * (out * 1.1 * em);
            if (fits(sheet, text)) {
                sheet.texts.push_back(text);
                return;
            }
        }
    text.at = first;
    sheet.texts.push_back(text);
}

QRectF extentOf(const Sheet &sheet)
{
    QRectF box;
    auto add = [&](const QRectF &r) { box = box.isNull() ? r : box.united(r); };
    for (const SheetLine &l : sheet.lines)
        add(QRectF(l.a, l.b).normalized());
    for (const SheetShape &s : sheet.shapes)
        add(s.corners.boundingRect());
    for (const SheetCircle &c : sheet.circles)
        add(QRectF(c.centre - QPointF(c.radiusMm, c.radiusMm), c.centre + QPointF(c.radiusMm, c.radiusMm)));
    for (const SheetText &t : sheet.texts)
        add(textBox(t).boundingRect());
    return box;
}

void moveSheet(Sheet &sheet, QPointF by)
{
    for (SheetLine &l : sheet.lines)
        l.a += by, l.b += by;
    for (SheetShape &s : sheet.shapes)
        s.corners.translate(by);
    for (SheetCircle &c : sheet.circles)
        c.centre += by;
    for (SheetText &t : sheet.texts)
        t.at += by;
    for (SheetDimension &d : sheet.dimensions)
        d.from += by, d.to += by;
}

void appendSheet(Sheet &to, const Sheet &from)
{
    to.lines.insert(to.lines.end(), from.lines.begin(), from.lines.end());
    to.shapes.insert(to.shapes.end(), from.shapes.begin(), from.shapes.end());
    to.circles.insert(to.circles.end(), from.circles.begin(), from.circles.end());
    to.texts.insert(to.texts.end(), from.texts.begin(), from.texts.end());
    to.dimensions.insert(to.dimensions.end(), from.dimensions.begin(), from.dimensions.end());
}

QStringList wrapText(const QString &text, double widthMm, double heightMm, bool bold)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && textWidthMm(longer, heightMm, bold) > widthMm) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

} // namespace deckview
