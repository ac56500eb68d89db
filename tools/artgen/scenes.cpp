#include "scenes.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace art {
namespace {

const QColor orange(255, 136, 0);
const QColor frameGrey(196, 196, 196);
const QColor boardWood(222, 184, 135);
const QColor frameWood(190, 140, 90);
const QColor postWood(150, 105, 65);

QVector3D v(qreal x, qreal y, qreal z) { return QVector3D(float(x), float(y), float(z)); }

// A deck W feet along x, D along y, its beams on posts `height` feet tall.
// Beams run along x over the two post rows; joists span y on top of them,
// boxed in by rim joists; boards run along x on the joists.
struct Deck {
    qreal width = 12, depth = 10, height = 3;
    qreal postSpacing = 5.5;
    qreal postSize = 0.34;
    qreal beamOverhang = 0;
    qreal joistSpacing = 4.0 / 3; // 16 inches

    qreal beamInset = 1;
    qreal beamDepth = 0.6;
    qreal beamWidth = 0.28;

    qreal beamRow(int row) const { return row == 0 ? beamInset : depth - beamInset; }
    qreal beamTop() const { return height + beamDepth; }
    qreal joistTop() const { return beamTop() + 0.6; }
    qreal boardTop() const { return joistTop() + 0.1; }

    QList<Box> posts(const QColor &c) const
    {
        QList<Box> boxes;
        for (int row = 0; row < 2; ++row)
            for (qreal x = 0.6; x < width; x += postSpacing)
                boxes << Box{v(x - postSize / 2, beamRow(row) - postSize / 2, 0),
                             v(x + postSize / 2, beamRow(row) + postSize / 2, height), c};
        return boxes;
    }
    QList<Box> beams(const QColor &c) const
    {
        QList<Box> boxes;
        for (int row = 0; row < 2; ++row)
            boxes << Box{v(-beamOverhang, beamRow(row) - beamWidth / 2, height),
                         v(width + beamOverhang, beamRow(row) + beamWidth / 2, beamTop()), c};
        return boxes;
    }
    QList<Box> joists(const QColor &c) const
    {
        QList<Box> boxes;
        for (qreal x = joistSpacing / 2; x < width; x += joistSpacing)
            boxes << Box{v(x - 0.07, 0, beamTop()), v(x + 0.07, depth, joistTop()), c};
        boxes << Box{v(-0.14, -0.14, beamTop()), v(width + 0.14, 0, joistTop()), c}      // back rim
              << Box{v(-0.14, depth, beamTop()), v(width + 0.14, depth + 0.14, joistTop()), c} // front rim
              << Box{v(-0.14, 0, beamTop()), v(0, depth, joistTop()), c}                  // left rim
              << Box{v(width, 0, beamTop()), v(width + 0.14, depth, joistTop()), c};      // right rim
        return boxes;
    }
    QList<Box> decking(const QColor &c, qreal board = 0.46, qreal gap = 0.06) const
    {
        QList<Box> boxes;
        for (qreal y = -0.14; y + board <= depth + 0.15; y += board + gap)
            boxes << Box{v(-0.2, y, joistTop()), v(width + 0.2, y + board, boardTop()), c};
        return boxes;
    }
    // A rail along the two far sides: posts, a top rail and a middle rail.
    QList<Box> railing(const QColor &c, qreal spacing) const
    {
        QList<Box> boxes;
        const qreal base = boardTop(), top = base + 3;
        const qreal t = 0.15;
        QList<qreal> xs, ys;
        for (qreal x = width; x > 0.01; x -= spacing)
            xs << x;
        for (qreal y = depth; y > 0.01; y -= spacing)
            ys << y;
        boxes << Box{v(-0.2, -0.2, base), v(-0.2 + 2 * t, -0.2 + 2 * t, top), c}; // corner post
        for (qreal x : xs) {
            boxes << Box{v(x - 2 * t, -0.2, base), v(x, -0.2 + 2 * t, top), c};
            boxes << Box{v(x - spacing + 2 * t, -0.2 + 0.1, base + 1.4), v(x - 2 * t, -0.2 + 0.2, base + 1.6), c};
        }
        for (qreal y : ys) {
            boxes << Box{v(-0.2, y - 2 * t, base), v(-0.2 + 2 * t, y, top), c};
            boxes << Box{v(-0.2 + 0.1, y - spacing + 2 * t, base + 1.4), v(-0.2 + 0.2, y - 2 * t, base + 1.6), c};
        }
        boxes << Box{v(-0.25, -0.25, top), v(width, -0.2 + 2 * t + 0.05, top + 0.15), c};
        boxes << Box{v(-0.25, -0.2 + 2 * t + 0.05, top), v(-0.2 + 2 * t + 0.05, depth, top + 0.15), c};
        return boxes;
    }
};

} // namespace

