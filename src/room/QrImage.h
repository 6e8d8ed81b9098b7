#pragma once

#include <QImage>
#include <QString>

namespace velta {

// The QR code of the text, black modules on white with the quiet zone around, `scale`
// pixels a module. A null image when the text cannot be encoded.
QImage qrImage(const QString& text, int scale);

}  // namespace velta
