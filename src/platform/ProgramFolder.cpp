#include "platform/ProgramFolder.h"

#include <QDir>

namespace velta {

namespace {
QString& folderSlot() {
    static QString folder;
    return folder;
}
}  // namespace

void setProgramFolder(const QString& folder) {
    QString f = normalizeSeparators(QDir(folder).absolutePath());
    if (!f.endsWith('/')) {
        f += '/';
    }
    folderSlot() = f;
}

QString programFolder() {
    if (folderSlot().isEmpty()) {
        setProgramFolder(QDir::currentPath());
    }
    return folderSlot();
}

QString programPath(const QString& relative) {
    QString rel = normalizeSeparators(relative);
    while (rel.startsWith('/')) {
        rel.remove(0, 1);
    }
    return programFolder() + rel;
}

QString currentDirPath(const QString& relative) {
    return QDir::current().filePath(normalizeSeparators(relative));
}

QString normalizeSeparators(const QString& path) {
    QString p = path;
    p.replace('\\', '/');
    return p;
}

}  // namespace velta
