#pragma once

#include <QString>
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

// The message an operator reads, in Spanish, for any error a command raised.
QString errorMessage(const std::exception& error);

}  // namespace velta
