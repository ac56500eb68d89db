#include "resources.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmapCache>
#include <QtEndian>

// The resources live in this static library; make sure they are registered
// before the first picture is asked for.
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

// A picture read by the reader of its own format alone. Named formats still
// let the toolkit ask every image reader it has whether it knows the content
// better (loading them all, JPEG's library too); that is turned off. Like a
// picture loaded by name, it is kept in the pixmap cache, so that every use of
// one resource shares one pixmap.
static QPixmap readAs(const QString &path, const char *format)
{
    QPixmap pixmap;
    if (QPixmapCache::find(path, &pixmap))
        return pixmap;
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    pixmap = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(path, pixmap);
    return pixmap;
}

namespace resources {

QString bitmapPath(int id)
{
    registerResources();
    return QStringLiteral(":/bitmap/%1").arg(id);
}

QString cursorPath(int id)
{
    registerResources();
    return QStringLiteral(":/cursor/%1").arg(id);
}

QString iconPath(int id)
{
    registerResources();
    return QStringLiteral(":/icon/%1").arg(id);
}

QPixmap bitmap(int id)
{
    return readAs(bitmapPath(id), "BMP");
}

QCursor cursor(int id)
{
    // The hot spot is stored in the cursor file's directory entry (bytes 10 to 13).
    QFile file(cursorPath(id));
    if (!file.open(QIODevice::ReadOnly))
        return QCursor();
    const QByteArray bytes = file.readAll();
    QImage image = QImage::fromData(bytes, "CUR");
    if (image.isNull() || bytes.size() < 14)
        return QCursor();
    const int hotX = qFromLittleEndian<quint16>(bytes.constData() + 10);
    const int hotY = qFromLittleEndian<quint16>(bytes.constData() + 12);
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

QIcon icon(int id)
{
    // Every size the icon file holds, read as the icon file it is: the toolkit
    // would otherwise guess the format of a name without a suffix from its
    // content, loading the MIME database and every image reader to do so.
    QIcon icon;
    QImageReader reader(iconPath(id), "ICO");
    reader.setAutoDetectImageFormat(false);
    QImage image;
    for (bool ok = reader.read(&image); ok; ok = reader.jumpToNextImage() && reader.read(&image))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QString picturePath(Picture which)
{
    registerResources();
    switch (which) {
    case Picture::Banner: return QStringLiteral(":/picture/banner");
    case Picture::Deck2D: return QStringLiteral(":/picture/deck2d");
    case Picture::Deck3D: return QStringLiteral(":/picture/deck3d");
    case Picture::Joists: return QStringLiteral(":/picture/joists");
    case Picture::Beams: return QStringLiteral(":/picture/beams");
    case Picture::Posts: return QStringLiteral(":/picture/posts");
    case Picture::Decking: return QStringLiteral(":/picture/decking");
    case Picture::Wireframe: return QStringLiteral(":/picture/wireframe");
    case Picture::HiddenLine: return QStringLiteral(":/picture/hiddenline");
    case Picture::Shaded: return QStringLiteral(":/picture/shaded");
    }
    return {};
}

static const char *pictureFormat(Picture which)
{
    switch (which) {
    case Picture::Deck2D:
    case Picture::Deck3D:
    case Picture::Joists:
    case Picture::Beams: return "GIF";
    case Picture::Posts:
    case Picture::Decking: return "JPEG";
    case Picture::Banner:
    case Picture::Wireframe:
    case Picture::HiddenLine:
    case Picture::Shaded: return "BMP";
    }
    return nullptr;
}

QPixmap picture(Picture which)
{
    return readAs(picturePath(which), pictureFormat(which));
}

} // namespace resources
