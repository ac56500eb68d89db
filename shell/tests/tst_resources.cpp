// The program's pictures, cursor and icon as the program reads them: each
// file's format, pixel size and bit depth straight from its bytes, and that
// each picture holds a drawing.
#include "resources.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <QtEndian>

using resources::Picture;

namespace {

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 s32(const QByteArray &b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
quint16 be16(const QByteArray &b, int at) { return qFromBigEndian<quint16>(b.constData() + at); }

bool hasColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void bmpFiles_data();
    void bmpFiles();
    void gifFiles_data();
    void gifFiles();
    void jpegFiles_data();
    void jpegFiles();
    void pageLoadsEachPicture_data();
    void pageLoadsEachPicture();
    void shapeAndStyleBitmapsAreDrawings_data();
    void shapeAndStyleBitmapsAreDrawings();
    void noTwoBitmapsAlike();
    void iconFile();
    void cursorFile();
    void cursorHotSpotIsTheFingertip();
};

void TestResources::bmpFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (int id = 101; id <= 109; ++id)
        QTest::addRow("bitmap %d", id) << resources::bitmapPath(id) << QSize(214, 151);
    for (int id = 300; id <= 318; ++id)
        QTest::addRow("bitmap %d", id) << resources::bitmapPath(id) << QSize(213, 153);
    QTest::newRow("banner") << resources::picturePath(Picture::Banner) << QSize(58, 202);
    QTest::newRow("wireframe") << resources::picturePath(Picture::Wireframe) << QSize(117, 157);
    QTest::newRow("hidden line") << resources::picturePath(Picture::HiddenLine) << QSize(117, 157);
    QTest::newRow("shaded") << resources::picturePath(Picture::Shaded) << QSize(117, 157);
}

// An uncompressed 24-bit Windows bitmap whose pixel rows fit in the file.
void TestResources::bmpFiles()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QByteArray b = readResource(path);
    QVERIFY2(b.size() > 54, qPrintable(path));
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(u32(b, 2), quint32(b.size()));
    QVERIFY(u32(b, 14) >= 40);
    QCOMPARE(s32(b, 18), size.width());
    QCOMPARE(qAbs(s32(b, 22)), size.height());
    QCOMPARE(u16(b, 26), quint16(1));
    QCOMPARE(u16(b, 28), quint16(24));
    QCOMPARE(u32(b, 30), quint32(0));
    const qint64 stride = (size.width() * 3 + 3) / 4 * 4;
    QVERIFY(u32(b, 10) + stride * size.height() <= quint64(b.size()));
    QCOMPARE(QImage::fromData(b, "BMP").size(), size);
}

void TestResources::gifFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("2D deck") << resources::picturePath(Picture::Deck2D) << QSize(147, 140);
    QTest::newRow("3D deck") << resources::picturePath(Picture::Deck3D) << QSize(137, 154);
    QTest::newRow("joists") << resources::picturePath(Picture::Joists) << QSize(140, 140);
    QTest::newRow("beams") << resources::picturePath(Picture::Beams) << QSize(140, 140);
}

void TestResources::gifFiles()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QByteArray b = readResource(path);
    QVERIFY2(b.size() > 13, qPrintable(path));
    QVERIFY(b.startsWith("GIF89a") || b.startsWith("GIF87a"));
    QCOMPARE(int(u16(b, 6)), size.width());
    QCOMPARE(int(u16(b, 8)), size.height());
    QCOMPARE(QImage::fromData(b, "GIF").size(), size);
}

void TestResources::jpegFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("posts") << resources::picturePath(Picture::Posts) << QSize(127, 137);
    QTest::newRow("decking") << resources::picturePath(Picture::Decking) << QSize(127, 137);
}

// The frame header gives the size and three colour components of 8 bits.
void TestResources::jpegFiles()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QByteArray b = readResource(path);
    QVERIFY2(b.size() > 4, qPrintable(path));
    QCOMPARE(b.left(3), QByteArray("\xFF\xD8\xFF"));
    int at = 2;
    int frame = -1;
    while (at + 4 <= b.size() && uchar(b[at]) == 0xFF) {
        const uchar marker = uchar(b[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            frame = at;
            break;
        }
        at += 2 + be16(b, at + 2);
    }
    QVERIFY2(frame > 0 && frame + 10 <= b.size(), "no frame header");
    QCOMPARE(int(uchar(b[frame + 4])), 8);
    QCOMPARE(int(be16(b, frame + 5)), size.height());
    QCOMPARE(int(be16(b, frame + 7)), size.width());
    QCOMPARE(int(uchar(b[frame + 9])), 3);
    QCOMPARE(QImage::fromData(b, "JPEG").size(), size);
}

void TestResources::pageLoadsEachPicture_data()
{
    QTest::addColumn<Picture>("which");
    QTest::addColumn<QSize>("size");
    QTest::newRow("banner") << Picture::Banner << QSize(58, 202);
    QTest::newRow("2D deck") << Picture::Deck2D << QSize(147, 140);
    QTest::newRow("3D deck") << Picture::Deck3D << QSize(137, 154);
    QTest::newRow("joists") << Picture::Joists << QSize(140, 140);
    QTest::newRow("beams") << Picture::Beams << QSize(140, 140);
    QTest::newRow("posts") << Picture::Posts << QSize(127, 137);
    QTest::newRow("decking") << Picture::Decking << QSize(127, 137);
    QTest::newRow("wireframe") << Picture::Wireframe << QSize(117, 157);
    QTest::newRow("hidden line") << Picture::HiddenLine << QSize(117, 157);
    QTest::newRow("shaded") << Picture::Shaded << QSize(117, 157);
}

