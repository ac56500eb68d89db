// The program's pictures, cursor and icon (data/pictures.txt): each file's
// format, pixel sizes and bit depth read from its own bytes; that each numbered
// bitmap is a file of its own; the hand cursor's hot spot on the fingertip.
#include "resources.h"
#include "datatable.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmapCache>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int u16(const QByteArray &b, int at) { return b.size() >= at + 2 ? qFromLittleEndian<quint16>(b.constData() + at) : -1; }

// The file's format, image count, sizes and bit depth from its headers, then as Qt reads it.
void checkFile(const QString &path, const QByteArray &format, const QList<QSize> &sizes, int bits)
{
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
            QCOMPARE(u16(b, int(qFromLittleEndian<quint32>(b.constData() + entry + 12)) + 14), bits);
        }
        if (format == "cur") // the hot spot
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

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void files();
    void decodedAhead();
};

// No two bitmaps alike: each number loads its own. The hand's topmost row is
// black at the hot spot, the white finger below it.
void TestResources::files()
{
    const QStringList pictures{"Banner", "Deck2D", "Deck3D", "Joists", "Beams", "Posts", "Decking", "Wireframe",
                               "HiddenLine", "Shaded"}; // in the order of resources::Picture
    QSet<QByteArray> seen;
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/pictures.txt");
    QCOMPARE(rows.size(), 14);
    for (const QStringList &row : rows) {
        const QStringList which = row[1].split(u' ');
        QList<QSize> sizes;
        for (const QString &size : row[3].split(u' '))
            sizes << QSize(size.section(u'x', 0, 0).toInt(), size.section(u'x', 1, 1).toInt());
        const QByteArray format = row[2].toLatin1();
        const int bits = row[4].toInt(), first = which[1].section(u'-', 0, 0).toInt();
        if (which[0] == u"picture") {
            QVERIFY2(pictures.contains(which[1]), qPrintable(row[0]));
            checkFile(resources::picturePath(resources::Picture(pictures.indexOf(which[1]))), format, sizes, bits);
        } else if (which[0] == u"icon") {
            checkFile(resources::iconPath(first), format, sizes, bits);
        } else if (which[0] == u"cursor") {
            checkFile(resources::cursorPath(first), format, sizes, bits);
            const QImage hand = resources::cursor(first).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(hand.pixel(6, 0), qRgba(0, 0, 0, 255));
            QCOMPARE(hand.pixel(6, 1), qRgba(255, 255, 255, 255));
        }
        for (int id = first; which[0] == u"bitmap" && id <= which[1].section(u'-', 1, 1).toInt(); ++id) {
            const QString name = QString::number(id);
            checkFile(resources::bitmapPath(id), format, sizes, bits);
            QCOMPARE(resources::bitmap(id).size(), sizes[0]);
            QVERIFY2(!seen.contains(bytesOf(resources::bitmapPath(id))), qPrintable(name));
            seen.insert(bytesOf(resources::bitmapPath(id)));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable("bitmap " + name));
        }
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("in the row " + row[0]));
    }
    QCOMPARE(seen.size(), 28);
}

QImage pixels(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

QImage pixels(const QString &path, const char *format)
{
    return QImageReader(path, format).read().convertToFormat(QImage::Format_ARGB32);
}

// Pictures and the icon decoded ahead on a thread are those read when asked
// for: the same pixels, every size of the icon; what was not asked for ahead,
// or is asked for once it is gone, is read then.
void TestResources::decodedAhead()
{
    using resources::Picture;
    QPixmapCache::clear();
    const QList<QSize> iconSizes{{32, 32}, {16, 16}}; // in the order of the file
    {
        resources::DecodingAhead ahead({Picture::Deck3D, Picture::Banner}, {1});
        QCOMPARE(resources::icon(1).availableSizes(), iconSizes);
        const QPixmap deck3d = resources::picture(Picture::Deck3D);
        QCOMPARE(deck3d.size(), QSize(137, 154));
        QCOMPARE(pixels(deck3d), pixels(resources::picturePath(Picture::Deck3D), "gif"));
        QCOMPARE(resources::picture(Picture::Deck2D).size(), QSize(147, 140));
        QCOMPARE(pixels(resources::picture(Picture::Banner)), pixels(resources::picturePath(Picture::Banner), "bmp"));
        QCOMPARE(resources::icon(1).availableSizes(), iconSizes);
    }
    QCOMPARE(resources::icon(1).availableSizes(), iconSizes);
    QCOMPARE(resources::picture(Picture::Banner).size(), QSize(58, 202));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
