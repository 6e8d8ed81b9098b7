#include "platform/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>

#include "platform/ProgramFolder.h"

namespace velta {

std::optional<QByteArray> readPictureFile(const QString& path, QString* why) {
    const QString file = normalizeSeparators(path);
    const QFileInfo info(file);
    const auto refuse = [why](const QString& reason) -> std::optional<QByteArray> {
        if (why) {
            *why = reason;
        }
        return std::nullopt;
    };
    if (!info.exists()) {
        return refuse(QStringLiteral("el archivo no existe"));
    }
    if (info.isDir()) {
        return refuse(QStringLiteral("es una carpeta, no un archivo de imagen"));
    }
    if (!info.isFile()) {
        return refuse(QStringLiteral("no es un archivo de imagen común"));
    }
    const auto tooLarge = [&refuse](qint64 size) {
        return refuse(QStringLiteral("el archivo mide %1 MB y el máximo es %2 MB")
                          .arg((size + 1024 * 1024 - 1) / (1024 * 1024))
                          .arg(kLargestPictureFile / (1024 * 1024)));
    };
    if (info.size() > kLargestPictureFile) {
        return tooLarge(info.size());
    }
    QFile in(file);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly)) {
        const bool denied = errno == EACCES || errno == EPERM || !info.isReadable();
        return refuse(denied ? QStringLiteral("no hay permiso para leer el archivo")
                             : QStringLiteral("no se pudo abrir el archivo"));
    }
    QByteArray bytes = in.read(kLargestPictureFile + 1);
    if (in.error() != QFileDevice::NoError) {
        return refuse(QStringLiteral("no se pudo leer el archivo"));
    }
    if (bytes.size() > kLargestPictureFile) {
        return tooLarge(in.size());
    }
    return bytes;
}

QString pictureProblem(const QString& path) {
    QString why;
    std::optional<QByteArray> bytes = readPictureFile(path, &why);
    if (!bytes) {
        return why;
    }
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.read().isNull()) {
        return {};
    }
    switch (reader.error()) {
        case QImageReader::UnsupportedFormatError:
            return QStringLiteral("no es una imagen JPEG ni BMP");
        default:
            return QStringLiteral("el archivo está incompleto o dañado");
    }
}

}  // namespace velta
