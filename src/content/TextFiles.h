#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace velta {

// All text files of the program are read and written here.
//
// Reading: a UTF-8 or UTF-16 (LE or BE) byte-order mark decides the encoding, otherwise the
// bytes are Windows-1252. CR LF, lone LF and lone CR all end a line.
// Writing: Windows-1252 without a mark and CR LF line ends. A text that Windows-1252 cannot
// hold is written as UTF-8 with a mark instead, so it reads back exactly. Every write
// replaces the file atomically: a failed write leaves the old file whole and throws. Below
// a show folder that cannot be written nothing is written (the operator was told at start).

QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);

// Lines of a text; a line break at the very end does not start a further, empty line.
QStringList splitLines(const QString& text);

// No card, setting or list of the show comes near this size: a larger file is refused
// unread, so a damaged or wrong file never makes a command wait.
inline constexpr qint64 kLargestTextFile = 64 * 1024;

// Throws FileError, naming the file and the reason, when it is missing, is no plain file,
// is larger than kLargestTextFile or cannot be opened or read.
QString readTextFile(const QString& path);
QStringList readTextLines(const QString& path);

// The first line only. Throws like readTextFile.
QString readFirstLine(const QString& path);

// Replaces the file with the text (already joined with CR LF where it has lines).
void writeTextFile(const QString& path, const QString& text);

// A file that holds one path: nothing when the file is missing or its content is blank
// (only spaces and control characters); otherwise the whole content, untrimmed. Throws
// like readTextFile when the file is there but cannot be read.
std::optional<QString> readPathFile(const QString& path);

// Removes leading and trailing spaces and control characters.
QString trimControl(const QString& text);

}  // namespace velta
