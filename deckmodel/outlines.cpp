// Every deck outline of the shape and style pictures, in grid squares.
// The 3D shapes use 16 squares for the default 20 feet, so the L legs and
// cut corners keep the proportions of the default sizes.
#include "outlines.h"

#include <QtMath>

namespace deckmodel {
namespace {

using P = QPointF;

Dimension dim(P from, P to, Side side, QChar letter)
{
    return {from, to, side, letter};
}

Outline shape(int id, QList<QPointF> corners, QList<Dimension> dimensions)
{
    return {id, corners, dimensions};
}

// A style lettered with its overall width: from the lowest of its leftmost
// corners to the lowest of its rightmost ones.
Outline style(int id, QList<QPointF> corners)
{
    P left = corners.first(), right = corners.first();
    for (const P &c : corners) {
        if (c.x() < left.x() || (c.x() == left.x() && c.y() > left.y()))
            left = c;
        if (c.x() > right.x() || (c.x() == right.x() && c.y() > right.y()))
            right = c;
    }
    return {id, corners, {dim(left, right, Side::Bottom, u'A')}};
}

// A style lettered with the width between two of its corners.
Outline style(int id, QList<QPointF> corners, P from, P to)
{
    return {id, corners, {dim(from, to, Side::Bottom, u'A')}};
}

// Corners along a circular arc, clockwise on the screen, one every 22.5
// degrees: round parts stay visibly polygonal, like the rest of the plan.
QList<QPointF> arc(P centre, qreal radius, qreal fromDegrees, qreal toDegrees)
{
    QList<QPointF> points;
    const int steps = qMax(1, qRound((toDegrees - fromDegrees) / 22.5));
    for (int i = 0; i <= steps; ++i) {
        const qreal a = qDegreesToRadians(fromDegrees + (toDegrees - fromDegrees) * i / steps);
        points << P(centre.x() + radius * qCos(a), centre.y() + radius * qSin(a));
    }
    return points;
}

// A narrow stem that steps out once near its foot, under a head whose lower
// corners are (8, 12) and (12, 12).
QList<QPointF> stemRightSide() { return {P(12, 12), P(12, 14), P(13, 14), P(13, 16)}; }
QList<QPointF> stemLeftSide() { return {P(7, 16), P(7, 14), P(8, 14), P(8, 12)}; }

} // namespace

QList<Outline> deckShapes()
{
    return {
        shape(101, {P(0, 0), P(11, 0), P(11, 11), P(0, 11)},
              {dim(P(0, 11), P(11, 11), Side::Bottom, u'A'), dim(P(11, 0), P(11, 11), Side::Right, u'B')}),
        shape(102, {P(0, 0), P(16, 0), P(16, 8), P(0, 8)},
              {dim(P(0, 8), P(16, 8), Side::Bottom, u'A'), dim(P(16, 0), P(16, 8), Side::Right, u'B')}),
        // Upright leg on the left, leg running to the lower right.
        shape(103, {P(0, 0), P(5, 0), P(5, 7), P(12, 7), P(12, 12), P(0, 12)},
              {dim(P(0, 12), P(12, 12), Side::Bottom, u'A'), dim(P(0, 0), P(0, 12), Side::Left, u'A'),
               dim(P(0, 0), P(5, 0), Side::Top, u'B'), dim(P(12, 7), P(12, 12), Side::Right, u'B')}),
        // Upright leg on the right, leg running to the lower left.
        shape(104, {P(7, 0), P(12, 0), P(12, 12), P(0, 12), P(0, 7), P(7, 7)},
              {dim(P(0, 12), P(12, 12), Side::Bottom, u'A'), dim(P(12, 0), P(12, 12), Side::Right, u'A'),
               dim(P(7, 0), P(12, 0), Side::Top, u'B'), dim(P(0, 7), P(0, 12), Side::Left, u'B')}),
        // Leg along the top left, upright leg hanging down on the right.
        shape(105, {P(0, 0), P(12, 0), P(12, 12), P(7, 12), P(7, 5), P(0, 5)},
              {dim(P(0, 0), P(12, 0), Side::Top, u'A'), dim(P(12, 0), P(12, 12), Side::Right, u'A'),
               dim(P(0, 0), P(0, 5), Side::Left, u'B'), dim(P(7, 12), P(12, 12), Side::Bottom, u'B')}),
        // Leg along the top right, upright leg hanging down on the left.
        shape(106, {P(0, 0), P(12, 0), P(12, 5), P(5, 5), P(5, 12), P(0, 12)},
              {dim(P(0, 0), P(12, 0), Side::Top, u'A'), dim(P(0, 0), P(0, 12), Side::Left, u'A'),
               dim(P(12, 0), P(12, 5), Side::Right, u'B'), dim(P(0, 12), P(5, 12), Side::Bottom, u'B')}),
        shape(107, {P(0, 0), P(16, 0), P(16, 6), P(13, 9), P(3, 9), P(0, 6)},
              {dim(P(0, 0), P(16, 0), Side::Top, u'A'), dim(P(16, 0), P(13, 9), Side::Right, u'B')}),
        shape(108, {P(0, 0), P(16, 0), P(16, 6), P(13, 9), P(0, 9)},
              {dim(P(0, 0), P(16, 0), Side::Top, u'A'), dim(P(16, 0), P(13, 9), Side::Right, u'B')}),
        shape(109, {P(0, 0), P(16, 0), P(16, 9), P(3, 9), P(0, 6)},
              {dim(P(0, 0), P(16, 0), Side::Top, u'A'), dim(P(16, 0), P(16, 9), Side::Right, u'B')}),
    };
}

QList<Outline> deckStyles()
{
    return {
        // Broad, a raised step left of centre, cut top right, notch lower left.
        style(300, {P(0, 4), P(6, 4), P(6, 2), P(10, 2), P(10, 4), P(20, 4), P(24, 8), P(24, 13), P(2, 13),
                    P(2, 11), P(0, 11)}),
        // Long and low, bays stepping up to the right.
        style(301, {P(0, 12), P(0, 10), P(5, 10), P(5, 9), P(10, 9), P(10, 8), P(15, 8), P(15, 7), P(20, 7),
                    P(20, 6), P(25, 6), P(25, 12)}),
        // An arrow: a 45-degree head pointing left against an upright block.
        style(302, {P(13, 0), P(20, 0), P(20, 14), P(13, 14), P(13, 12), P(5, 12), P(0, 7), P(5, 2), P(13, 2)}),
        // Both top corners cut, a stepped notch in the bottom edge.
        style(303, {P(0, 3), P(3, 0), P(21, 0), P(24, 3), P(24, 12), P(19, 12), P(19, 11), P(17, 11), P(17, 10),
                    P(12, 10), P(12, 12), P(0, 12)}),
        // Wide, a bump on top, the right end cut with two notches in the cut.
        style(304, {P(0, 4), P(6, 4), P(6, 2), P(9, 2), P(9, 4), P(18, 4), P(20, 6), P(19, 7), P(20, 8), P(21, 7),
                    P(22, 8), P(21, 9), P(22, 10), P(23, 9), P(25, 11), P(0, 11)}),
        // Octagonal head on the left, long rectangle to the right.
        style(305, {P(3, 1), P(7, 1), P(9, 3), P(24, 3), P(24, 9), P(9, 9), P(7, 11), P(3, 11), P(0, 8), P(0, 4)}),
        // Two offset blocks in a Z.
        style(306, {P(0, 0), P(13, 0), P(13, 5), P(22, 5), P(22, 12), P(8, 12), P(8, 8), P(0, 8)}),
        // A wide cross, notched top and bottom.
        style(307, {P(0, 4), P(8, 4), P(8, 1), P(11, 1), P(11, 2), P(13, 2), P(13, 1), P(16, 1), P(16, 4), P(24, 4),
                    P(24, 9), P(16, 9), P(16, 12), P(13, 12), P(13, 11), P(11, 11), P(11, 12), P(8, 12), P(8, 9),
                    P(0, 9)}),
        // A boomerang pointing up.
        style(308, {P(11, 0), P(13, 0), P(24, 11), P(19, 11), P(12, 4), P(5, 11), P(0, 11)}),
        // Steps rising to a higher block on the right.
        style(309, {P(0, 12), P(0, 8), P(8, 8), P(8, 5), P(15, 5), P(15, 1), P(24, 1), P(24, 12)}),
        // An octagon on a narrow stepped stem; A is the stem.
        style(310, QList<QPointF>{P(8, 0), P(12, 0), P(16, 4), P(16, 8)} + stemRightSide() + stemLeftSide()
                       + QList<QPointF>{P(4, 8), P(4, 4)},
              P(7, 16), P(13, 16)),
        // An irregular rounded head, a large lobe and a smaller one, on the
        // same stem; A is the stem.
        style(311, arc(P(8, 6.5), 5.5, 112.5, 292.5) + arc(P(13.5, 7.5), 4, 270, 450 + 22.5) + stemRightSide()
                       + stemLeftSide(),
              P(7, 16), P(13, 16)),
        // A roof: sloping sides, a flat top with a bump.
        style(312, {P(0, 13), P(0, 11), P(6, 5), P(10, 5), P(10, 3), P(14, 3), P(14, 5), P(18, 5), P(24, 11),
                    P(24, 13)}),
        // Long, its top falling to the right in cuts and small bumps.
        style(313, {P(0, 13), P(0, 2), P(2, 2), P(2, 1), P(4, 1), P(4, 2), P(6, 2), P(9, 5), P(11, 5), P(11, 4),
                    P(13, 4), P(13, 5), P(15, 5), P(18, 8), P(20, 8), P(20, 7), P(22, 7), P(22, 8), P(24, 8),
                    P(26, 10), P(26, 13)}),
        // Wide, a bump on top, an angled notch in the middle of the bottom.
        style(314, {P(0, 3), P(9, 3), P(9, 1), P(15, 1), P(15, 3), P(24, 3), P(24, 12), P(15, 12), P(12, 9), P(9, 12),
                    P(0, 12)}),
        // Five sides tilted by 45 degrees, two small notches.
        style(315, {P(0, 0), P(3, 0), P(3, 1), P(5, 1), P(5, 0), P(8, 0), P(15, 7), P(7, 15), P(0, 8), P(0, 5),
                    P(1, 5), P(1, 3), P(0, 3)}),
        // Cut top corners, a bump on top, a rectangular notch in the bottom.
        style(316, {P(0, 5), P(3, 2), P(10, 2), P(10, 0), P(14, 0), P(14, 2), P(21, 2), P(24, 5), P(24, 12), P(14, 12),
                    P(14, 10), P(10, 10), P(10, 12), P(0, 12)}),
        // A rectangle, a narrow neck and a round end.
        style(317, QList<QPointF>{P(0, 2), P(10, 2), P(10, 6)} + arc(P(18.5, 7), 5.5, 180 + 10.5, 540 - 10.5)
                       + QList<QPointF>{P(10, 8), P(10, 12), P(0, 12)}),
        // A tall block, a lower stepped block to its right, a notch below.
        style(318, {P(0, 0), P(8, 0), P(8, 4), P(14, 4), P(14, 7), P(22, 7), P(22, 13), P(13, 13), P(13, 11),
                    P(10, 11), P(10, 13), P(0, 13)}),
    };
}

} // namespace deckmodel
