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

static resources::DecodingAhead *decodingAhead = nullptr;

// The images of a resource read by the reader of its own format alone: every
// size of an icon, the first image of anything else. Named formats still let
// the toolkit ask every image reader it has whether it knows the content
// better (loading them all, JPEG's library too); that is turned off. Safe on
// any thread.
static QList<QImage> decode(const QString &path, const char *format, bool everySize)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    QImage image;
    for (bool ok = reader.read(&image); ok; ok = everySize && reader.jumpToNextImage() && reader.read(&image))
        images << image;
    return images;
}

// The images of a resource, decoded ahead or now.
static QList<QImage> imagesOf(const QString &path, const char *format, bool everySize)
{
    if (decodingAhead) {
        QList<QImage> images = decodingAhead->take(path);
        if (!images.isEmpty())
            return images;
    }
    return decode(path, format, everySize);
}

// Like a picture loaded by name, a picture is kept in the pixmap cache, so
// that every use of one resource shares one pixmap.
static QPixmap readAs(const QString &path, const char *format)
{
    QPixmap pixmap;
    if (QPixmapCache::find(path, &pixmap))
        return pixmap;
    const QList<QImage> images = imagesOf(path, format, false);
    pixmap = images.isEmpty() ? QPixmap() : QPixmap::fromImage(images.first());
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
    for (const QImage &image : imagesOf(iconPath(id), "ICO", true))
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

DecodingAhead::DecodingAhead(const QList<Picture> &pictures, const QList<int> &icons)
{
    struct Work {
        QString path;
        const char *format;
        bool everySize;
    };
    QList<Work> work;
    for (Picture which : pictures)
        work.append({picturePath(which), pictureFormat(which), false});
    for (int id : icons)
        work.append({iconPath(id), "ICO", true});
    for (const Work &w : work)
        m_pending << w.path;
    m_decoder = std::thread([this, work] {
        for (const Work &w : work) {
            QList<QImage> images = decode(w.path, w.format, w.everySize);
            const std::lock_guard lock(m_mutex);
            m_images.insert(w.path, std::move(images));
            m_pending.removeOne(w.path);
            m_decoded.notify_all();
        }
    });
    decodingAhead = this;
}

DecodingAhead::~DecodingAhead()
{
    decodingAhead = nullptr;
    if (m_decoder.joinable())
        m_decoder.join();
}

QList<QImage> DecodingAhead::take(const QString &path)
{
    std::unique_lock lock(m_mutex);
    m_decoded.wait(lock, [&] { return !m_pending.contains(path); });
    return m_images.take(path);
}

} // namespace resources
