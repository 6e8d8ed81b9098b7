#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>

namespace velta {

// A text that should hold a whole number does not.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(const QString& text);
    QString text() const { return text_; }

  private:
    QString text_;
};

// A file that exists could not be read, or a file could not be written.
class FileError : public std::runtime_error {
  public:
    explicit FileError(const QString& message);
};

// The one conversion of text to a whole number. Spaces around the digits are allowed,
// anything else (empty text, letters, decimals, overflow) throws ConversionError.
int toInt(const QString& text);
// The same for the numbers that grow with the game (pot, scores, awards).
qint64 toInt64(const QString& text);

// Whether the text, spaces around it aside, is a whole number without a sign, however
// many digits it has.
bool isDigits(const QString& text);

// The message an operator reads, in Spanish, for any error a command raised.
QString errorMessage(const std::exception& error);

// A value quoted in a message: a long one (a line of garbage, a number of a thousand
// digits) is cut to its first characters and an ellipsis.
QString elided(const QString& value, int longest = 40);

// A message that another one quotes inside a sentence of its own, without its final full
// stop.
QString withoutFinalStop(const QString& message);

// A path named in a message, with the platform's separators; a long one keeps its start
// and its end, where the file's name is.
QString shownPath(const QString& path);

}  // namespace velta
