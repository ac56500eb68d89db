// The program's pictures, cursor and icon, each file's format, pixel size and
// bit depth read from its own bytes, as one table; that the numbered bitmaps
// are drawings of their own; the hand cursor's hot spot on the fingertip.
#include "resources.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

using resources::Picture;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int u16(const QByteArray &b, int at) { return b.size() >= at + 2 ? qFromLittleEndian<quint16>(b.constData() + at) : -1; }

bool hasColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

QList<int> bitmapIds()
{
    QList<int> ids;
    for (int id = 101; id <= 109; ++id)
        ids << id;
    for (int id = 300; id <= 318; ++id)
        ids << id;
    return ids;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void files_data();
    void files();
    void bitmapsAreDrawingsOfTheirOwn();
    void handHotSpotIsTheFingertip();
};

void TestResources::files_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::addColumn<int>("bits"); // per pixel, as the file holds it; 0: not checked
    const auto row = [](const char *name, const QString &path, const char *format, QList<QSize> sizes, int bits) {
        QTest::newRow(name) << path << QByteArray(format) << sizes << bits;
    };
    for (int id : bitmapIds())
        row(qPrintable(QString::number(id)), resources::bitmapPath(id), "bmp",
            {id < 300 ? QSize(214, 151) : QSize(213, 153)}, 24);
    row("banner", resources::picturePath(Picture::Banner), "bmp", {QSize(58, 202)}, 24);
    row("wireframe", resources::picturePath(Picture::Wireframe), "bmp", {QSize(117, 157)}, 24);
    row("hidden line", resources::picturePath(Picture::HiddenLine), "bmp", {QSize(117, 157)}, 24);
    row("shaded", resources::picturePath(Picture::Shaded), "bmp", {QSize(117, 157)}, 24);
    row("2D deck", resources::picturePath(Picture::Deck2D), "gif", {QSize(147, 140)}, 0);
    row("3D deck", resources::picturePath(Picture::Deck3D), "gif", {QSize(137, 154)}, 0);
    row("joists", resources::picturePath(Picture::Joists), "gif", {QSize(140, 140)}, 0);
    row("beams", resources::picturePath(Picture::Beams), "gif", {QSize(140, 140)}, 0);
    row("posts", resources::picturePath(Picture::Posts), "jpeg", {QSize(127, 137)}, 0);
    row("decking", resources::picturePath(Picture::Decking), "jpeg", {QSize(127, 137)}, 0);
    row("icon 1", resources::iconPath(1), "ico", {QSize(32, 32), QSize(16, 16)}, 4);
    row("cursor 200", resources::cursorPath(200), "cur", {QSize(32, 32)}, 1);
}

void TestResources::files()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QList<QSize>, sizes);
    QFETCH(int, bits);
    const QByteArray b = bytesOf(path);
    QVERIFY2(!b.isEmpty(), qPrintable(path));
    if (format == "bmp") {
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(u16(b, 28), bits);
        QCOMPARE(u16(b, 30), 0); // not compressed
    } else if (format == "ico" || format == "cur") {
        QCOMPARE(u16(b, 2), format == "ico" ? 1 : 2);
        QCOMPARE(u16(b, 4), int(sizes.size()));
        for (int i = 0; i < sizes.size(); ++i) {
            const int entry = 6 + 16 * i;
            QCOMPARE(QSize(uchar(b[entry]), uchar(b[entry + 1])), sizes[i]);
            const int image = int(qFromLittleEndian<quint32>(b.constData() + entry + 12));
            QCOMPARE(u16(b, image + 14), bits);
        }
        if (format == "cur")
            QCOMPARE(QPoint(u16(b, 10), u16(b, 12)), QPoint(6, 0));
    }
    QImageReader reader(path);
    QCOMPARE(reader.format(), format == "cur" ? QByteArray("ico") : format); // one reader for both
    QList<QSize> read;
    do
        read << reader.read().size();
    while (reader.jumpToNextImage());
    QCOMPARE(read, sizes);
}

// A black outline with blue letters on every bitmap, a red dimension line on
// the styles only, and no two bitmaps alike: each number loads its own.
void TestResources::bitmapsAreDrawingsOfTheirOwn()
{
    QSet<QByteArray> seen;
    for (int id : bitmapIds()) {
        const QImage image = resources::bitmap(id).toImage();
        QCOMPARE(image.size(), id < 300 ? QSize(214, 151) : QSize(213, 153));
        QVERIFY2(hasColour(image, qRgb(0, 0, 0)) && hasColour(image, qRgb(0, 0, 255)), qPrintable(QString::number(id)));
        QCOMPARE(hasColour(image, qRgb(255, 0, 0)), id >= 300);
        const QByteArray bytes = bytesOf(resources::bitmapPath(id));
        QVERIFY2(!seen.contains(bytes), qPrintable(QString::number(id)));
        seen.insert(bytes);
    }
}

// Black outline on the topmost row at the hot spot, the white finger below it.
void TestResources::handHotSpotIsTheFingertip()
{
    const QCursor cursor = resources::cursor(200);
    QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
    const QImage hand = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(hand.pixel(6, 0), qRgba(0, 0, 0, 255));
    QCOMPARE(hand.pixel(6, 1), qRgba(255, 255, 255, 255));
    QCOMPARE(qAlpha(hand.pixel(31, 31)), 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
