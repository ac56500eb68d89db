#include "winicons.h"

#include <QPainter>
#include <QtEndian>

namespace art {
namespace {

// The hand, one character a pixel: X black, o white, blank transparent.
// The top of the index finger is the hot spot.
const int handHotX = 6, handHotY = 0;
const char *const hand[] = {
    "      XX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooXXX",
    "     XooXooXXX",
    "     XooXooXooXXX",
    "     XooXooXooXooX",
    " XXXXXooXooXooXooX",
    "XooooXooXooXooXooX",
    "XooooXoooooooooooX",
    "XooooXoooooooooooX",
    " XoooooooooooooooX",
    " XoooooooooooooooX",
    "  XooooooooooooooX",
    "  XooooooooooooooX",
    "   XooooooooooooX",
    "   XooooooooooooX",
    "    XooooooooooX",
    "    XooooooooooX",
    "     XXXXXXXXXX",
};

void put16(QByteArray &bytes, quint16 value)
{
    char b[2];
    qToLittleEndian(value, b);
    bytes.append(b, 2);
}

void put32(QByteArray &bytes, quint32 value)
{
    char b[4];
    qToLittleEndian(value, b);
    bytes.append(b, 4);
}

// The header of one image inside an icon or cursor file: its height counts
// the colour rows and the mask rows together.
QByteArray bitmapHeader(int size, int bitsPerPixel, int imageBytes, int colours)
{
    QByteArray h;
    put32(h, 40);
    put32(h, quint32(size));
    put32(h, quint32(2 * size));
    put16(h, 1);
    put16(h, quint16(bitsPerPixel));
    put32(h, 0); // no compression
    put32(h, quint32(imageBytes));
    put32(h, 0);
    put32(h, 0);
    put32(h, quint32(colours));
    put32(h, 0);
    return h;
}

int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// Rows bottom up; `bit(x, y)` gives one pixel's value of `bits` bits.
template<typename Pixel>
QByteArray packRows(int size, int bits, Pixel pixel)
{
    const int stride = rowBytes(size, bits);
    QByteArray data(stride * size, '\0');
    for (int y = 0; y < size; ++y) {
        char *row = data.data() + (size - 1 - y) * stride;
        for (int x = 0; x < size; ++x) {
            const int value = pixel(x, y);
            const int bitPos = x * bits;
            const int shift = 8 - bits - bitPos % 8;
            row[bitPos / 8] = char(uchar(row[bitPos / 8]) | uchar(value << shift));
        }
    }
    return data;
}

// The sixteen colours of the standard Windows palette.
const QRgb palette16[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
enum PaletteIndex { Black = 0, Olive = 3, Silver = 7, Grey = 8, Yellow = 11, White = 15 };

int nearestIndex(QRgb c)
{
    int best = 0, bestDistance = INT_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(c) - qRed(palette16[i]), dg = qGreen(c) - qGreen(palette16[i]),
                  db = qBlue(c) - qBlue(palette16[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance)
            best = i, bestDistance = d;
    }
    return best;
}

QColor colour(PaletteIndex i) { return QColor(palette16[i]); }

} // namespace

QImage handImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < int(std::size(hand)); ++y)
        for (int x = 0; hand[y][x]; ++x) {
            if (hand[y][x] == 'X')
                image.setPixel(x, y, qRgb(0, 0, 0));
            else if (hand[y][x] == 'o')
                image.setPixel(x, y, qRgb(255, 255, 255));
        }
    return image;
}

QByteArray handCursor()
{
    const QImage image = handImage();
    // Colour bits: 1 for white. Mask bits: 1 where the screen shows through.
    const QByteArray colourBits = packRows(32, 1, [&](int x, int y) { return qRed(image.pixel(x, y)) ? 1 : 0; });
    const QByteArray maskBits = packRows(32, 1, [&](int x, int y) { return qAlpha(image.pixel(x, y)) ? 0 : 1; });
    const QByteArray header = bitmapHeader(32, 1, colourBits.size() + maskBits.size(), 2);
    QByteArray colours;
    put32(colours, 0x000000);
    put32(colours, 0xFFFFFF);
    const QByteArray body = header + colours + colourBits + maskBits;

    QByteArray file;
    put16(file, 0);
    put16(file, 2); // cursor
    put16(file, 1);
    file.append(char(32)).append(char(32)).append(char(2)).append(char(0));
    put16(file, handHotX);
    put16(file, handHotY);
    put32(file, quint32(body.size()));
    put32(file, 22);
    return file + body;
}

