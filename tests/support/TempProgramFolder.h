#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace velta::test {

// A throw-away program folder: becomes the program folder and the current directory for
// the test's lifetime, and helps write the files a test needs. Like a real program folder,
// other users may read it.
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
    // Takes every permission of the file away: only root may read it now (see asShowUser).
    void denyReading(const QString& relative) const;

  private:
    QTemporaryDir dir_;
    QString previousCurrent_;
};

// A line file as the program writes it: Windows-1252, every line ended by CR LF.
QByteArray lineFile(const QStringList& values);

// Runs `step` as a user without special rights, the way the show runs. Root reads every
// file whatever its permissions, so as root the effective user is "nobody" meanwhile.
void asShowUser(const std::function<void()>& step);

}  // namespace velta::test
