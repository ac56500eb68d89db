#include "resources.h"

#include <QFile>
#include <QImage>
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
    return QPixmap(bitmapPath(id), "BMP");
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
    return QIcon(iconPath(id));
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

QPixmap picture(Picture which)
{
    return QPixmap(picturePath(which));
}

} // namespace resources