// The 16-pixel hammer is drawn pixel by pixel: g grey head, y yellow and
// o olive handle. Every background pixel beside it becomes its black edge.
const char *const smallHammer[] = {
    "",
    "",
    "",
    "     ggg",
    "      ggg",
    "       ggg",
    "        ggg",
    "       yyggg",
    "      yo  ggg",
    "     yo     gg",
    "    yo       g",
    "   yo        g",
    "  yo",
    "  o",
};

QImage smallHammerImage()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour(Silver));
    for (int x = 0; x < 16; ++x) {
        image.setPixel(x, 0, palette16[White]);
        image.setPixel(x, 15, palette16[Grey]);
    }
    for (int y = 0; y < 16; ++y) {
        image.setPixel(0, y, palette16[White]);
        image.setPixel(15, y, palette16[Grey]);
    }
    const auto filled = [](int x, int y) {
        return y >= 0 && y < int(std::size(smallHammer)) && x >= 0 && x < int(qstrlen(smallHammer[y]))
            && smallHammer[y][x] != ' ';
    };
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 15; ++x) {
            if (filled(x, y)) {
                const char c = smallHammer[y][x];
                image.setPixel(x, y, palette16[c == 'g' ? Grey : c == 'y' ? Yellow : Olive]);
            } else if (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1)) {
                image.setPixel(x, y, palette16[Black]);
            }
        }
    return image;
}

// A claw hammer lying from lower left to upper right on a grey tile, drawn
// on a 32-unit square without smoothing, so that every pixel keeps one of
// the sixteen colours.
QImage hammerImage(int size)
{
    if (size < 32)
        return smallHammerImage();
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour(Silver));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const qreal s = size / 32.0;

    // The tile's raised edge.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(White));
    painter.drawRect(QRectF(0, 0, size, s));
    painter.drawRect(QRectF(0, 0, s, size));
    painter.setBrush(colour(Grey));
    painter.drawRect(QRectF(0, size - s, size, s));
    painter.drawRect(QRectF(size - s, 0, s, size));

    painter.translate(size / 2.0 - s, size / 2.0);
    painter.rotate(45);
    painter.scale(s * 0.8, s * 0.8);
    const QPen line(colour(Black), 0);
    painter.setPen(line);
    painter.setBrush(colour(Yellow));
    painter.drawRect(QRectF(-2, -5, 4, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(Olive));
    painter.drawRect(QRectF(1, -4, 1, 18));
    // Head: a striking face on the left, the claw curling down on the right.
    painter.setPen(line);
    painter.setBrush(colour(Grey));
    painter.drawPolygon(QPolygonF{{-12, -12}, {-9, -12}, {-9, -13}, {4, -13}, {4, -5},
                                  {-9, -5}, {-9, -6}, {-12, -6}});
    painter.drawPolygon(QPolygonF{{4, -13}, {9, -12}, {13, -9}, {14, -5}, {11, -8}, {7, -9}, {4, -9}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(White));
    painter.drawRect(QRectF(-8, -12, 11, 1));
    painter.end();
    return image;
}

QByteArray hammerIcon()
{
    const int sizes[2] = {32, 16};
    QByteArray bodies[2];
    for (int i = 0; i < 2; ++i) {
        const QImage image = hammerImage(sizes[i]);
        const QByteArray colourBits =
            packRows(sizes[i], 4, [&](int x, int y) { return nearestIndex(image.pixel(x, y)); });
        const QByteArray maskBits = packRows(sizes[i], 1, [](int, int) { return 0; });
        QByteArray colours;
        for (QRgb c : palette16)
            put32(colours, c & 0xFFFFFF);
        bodies[i] = bitmapHeader(sizes[i], 4, colourBits.size() + maskBits.size(), 16) + colours + colourBits + maskBits;
    }
    QByteArray file;
    put16(file, 0);
    put16(file, 1); // icon
    put16(file, 2);
    quint32 offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        file.append(char(sizes[i])).append(char(sizes[i])).append(char(16)).append(char(0));
        put16(file, 1);
        put16(file, 4);
        put32(file, quint32(bodies[i].size()));
        put32(file, offset);
        offset += quint32(bodies[i].size());
    }
    return file + bodies[0] + bodies[1];
}

} // namespace art
