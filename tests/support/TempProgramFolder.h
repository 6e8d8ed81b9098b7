#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace velta::test {

// A throw-away program folder: becomes the program folder and the current directory for
// the test's lifetime, and helps write the files a test needs.
class TempProgramFolder {
  public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path() const { return dir_.path(); }
    // Full path of a relative path written with '\' or '/'.
    QString file(const QString& relative) const;
    // Writes raw bytes, creating folders as needed.
    void writeBytes(const QString& relative, const QByteArray& bytes) const;
    // Writes a round file the way the program does (Windows-1252, CR LF, no final break).
    void writeRound(int number, const QString& question, const QStringList& answerLines,
                    bool extra = false) const;
    QByteArray readBytes(const QString& relative) const;

  private:
    QTemporaryDir dir_;
    QString previousCurrent_;
};

}  // namespace velta::test
