#include "platform/Errors.h"

namespace velta {

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(
          QStringLiteral("'%1' no es un valor entero válido").arg(text).toStdString()),
      text_(text) {}

FileError::FileError(const QString& message) : std::runtime_error(message.toStdString()) {}

int toInt(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    int value = 0;
    const int first = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
    if (t.size() > first) {
        bool digitsOnly = true;
        for (int i = first; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9') {
                digitsOnly = false;
                break;
            }
        }
        if (digitsOnly) {
            value = t.toInt(&ok, 10);
        }
    }
    if (!ok) {
        throw ConversionError(text);
    }
    return value;
}

QString errorMessage(const std::exception& error) {
    return QString::fromStdString(error.what());
}

}  // namespace velta
