#pragma once

#include <QByteArray>
#include <QImage>

namespace velta::art {

// Pictures carried as their pixels, for the cover screen's built-in pictures: no decoder and
// no image plugin stands between the program's start and its first paint. The bytes are
// "VRAW", then the width, the height, the QImage format and the bytes per line as 32-bit
// little-endian numbers, then the rows.
QByteArray rawPicture(const QImage& image);
// A picture over such bytes, which must outlive it (a resource compiled into the program
// and stored uncompressed); null when they are not a whole picture.
QImage rawPictureView(const uchar* data, qsizetype size);
// Such a picture compiled into the program, by its resource path; null when there is none.
QImage rawPictureResource(const QString& path);

}  // namespace velta::art
