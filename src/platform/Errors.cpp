#include "platform/Errors.h"

#include <QDir>
#include <algorithm>
#include <limits>
#include <optional>

namespace velta {

namespace {

// Digits with an optional sign, spaces around them allowed; nothing when the text is not
// such a number or does not fit 64 bits.
std::optional<qint64> wholeNumber(const QString& text) {
    const QString t = text.trimmed();
    const int first = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
    if (t.size() <= first) {
        return std::nullopt;
    }
    for (int i = first; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qint64 value = t.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(
          QStringLiteral("'%1' no es un valor entero válido").arg(elided(text)).toStdString()),
      text_(text) {}

FileError::FileError(const QString& message) : std::runtime_error(message.toStdString()) {}

int toInt(const QString& text) {
    const std::optional<qint64> value = wholeNumber(text);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max()) {
        throw ConversionError(text);
    }
    return static_cast<int>(*value);
}

qint64 toInt64(const QString& text) {
    const std::optional<qint64> value = wholeNumber(text);
    if (!value) {
        throw ConversionError(text);
    }
    return *value;
}

bool isDigits(const QString& text) {
    const QString t = text.trimmed();
    return !t.isEmpty() &&
           std::all_of(t.begin(), t.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

QString errorMessage(const std::exception& error) {
    return QString::fromStdString(error.what());
}

QString elided(const QString& value, int longest) {
    if (value.size() <= longest) {
        return value;
    }
    return value.left(longest - 1) + QChar(0x2026);
}

QString withoutFinalStop(const QString& message) {
    QString text = message.trimmed();
    while (text.endsWith('.') && !text.endsWith(QLatin1String("..."))) {
        text.chop(1);
    }
    return text;
}

QString shownPath(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    const int longest = 160;
    if (native.size() <= longest) {
        return native;
    }
    return native.left(60) + QChar(0x2026) + native.right(longest - 61);
}

}  // namespace velta
