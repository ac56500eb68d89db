#include "contactsheet.h"

#include <QDir>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

namespace art {
namespace {

struct Tile {
    QString label;
    QImage image;
};

QList<QImage> readAll(const QString &path)
{
    QList<QImage> images;
    QImageReader reader(path);
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        images << image;
    } while (reader.jumpToNextImage());
    return images;
}

// Small images are enlarged without smoothing, on a checked ground that
// shows their transparent parts.
QImage enlarged(const QImage &image, int factor)
{
    QImage out(image.size() * factor, QImage::Format_RGB32);
    QPainter painter(&out);
    for (int y = 0; y < out.height(); y += 8)
        for (int x = 0; x < out.width(); x += 8)
            painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(150, 170, 190) : QColor(110, 130, 150));
    painter.drawImage(out.rect(), image);
    return out;
}

} // namespace

QImage contactSheet(const QString &resources)
{
    const QDir dir(resources);
    QList<QList<Tile>> rows;
    QList<Tile> shapes, styles, pictures, small;
    for (int id = 101; id <= 109; ++id)
        shapes << Tile{QString::number(id), QImage(dir.filePath(QStringLiteral("bitmaps/%1.bmp").arg(id)))};
    for (int id = 300; id <= 318; ++id)
        styles << Tile{QString::number(id), QImage(dir.filePath(QStringLiteral("bitmaps/%1.bmp").arg(id)))};
    for (const char *name : {"deck2d.gif", "deck3d.gif", "banner.bmp", "joists.gif", "beams.gif", "posts.jpg",
                             "decking.jpg", "wireframe.bmp", "hiddenline.bmp", "shaded.bmp"})
        pictures << Tile{QString::fromLatin1(name), QImage(dir.filePath(QStringLiteral("pictures/") + QLatin1String(name)))};
    const QList<QImage> cursor = readAll(dir.filePath(QStringLiteral("cursor200.cur")));
    small << Tile{QStringLiteral("cursor 200 (x4)"), cursor.isEmpty() ? QImage() : enlarged(cursor.first(), 4)};
    for (const QImage &icon : readAll(dir.filePath(QStringLiteral("icon1.ico"))))
        small << Tile{QStringLiteral("icon 1, %1 (x4)").arg(icon.width()), enlarged(icon, 4)};
    for (const QImage &icon : readAll(dir.filePath(QStringLiteral("icon1.ico"))))
        small << Tile{QStringLiteral("icon 1, %1").arg(icon.width()), icon};

    const int perRow = 5;
    for (const QList<Tile> *group : {&shapes, &styles, &pictures, &small})
        for (qsizetype i = 0; i < group->size(); i += perRow)
            rows << group->mid(i, perRow);

    const int gap = 10, label = 16;
    const QFontMetrics metrics{QFont()};
    const auto tileWidth = [&](const Tile &t) { return qMax(t.image.width(), metrics.horizontalAdvance(t.label)); };
    int width = 0, height = gap;
    QList<int> rowHeights;
    for (const QList<Tile> &row : rows) {
        int w = gap, h = 0;
        for (const Tile &t : row) {
            w += tileWidth(t) + gap;
            h = qMax(h, t.image.height());
        }
        width = qMax(width, w);
        rowHeights << h + label + gap;
        height += h + label + gap;
    }

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(236, 233, 216));
    QPainter painter(&sheet);
    int y = gap;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        int x = gap;
        for (const Tile &t : rows[r]) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(x, y, tileWidth(t), label), Qt::AlignLeft | Qt::AlignVCenter, t.label);
            if (t.image.isNull()) {
                painter.drawText(QRect(x, y + label, 60, 20), Qt::AlignLeft, QStringLiteral("missing"));
            } else {
                painter.drawImage(x, y + label, t.image);
                painter.setPen(QColor(255, 0, 255));
                painter.drawRect(x - 1, y + label - 1, t.image.width() + 1, t.image.height() + 1);
            }
            x += tileWidth(t) + gap;
        }
        y += rowHeights[r];
    }
    return sheet;
}

} // namespace art
