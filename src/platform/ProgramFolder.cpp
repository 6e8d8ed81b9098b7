#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

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

QString portablePath(const QString& stored, const QString& folder) {
    const QString path = normalizeSeparators(stored);
    if (path.isEmpty() || QFileInfo::exists(path)) {
        return stored;
    }
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    for (int i = parts.size() - 1; i >= 0; --i) {
        const QString& part = parts[i];
        const bool known = part.compare(QLatin1String("Imagen"), Qt::CaseInsensitive) == 0 ||
                           part.compare(QLatin1String("Audio"), Qt::CaseInsensitive) == 0 ||
                           part.startsWith(QLatin1String("Rondas"), Qt::CaseInsensitive);
        if (!known) {
            continue;
        }
        QString base = normalizeSeparators(folder);
        if (!base.endsWith('/')) {
            base += '/';
        }
        const QString local = base + parts.mid(i).join('/');
        if (QFileInfo::exists(local)) {
            return local;
        }
    }
    return stored;
}

QString normalizeSeparators(const QString& path) {
    QString p = path;
    p.replace('\\', '/');
    return p;
}

}  // namespace velta