// What the pages get, and that no picture is a plain field of one colour.
void TestResources::pageLoadsEachPicture()
{
    QFETCH(Picture, which);
    QFETCH(QSize, size);
    const QImage image = resources::picture(which).toImage();
    QCOMPARE(image.size(), size);
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; ++y)
        for (int x = 0; x < image.width() && !varied; ++x)
            varied = image.pixel(x, y) != first;
    QVERIFY(varied);
}

void TestResources::shapeAndStyleBitmapsAreDrawings_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("redDimension");
    for (int id = 101; id <= 109; ++id)
        QTest::addRow("shape %d", id) << id << QSize(214, 151) << false;
    for (int id = 300; id <= 318; ++id)
        QTest::addRow("style %d", id) << id << QSize(213, 153) << true;
}

// A black outline and blue letters; the styles' dimension line is red, the
// shapes' is blue like their letters.
void TestResources::shapeAndStyleBitmapsAreDrawings()
{
    QFETCH(int, id);
    QFETCH(QSize, size);
    QFETCH(bool, redDimension);
    const QImage image = resources::bitmap(id).toImage();
    QCOMPARE(image.size(), size);
    QVERIFY(hasColour(image, black));
    QVERIFY(hasColour(image, blue));
    QCOMPARE(hasColour(image, red), redDimension);
}

void TestResources::noTwoBitmapsAlike()
{
    QList<int> ids;
    for (int id = 101; id <= 109; ++id)
        ids << id;
    for (int id = 300; id <= 318; ++id)
        ids << id;
    QHash<QByteArray, int> seen;
    for (int id : ids) {
        const QByteArray bytes = readResource(resources::bitmapPath(id));
        QVERIFY2(!seen.contains(bytes), qPrintable(QStringLiteral("%1 repeats %2").arg(id).arg(seen.value(bytes))));
        seen.insert(bytes, id);
    }
}

// Two images, 32 and 16 pixels square, in 16 colours.
void TestResources::iconFile()
{
    const QByteArray b = readResource(resources::iconPath(1));
    QVERIFY(b.size() > 6 + 2 * 16);
    QCOMPARE(u16(b, 0), quint16(0));
    QCOMPARE(u16(b, 2), quint16(1));
    QCOMPARE(u16(b, 4), quint16(2));
    QList<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const int entry = 6 + 16 * i;
        const int size = uchar(b[entry]) ? uchar(b[entry]) : 256;
        QCOMPARE(int(uchar(b[entry + 1])), size);
        QCOMPARE(int(uchar(b[entry + 2])), 16);
        QCOMPARE(u16(b, entry + 6), quint16(4));
        const quint32 length = u32(b, entry + 8), offset = u32(b, entry + 12);
        QVERIFY(offset + length <= quint32(b.size()));
        // The image's own header: colour rows and mask rows, 4 bits a pixel.
        QCOMPARE(s32(b, int(offset) + 4), size);
        QCOMPARE(s32(b, int(offset) + 8), 2 * size);
        QCOMPARE(u16(b, int(offset) + 14), quint16(4));
        const quint32 needed = 40 + 16 * 4 + size * ((size * 4 + 31) / 32 * 4) + size * ((size + 31) / 32 * 4);
        QCOMPARE(length, needed);
        sizes << size;
    }
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, (QList<int>{16, 32}));
    const QIcon icon = resources::icon(1);
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
}

// One 32 x 32 image, 1 bit a pixel, hot spot (6, 0).
void TestResources::cursorFile()
{
    const QByteArray b = readResource(resources::cursorPath(200));
    QVERIFY(b.size() > 22 + 40);
    QCOMPARE(u16(b, 0), quint16(0));
    QCOMPARE(u16(b, 2), quint16(2));
    QCOMPARE(u16(b, 4), quint16(1));
    QCOMPARE(int(uchar(b[6])), 32);
    QCOMPARE(int(uchar(b[7])), 32);
    QCOMPARE(u16(b, 10), quint16(6));
    QCOMPARE(u16(b, 12), quint16(0));
    const quint32 length = u32(b, 14), offset = u32(b, 18);
    QVERIFY(offset + length <= quint32(b.size()));
    QCOMPARE(s32(b, int(offset) + 4), 32);
    QCOMPARE(s32(b, int(offset) + 8), 64);
    QCOMPARE(u16(b, int(offset) + 14), quint16(1));
    QCOMPARE(length, quint32(40 + 2 * 4 + 32 * 4 + 32 * 4));

    const QCursor cursor = resources::cursor(200);
    QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
}

// The hot spot lies on the hand's topmost row, on its black outline, with
// the white of the finger just below it.
void TestResources::cursorHotSpotIsTheFingertip()
{
    const QImage hand = resources::cursor(200).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(hand.size(), QSize(32, 32));
    QCOMPARE(hand.pixel(6, 0), qRgba(0, 0, 0, 255));
    QCOMPARE(hand.pixel(6, 1), qRgba(255, 255, 255, 255));
    QCOMPARE(qAlpha(hand.pixel(31, 31)), 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
