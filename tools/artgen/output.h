// Writing pictures in the formats the program carries.
#pragma once

#include <QImage>
#include <QString>

namespace art {

// Each returns an empty string on success, else what went wrong.
QString saveBmp24(const QImage &image, const QString &path);
QString savePng(const QImage &image, const QString &path);
QString saveJpeg(const QImage &image, const QString &path);
// Qt has no GIF writer: ImageMagick's convert turns a PNG into the GIF.
QString saveGif(const QImage &image, const QString &path);
QString saveBytes(const QByteArray &bytes, const QString &path);

} // namespace art
