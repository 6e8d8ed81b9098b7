#include "platform/FileMoves.h"

#include <QDir>
#include <QFile>

namespace velta {

namespace {
FileMoves* current = nullptr;
}

bool FileMoves::move(const QString& from, const QString& to) {
    return QFile::rename(from, to);
}

bool FileMoves::moveFolder(const QString& from, const QString& to) {
    return QDir().rename(from, to);
}

FileMoves& fileMoves() {
    static FileMoves real;
    return current ? *current : real;
}

void setFileMoves(FileMoves* moves) {
    current = moves;
}

}  // namespace velta