QImage deckOnPosts()
{
    Deck deck;
    deck.width = 12, deck.depth = 9, deck.height = 3.5;
    const QList<Box> boxes = deck.posts(postWood) + deck.beams(frameWood) + deck.joists(frameWood)
                             + deck.decking(boardWood) + deck.railing(frameWood, 3);
    return drawBoxes(boxes, QSize(137, 154), 4, Render::Solid);
}

QImage frameWith(Part part, QSize size)
{
    Deck deck;
    deck.height = 5;
    deck.postSize = 0.5;
    // Beams set in from the edges and standing out at the ends, so that
    // they show under the joists.
    deck.beamOverhang = 1;
    deck.beamInset = 2.2;
    deck.beamDepth = 0.8;
    deck.beamWidth = 0.45;
    deck.joistSpacing = 1.75;
    const auto colour = [part](Part p) { return p == part ? orange : frameGrey; };
    QList<Box> boxes = deck.posts(colour(Part::Posts)) + deck.beams(colour(Part::Beams)) + deck.joists(colour(Part::Joists));
    if (part == Part::Decking)
        boxes += deck.decking(orange);
    return drawBoxes(boxes, size, 4, Render::Solid);
}

QImage viewingMode(Render render)
{
    Deck deck;
    deck.width = 8, deck.depth = 8, deck.height = 5;
    deck.postSpacing = 6.8;
    deck.joistSpacing = 2;
    const QList<Box> boxes = deck.posts(orange) + deck.beams(orange) + deck.joists(orange) + deck.decking(orange, 0.9, 0.1)
                             + deck.railing(orange, 4);
    return drawBoxes(boxes, QSize(117, 157), 5, render, orange);
}

