#include "content/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// UTF-16 from another tool may hold half of a surrogate pair: it becomes the replacement
// character, as any other undecodable sequence does, so that what is read can be written
// back unchanged.
QString wellFormed(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QString decodeWith(QStringConverter::Encoding encoding, const QByteArray& bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    return wellFormed(decoder.decode(bytes));
}

QString decodeCp1252(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

QByteArray encodeCp1252(const QString& text, bool* exact) {
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(text);
    *exact = !encoder.hasError() && decodeCp1252(bytes) == text;
    return bytes;
}

// Bytes that a reader would take for a byte-order mark.
bool startsWithMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
           bytes.startsWith("\xFE\xFF");
}

FileError cannotRead(const QString& path, const QString& reason) {
    return FileError(
        QStringLiteral("No se puede leer el archivo \"%1\": %2.").arg(shownPath(path), reason));
}

// The whole file, refused before anything is read when it is no plain file or is larger
// than any file of the show needs to be: a fifo would wait for ever, a huge file for seconds.
QByteArray readBytes(const QString& path) {
    const QString native = normalizeSeparators(path);
    const QFileInfo info(native);
    if (!info.exists()) {
        throw cannotRead(path, QStringLiteral("no existe"));
    }
    if (info.isDir()) {
        throw cannotRead(path, QStringLiteral("es una carpeta, no un archivo"));
    }
    if (!info.isFile()) {
        throw cannotRead(path, QStringLiteral("no es un archivo común"));
    }
    const auto tooLarge = [&path](qint64 size) {
        return cannotRead(path, QStringLiteral("mide %1 KB y el máximo es %2 KB")
                                    .arg((size + 1023) / 1024)
                                    .arg(kLargestTextFile / 1024));
    };
    if (info.size() > kLargestTextFile) {
        throw tooLarge(info.size());
    }
    QFile file(native);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const bool denied = errno == EACCES || errno == EPERM || !QFileInfo(native).isReadable();
        throw cannotRead(path, denied ? QStringLiteral("no hay permiso para leerlo")
                                      : QStringLiteral("no se pudo abrir"));
    }
    const QByteArray bytes = file.read(kLargestTextFile + 1);
    if (file.error() != QFileDevice::NoError) {
        throw cannotRead(path, QStringLiteral("falló la lectura"));
    }
    if (bytes.size() > kLargestTextFile) {
        throw tooLarge(file.size());
    }
    return bytes;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return decodeWith(QStringConverter::Utf8, bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        return decodeWith(QStringConverter::Utf16LE, bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return decodeWith(QStringConverter::Utf16BE, bytes.mid(2));
    }
    return decodeCp1252(bytes);
}

QByteArray encodeText(const QString& text) {
    bool exact = false;
    const QByteArray cp1252 = encodeCp1252(text, &exact);
    // A text that begins like a mark ("ï»¿", "ÿþ", "þÿ") would read back in another encoding.
    if (exact && !startsWithMark(cp1252)) {
        return cp1252;
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    QString current;
    bool pendingLine = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '\r' || c == '\n') {
            lines << current;
            current.clear();
            pendingLine = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
            pendingLine = true;
        }
    }
    if (pendingLine) {
        lines << current;
    }
    return lines;
}

QString readTextFile(const QString& path) {
    return decodeText(readBytes(path));
}

QStringList readTextLines(const QString& path) {
    return splitLines(readTextFile(path));
}

QString readFirstLine(const QString& path) {
    const QString text = readTextFile(path);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            return text.left(i);
        }
    }
    return text;
}

void writeTextFile(const QString& path, const QString& text) {
    const QString native = normalizeSeparators(path);
    if (!savesAllowed(native)) {
        return;
    }
    QSaveFile file(native);
    const QByteArray bytes = encodeText(text);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(
            QStringLiteral("No se pudo guardar el archivo \"%1\"").arg(shownPath(path)));
    }
}

std::optional<QString> readPathFile(const QString& path) {
    if (!QFileInfo::exists(normalizeSeparators(path))) {
        return std::nullopt;
    }
    const QString content = readTextFile(path);
    if (trimControl(content).isEmpty()) {
        return std::nullopt;
    }
    return content;
}

QString trimControl(const QString& text) {
    int start = 0;
    int end = text.size();
    while (start < end && text[start].unicode() <= 0x20) {
        ++start;
    }
    while (end > start && text[end - 1].unicode() <= 0x20) {
        --end;
    }
    return text.mid(start, end - start);
}

}  // namespace velta
