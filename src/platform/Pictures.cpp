#include "platform/Pictures.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/ProgramFolder.h"

namespace velta {

QString pictureProblem(const QString& path) {
    const QString file = normalizeSeparators(path);
    if (!QFileInfo(file).isFile()) {
        return QStringLiteral("no se encontró el archivo");
    }
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    if (!reader.read().isNull()) {
        return {};
    }
    switch (reader.error()) {
        case QImageReader::UnsupportedFormatError:
            return QStringLiteral("no es una imagen JPEG ni BMP");
        case QImageReader::DeviceError:
            return QStringLiteral("no se pudo abrir el archivo");
        case QImageReader::FileNotFoundError:
            return QStringLiteral("no se encontró el archivo");
        default:
            return QStringLiteral("el archivo está incompleto o dañado");
    }
}

}  // namespace velta
