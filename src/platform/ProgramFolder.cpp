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
        QStringList tail = parts.mid(i);
        // Windows names folders in any case: the program folder's own spelling is meant.
        for (const QLatin1String own : {QLatin1String("Imagen"), QLatin1String("Audio")}) {
            if (tail[0].compare(own, Qt::CaseInsensitive) == 0) {
                tail[0] = own;
            }
        }
        if (tail[0] != QLatin1String("Imagen") && tail[0] != QLatin1String("Audio") &&
            !tail[0].startsWith(QLatin1String("Rondas"), Qt::CaseInsensitive)) {
            continue;
        }
        QString base = normalizeSeparators(folder);
        if (!base.endsWith('/')) {
            base += '/';
        }
        const QString local = base + tail.join('/');
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
