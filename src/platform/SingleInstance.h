#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velta {

// One running copy per user: a lock file named after "VELTA.exe" in the user's runtime
// folder. The operating system releases it when the process ends, so a crash never blocks
// the next start.
class SingleInstance {
  public:
    // The lock file's path: $XDG_RUNTIME_DIR (or the temp folder) + "/VELTA.exe.lock".
    static QString lockPath();

    // Takes the lock; false when another running copy holds it.
    bool acquire();
    bool held() const { return lock_ != nullptr; }

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace velta