// The start page's deck in plan, in feet: a planked deck 16 by 13 with an
// octagonal sitting area over its upper right corner, steps off the bottom
// edge and a bench along the left edge.
QImage deckPlan()
{
    const QSize size(147, 140);
    const qreal foot = 6;
    const QPointF origin(22.5, 24.5); // the deck's upper left corner
    const auto at = [&](qreal x, qreal y) { return origin + QPointF(x, y) * foot; };
    const qreal deckW = 16, deckD = 13;

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen outline(Qt::black, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen plank(boardWood.darker(135), 1);

    // The octagon around the corner (14, 2), drawn first so the deck covers its inner part.
    QPolygonF octagon;
    const QPointF centre(14, 2);
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(22.5 + 45 * i);
        octagon << at(centre.x() + 5.2 * qCos(a), centre.y() + 5.2 * qSin(a));
    }
    QPolygonF deck{at(0, 0), at(deckW, 0), at(deckW, deckD), at(0, deckD)};
    const QPolygonF floor = deck.united(octagon);
    painter.setPen(Qt::NoPen);
    painter.setBrush(boardWood);
    painter.drawPolygon(floor);

    // Planks across the deck, radial lines in the octagon.
    painter.save();
    QPainterPath planked;
    planked.addPolygon(deck.subtracted(octagon));
    painter.setClipPath(planked);
    painter.setPen(plank);
    for (qreal y = 1; y < deckD; y += 1)
        painter.drawLine(at(0, y), at(deckW, y));
    painter.restore();
    painter.setPen(QPen(QColor(220, 0, 0), 1));
    painter.setBrush(Qt::NoBrush);
    for (const QPointF &corner : octagon)
        painter.drawLine(at(centre.x(), centre.y()), corner);
    painter.setPen(outline);
    painter.drawPolygon(floor);

    // Three steps down from the lower edge.
    for (int step = 0; step < 3; ++step) {
        const QRectF tread(at(4 + step * 0.5, deckD + step * 1.1), at(10 - step * 0.5, deckD + (step + 1) * 1.1));
        painter.setBrush(boardWood.lighter(105 + 5 * step));
        painter.drawRect(tread);
    }

    // The bench: a red seat along the left edge with its slats.
    const QRectF bench(at(0.5, 2.5), at(2.3, 11));
    painter.setBrush(QColor(220, 30, 30));
    painter.setPen(QPen(QColor(120, 0, 0), 1));
    painter.drawRect(bench);
    for (qreal y = 4; y < 11; y += 1.5)
        painter.drawLine(at(0.5, y), at(2.3, y));

    // Dimension figures along the left and bottom edges.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 1));
    const qreal left = origin.x() - 12, bottom = at(0, deckD + 3.3).y() + 6;
    painter.drawLine(QPointF(left, at(0, 0).y()), QPointF(left, at(0, deckD).y()));
    painter.drawLine(QPointF(left - 3, at(0, 0).y()), QPointF(left + 3, at(0, 0).y()));
    painter.drawLine(QPointF(left - 3, at(0, deckD).y()), QPointF(left + 3, at(0, deckD).y()));
    painter.drawLine(QPointF(at(0, 0).x(), bottom), QPointF(at(deckW, 0).x(), bottom));
    painter.drawLine(QPointF(at(0, 0).x(), bottom - 3), QPointF(at(0, 0).x(), bottom + 3));
    painter.drawLine(QPointF(at(deckW, 0).x(), bottom - 3), QPointF(at(deckW, 0).x(), bottom + 3));
    const QString depthText = QStringLiteral("13'"), widthText = QStringLiteral("16'");
    const QRectF widthBox(at(deckW / 2, 0).x() - 12, bottom - 6, 24, 12);
    painter.fillRect(widthBox, Qt::white);
    painter.drawText(widthBox, Qt::AlignCenter, widthText);
    painter.save();
    painter.translate(left, at(0, deckD / 2).y());
    painter.rotate(-90);
    const QRectF depthBox(-12, -6, 24, 12);
    painter.fillRect(depthBox, Qt::white);
    painter.drawText(depthBox, Qt::AlignCenter, depthText);
    painter.restore();
    return image;
}

// Drawn lying down, 202 wide, then turned a quarter to the left so that it
// reads from bottom to top.
QImage banner()
{
    QImage lying(202, 58, QImage::Format_RGB32);
    lying.fill(Qt::white);
    QPainter painter(&lying);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    QFont big(QStringLiteral("Liberation Sans"));
    big.setPixelSize(44);
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(QColor(220, 0, 0));
    painter.drawText(QRectF(4, 0, 66, 58), Qt::AlignCenter, QStringLiteral("3D"));

    QFont words(QStringLiteral("Liberation Sans"));
    words.setPixelSize(19);
    words.setBold(true);
    painter.setFont(words);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(74, 5, 126, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Deck Design"));
    QFont name = words;
    name.setPixelSize(15);
    name.setBold(false);
    name.setItalic(true);
    painter.setFont(name);
    painter.drawText(QRectF(74, 29, 126, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Joistmaster"));
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.drawLine(QPointF(74, 29), QPointF(196, 29));
    painter.end();
    return lying.transformed(QTransform().rotate(-90));
}

} // namespace art
