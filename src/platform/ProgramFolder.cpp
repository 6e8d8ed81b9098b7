#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace velta {

namespace {
struct Folders {
    QString shipped;
    QString show;
    bool showWritable = true;
};

Folders& folders() {
    static Folders f;
    return f;
}

QString folderWithSlash(const QString& folder) {
    QString f = normalizeSeparators(QDir(folder).absolutePath());
    if (!f.endsWith('/')) {
        f += '/';
    }
    return f;
}

QString below(const QString& folder, const QString& relative) {
    QString rel = normalizeSeparators(relative);
    while (rel.startsWith('/')) {
        rel.remove(0, 1);
    }
    return folder + rel;
}

// The folder of the executable, with a trailing '/'.
QString shippedFolder() {
    if (folders().shipped.isEmpty()) {
        setProgramFolder(QDir::currentPath());
    }
    return folders().shipped;
}
}  // namespace

void setProgramFolder(const QString& folder) {
    folders().shipped = folderWithSlash(folder);
    folders().show = folders().shipped;
    folders().showWritable = true;
}

void setShowFolder(const QString& folder, bool writable) {
    folders().show = folderWithSlash(folder);
    folders().showWritable = writable;
}

QString programFolder() {
    shippedFolder();
    return folders().show;
}

QString programPath(const QString& relative) {
    return below(programFolder(), relative);
}

QString mediaPath(const QString& relative) {
    const QString own = programPath(relative);
    return QFileInfo::exists(own) ? own : below(shippedFolder(), relative);
}

bool savesAllowed(const QString& path) {
    if (folders().showWritable) {
        return true;
    }
    const QString full =
        normalizeSeparators(QFileInfo(normalizeSeparators(path)).absoluteFilePath());
    return !full.startsWith(programFolder());
}

QString currentDirPath(const QString& relative) {
    return QDir::current().filePath(normalizeSeparators(relative));
}

QString portablePath(const QString& stored) {
    const QString inShow = portablePath(stored, programFolder());
    return inShow != stored || programFolder() == shippedFolder()
               ? inShow
               : portablePath(stored, shippedFolder());
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
