#include "app/ShowFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include "editing/GameSettings.h"
#include "packs/ShowLock.h"
#include "platform/Errors.h"
#include "platform/FileMoves.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace velta {

namespace {

// What the program folder keeps for every show instead of copying it.
const QStringList kProgramMedia = {QStringLiteral("Imagen"), QStringLiteral("Audio")};
const QString kCopySuffix = QStringLiteral(".copiando");

bool syncToDisk(QFile& file) {
    if (!file.flush()) {
        return false;
    }
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

// The copy is whole on the disk before it takes the file's name, so a power cut leaves
// only the temporary name, which the next start writes again.
void copyShippedFile(const QString& from, const QString& to) {
    const QString partial = to + kCopySuffix;
    QFile in(from);
    QFile out(partial);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(in.readAll()) != in.size() || !syncToDisk(out)) {
        out.close();
        QFile::remove(partial);
        throw FileError(QStringLiteral("No se pudo copiar el archivo \"%1\"").arg(shownPath(to)));
    }
    out.close();
    if (!fileMoves().move(partial, to)) {
        QFile::remove(partial);
        if (!QFileInfo::exists(to)) {
            throw FileError(
                QStringLiteral("No se pudo copiar el archivo \"%1\"").arg(shownPath(to)));
        }
    }
}

// The folders and files below the program folder that make up a show, as relative paths
// with '/', folders ending in '/'; the files beside the executable are the program's.
QStringList shippedShowEntries(const QString& program) {
    const QDir root(program);
    QStringList entries;
    for (const QFileInfo& top : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (kProgramMedia.contains(top.fileName(), Qt::CaseInsensitive)) {
            continue;
        }
        entries << top.fileName() + '/';
        QDirIterator it(top.filePath(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QString relative = root.relativeFilePath(it.filePath());
            if (it.fileInfo().isDir()) {
                entries << relative + '/';
            } else if (relative != kShippedListFile && !relative.endsWith(kCopySuffix)) {
                entries << relative;
            }
        }
    }
    return entries;
}

bool hasNoFiles(const QString& folder) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    return !it.hasNext();
}

QString withSlash(const QString& folder) {
    QString f = QDir::cleanPath(QDir(folder).absolutePath());
    return f.endsWith('/') ? f : f + '/';
}

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

bool folderWritable(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".velta-prueba-XXXXXX")));
    return probe.open();
}

void fillShowFolder(const QString& program, const QString& show) {
    const QDir target(show);
    const QString listPath = target.filePath(kShippedListFile);
    const bool listed = QFileInfo::exists(listPath);
    QStringList given = readLinesFile(listPath).value_or(QStringList());
    // The list is there before the first file, so the folder counts as filled by the
    // program even when this copy is cut short.
    if (!listed) {
        writeLinesFile(listPath, given);
    }
    const QSet<QString> before(given.begin(), given.end());
    const int known = given.size();
    for (const QString& entry : shippedShowEntries(program)) {
        if (before.contains(entry)) {
            continue;
        }
        given << entry;
        // A folder the operator removed stays removed, with whatever an update adds to it.
        const QString parent = entry.section('/', 0, entry.endsWith('/') ? -3 : -2) + '/';
        if (parent != QLatin1String("/") && before.contains(parent) &&
            !QFileInfo(target.filePath(parent)).isDir()) {
            continue;
        }
        const QString path = target.filePath(entry);
        if (entry.endsWith('/')) {
            if (!QDir().mkpath(path)) {
                throw FileError(
                    QStringLiteral("No se pudo crear la carpeta \"%1\"").arg(shownPath(path)));
            }
        } else if (!QFileInfo::exists(path)) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            copyShippedFile(QDir(program).filePath(entry), path);
        }
    }
    if (given.size() != known) {
        writeLinesFile(listPath, given);
    }
}

ShowPlace placeShow(const QString& programFolder, const QString& requested,
                    const QString& userFolder, ShowLock& lock) {
    const QString program = withSlash(programFolder);
    const bool installed = QFileInfo::exists(program + kInstalledMarkerFile);
    if (requested.isEmpty() && !installed && folderWritable(program)) {
        lock.acquire(program);
        return {program, true, {}};
    }
    ShowPlace place{withSlash(requested.isEmpty() ? userFolder : requested), true, {}};
    const QString shown = QDir::toNativeSeparators(place.folder);
    if (!QDir().mkpath(place.folder)) {
        return {program, false,
                QStringLiteral("No se pudo crear la carpeta del show \"%1\". El show sigue con "
                               "las preguntas que trae el programa, pero no se guardará ningún "
                               "cambio.")
                    .arg(shown)};
    }
    if (!folderWritable(place.folder)) {
        place.writable = false;
        place.problem = QStringLiteral(
                            "No se puede escribir en la carpeta del show \"%1\". El "
                            "show sigue con lo que hay en ella, pero no se guardará "
                            "ningún cambio.")
                            .arg(shown);
        return place;
    }
    if (sameFolder(place.folder, program)) {
        lock.acquire(place.folder);
        return place;
    }
    const bool ours = requested.isEmpty() || hasNoFiles(place.folder) ||
                      QFileInfo::exists(QDir(place.folder).filePath(kShippedListFile));
    if (lock.acquire(place.folder) != ShowLock::Outcome::Taken || !ours) {
        return place;
    }
    try {
        fillShowFolder(program, place.folder);
    } catch (const FileError& e) {
        place.problem = QStringLiteral(
                            "%1. Faltan en la carpeta del show \"%2\" archivos que trae "
                            "el programa; se copiarán en el próximo inicio.")
                            .arg(errorMessage(e), shown);
    }
    return place;
}

}  // namespace velta
