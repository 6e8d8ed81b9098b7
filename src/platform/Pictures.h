#pragma once

#include <QString>

namespace velta {

// Why a picture file cannot be shown, in the operator's words ("no es una imagen", "el
// archivo está incompleto o dañado" ...); empty when it reads whole.
QString pictureProblem(const QString& path);

}  // namespace velta
