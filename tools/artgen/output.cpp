#include "output.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace art {

QString saveBmp24(const QImage &image, const QString &path)
{
    // An RGB888 image has no alpha and no palette, so the writer keeps it
    // at 24 bits per pixel.
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP"))
        return QStringLiteral("cannot write ") + path;
    return {};
}

QString savePng(const QImage &image, const QString &path)
{
    // Opaque like the program's icon: the tile fills the square.
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "PNG"))
        return QStringLiteral("cannot write ") + path;
    return {};
}

QString saveJpeg(const QImage &image, const QString &path)
{
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "JPEG", 92))
        return QStringLiteral("cannot write ") + path;
    return {};
}

QString saveGif(const QImage &image, const QString &path)
{
    QTemporaryDir temp;
    const QString png = temp.filePath(QStringLiteral("picture.png"));
    if (!temp.isValid() || !image.convertToFormat(QImage::Format_RGB32).save(png, "PNG"))
        return QStringLiteral("cannot write a PNG for ") + path;
    QProcess convert;
    convert.start(QStringLiteral("convert"), {png, QStringLiteral("+dither"), QStringLiteral("-colors"),
                                               QStringLiteral("128"), QStringLiteral("-strip"), path});
    if (!convert.waitForFinished(60000) || convert.exitStatus() != QProcess::NormalExit || convert.exitCode() != 0)
        return QStringLiteral("convert failed for %1: %2").arg(path, QString::fromLocal8Bit(convert.readAllStandardError()));
    return {};
}

QString saveBytes(const QByteArray &bytes, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QStringLiteral("cannot write ") + path;
    return {};
}

} // namespace art
