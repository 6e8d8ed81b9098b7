#include "art/RawPicture.h"

#include <QResource>
#include <QtEndian>

namespace velta::art {

namespace {

constexpr char kMagic[] = "VRAW";
constexpr qsizetype kHeader = 4 + 4 * 4;

quint32 field(const uchar* data, int index) {
    return qFromLittleEndian<quint32>(data + 4 + 4 * index);
}

}  // namespace

QByteArray rawPicture(const QImage& image) {
    QByteArray bytes(kMagic, 4);
    for (const quint32 value :
         {quint32(image.width()), quint32(image.height()), quint32(image.format()),
          quint32(image.bytesPerLine())}) {
        const quint32 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), 4);
    }
    bytes.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return bytes;
}

QImage rawPictureView(const uchar* data, qsizetype size) {
    if (!data || size < kHeader || qstrncmp(reinterpret_cast<const char*>(data), kMagic, 4) != 0) {
        return {};
    }
    const quint32 width = field(data, 0);
    const quint32 height = field(data, 1);
    const quint32 format = field(data, 2);
    const quint32 bytesPerLine = field(data, 3);
    if (width == 0 || height == 0 || width > 16384 || height > 16384 || format == 0 ||
        format >= QImage::NImageFormats || bytesPerLine < width ||
        qsizetype(bytesPerLine) * height != size - kHeader) {
        return {};
    }
    return QImage(data + kHeader, int(width), int(height), qsizetype(bytesPerLine),
                  QImage::Format(format));
}

QImage rawPictureResource(const QString& path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
        return {};
    }
    return rawPictureView(resource.data(), resource.size());
}

}  // namespace velta::art
