#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace velta {

// No cover, frame or board picture comes near this size.
inline constexpr qint64 kLargestPictureFile = 64 * 1024 * 1024;

// A picture file's bytes, read whole before anything decodes them, and only when the path
// names a plain file no larger than kLargestPictureFile: a fifo or a device named as a
// picture would otherwise hold the program for ever, a huge file for seconds. Nothing when
// it cannot be read, with the reason in the operator's words in `why` ("el archivo no
// existe", "es una carpeta, no un archivo de imagen" ...).
std::optional<QByteArray> readPictureFile(const QString& path, QString* why);

// Why a picture file cannot be shown, in the operator's words ("no es una imagen", "el
// archivo está incompleto o dañado" ...); empty when it reads whole.
QString pictureProblem(const QString& path);

}  // namespace velta
