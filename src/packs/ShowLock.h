#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velta {

// Held in the program folder while the show runs there, so that an install from the command
// line never changes files under a running show. The operating system releases it when the
// process ends, so a crash never blocks the next install.
class ShowLock {
  public:
    enum class Outcome { Taken, HeldElsewhere, NotWritable };

    static QString lockPath(const QString& programFolder);
    Outcome acquire(const QString& programFolder);
    bool held() const { return lock_ != nullptr; }

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace velta
