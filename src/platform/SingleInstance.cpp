#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace velta {

QString SingleInstance::lockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return QDir(folder).filePath(QStringLiteral("VELTA.exe.lock"));
}

bool SingleInstance::acquire() {
    if (lock_) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(lockPath());
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

}  // namespace velta
