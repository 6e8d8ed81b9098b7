#include "packs/ShowLock.h"

#include <QDir>

namespace velta {

QString ShowLock::lockPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("VELTA.lock"));
}

ShowLock::Outcome ShowLock::acquire(const QString& programFolder) {
    if (lock_) {
        return Outcome::Taken;
    }
    auto lock = std::make_unique<QLockFile>(lockPath(programFolder));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return lock->error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere
                                                           : Outcome::NotWritable;
    }
    lock_ = std::move(lock);
    return Outcome::Taken;
}

}  // namespace velta
