#include "platform/ProgramFolder.h"

#include <QDir>

namespace velta {

namespace {
QString& folderSlot() {
    static QString folder;
    return folder;
}
}  // namespace

void SetProgramFolder(const QString& folder) {
    QString f = NormalizeSeparators(QDir(folder).absolutePath());
    if (!f.endsWith('/')) {
        f += '/';
    }
    folderSlot() = f;
}

QString ProgramFolder() {
    if (folderSlot().isEmpty()) {
        SetProgramFolder(QDir::currentPath());
    }
    return folderSlot();
}

QString ProgramPath(const QString& relative) {
    QString rel = NormalizeSeparators(relative);
    while (rel.startsWith('/')) {
        rel.remove(0, 1);
    }
    return ProgramFolder() + rel;
}

QString CurrentDirPath(const QString& relative) {
    return QDir::current().filePath(NormalizeSeparators(relative));
}

QString NormalizeSeparators(const QString& path) {
    QString p = path;
    p.replace('\\', '/');
    return p;
}

}  // namespace velta
