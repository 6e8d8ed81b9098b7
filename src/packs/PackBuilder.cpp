#include "packs/PackBuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "packs/PackArchive.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// A file to pack: from disk, or bytes made here.
struct Source {
    QString packPath;
    QString file;
    QByteArray bytes;
};

QString fileNameOf(const QString& stored) {
    QString path = normalizeSeparators(stored);
    while (path.endsWith('/')) {
        path.chop(1);
    }
    return path.section('/', -1);
}

QByteArray linesBytes(const QStringList& lines) {
    return encodeText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray fileSha(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        throw PackError(QStringLiteral("no se puede leer \"%1\"").arg(shownPath(path)));
    }
    return hash.result().toHex();
}

class Builder {
  public:
    explicit Builder(QString folder) : folder_(std::move(folder)) {}

    // The file a stored path means on this computer.
    QString local(const QString& stored) const {
        const QString path = normalizeSeparators(stored);
        const bool absolute = QDir::isAbsolutePath(path) || (path.size() > 1 && path[1] == ':');
        return normalizeSeparators(portablePath(absolute ? path : folder_ + '/' + path, folder_));
    }

    // Adds a file under `area` by its own name; the same file twice is packed once, two
    // different files of one name get "-2", "-3" ... Returns its path in the pack.
    QString addFile(const QString& stored, const QString& area, const QString& what) {
        const QString file = local(stored);
        if (!QFileInfo(file).isFile()) {
            throw PackError(QStringLiteral("no se encuentra %1 \"%2\"")
                                .arg(what, QDir::toNativeSeparators(stored)));
        }
        const QString name = fileNameOf(stored);
        for (int n = 1;; ++n) {
            const int dot = name.lastIndexOf('.');
            const QString candidate =
                n == 1 ? name
                       : QStringLiteral("%1-%2%3").arg(name.left(dot)).arg(n).arg(name.mid(dot));
            const QString packPath = checkEntryPath(area + '/' + candidate, false).path;
            const Source* same = find(packPath);
            if (!same) {
                sources_.append({packPath, file, QByteArray()});
                return packPath;
            }
            if (same->file == file) {
                return packPath;
            }
        }
    }

    void addBytes(const QString& packPath, const QByteArray& bytes) {
        sources_.append({checkEntryPath(packPath, false).path, QString(), bytes});
    }

    const QList<Source>& sources() const { return sources_; }

  private:
    const Source* find(const QString& packPath) const {
        for (const Source& s : sources_) {
            if (s.packPath.compare(packPath, Qt::CaseInsensitive) == 0) {
                return &s;
            }
        }
        return nullptr;
    }

    QString folder_;
    QList<Source> sources_;
};

QString defaultProgramFolder(const QString& versionFile) {
    const QDir dir = QFileInfo(normalizeSeparators(versionFile)).absoluteDir();
    if (dir.dirName().compare(QLatin1String("Config"), Qt::CaseInsensitive) == 0) {
        return QFileInfo(dir.absolutePath()).absolutePath();
    }
    return dir.absolutePath();
}

// "Rondas" + the folder's name when it does not start so ("Rondas" alone is the show's
// default folder, which a pack never replaces).
QString roundsFolderName(const QString& folder, const QString& id) {
    const QString name = fileNameOf(folder);
    if (name.size() > 6 && name.startsWith(QLatin1String("Rondas"), Qt::CaseInsensitive)) {
        return name;
    }
    QString tail;
    for (const QString& word : id.split('-', Qt::SkipEmptyParts)) {
        tail += word.left(1).toUpper() + word.mid(1);
    }
    return QStringLiteral("Rondas") + tail;
}

}  // namespace

QString packIdFrom(const QString& name) {
    QString id;
    for (const QChar c : name.normalized(QString::NormalizationForm_D).toLower()) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            id += c;
        } else if (c.isLetterOrNumber() || c.isSpace() || c == '-' || c == '_' || c == '.') {
            if (c.unicode() < 0x80 && !id.isEmpty() && !id.endsWith('-')) {
                id += '-';
            }
        }
    }
    while (id.endsWith('-')) {
        id.chop(1);
    }
    id = id.left(40);
    while (id.endsWith('-')) {
        id.chop(1);
    }
    return id.isEmpty() ? QStringLiteral("tema") : id;
}

CatalogueEntry buildPack(const PackRequest& request) {
    const std::optional<QStringList> read = readLinesFile(request.versionFile);
    if (!read) {
        throw PackError(
            QStringLiteral("no existe la versión \"%1\"").arg(shownPath(request.versionFile)));
    }
    QStringList version = read->mid(0, 7);
    while (version.size() < 7) {
        version << QString();
    }
    const QString id = request.id.isEmpty()
                           ? packIdFrom(QFileInfo(request.versionFile).completeBaseName())
                           : request.id;
    if (!isPackId(id)) {
        throw PackError(QStringLiteral("\"%1\" no sirve como identificador: use minúsculas, "
                                       "cifras y guiones")
                            .arg(id));
    }
    if (trimControl(version[0]).isEmpty()) {
        throw PackError(QStringLiteral("la versión no tiene título (línea 1)"));
    }
    if (version[6].isEmpty()) {
        throw PackError(QStringLiteral("la versión no nombra una carpeta de rondas (línea 7)"));
    }
    Builder builder(request.programFolder.isEmpty() ? defaultProgramFolder(request.versionFile)
                                                    : normalizeSeparators(request.programFolder));
    if (!version[3].isEmpty()) {
        version[3] = builder.addFile(version[3], QStringLiteral("Imagen/Titles"),
                                     QStringLiteral("la portada"));
    }
    const QString roundsFolder = builder.local(version[6]);
    const QString rounds = roundsFolderName(version[6], id);
    const QStringList roundFiles =
        QDir(roundsFolder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (roundFiles.isEmpty()) {
        throw PackError(QStringLiteral("la carpeta de rondas \"%1\" no tiene preguntas")
                            .arg(QDir::toNativeSeparators(version[6])));
    }
    for (const QString& name : roundFiles) {
        builder.addFile(roundsFolder + '/' + name, rounds, QStringLiteral("la pregunta"));
    }
    version[6] = rounds;
    if (!request.frameFile.isEmpty()) {
        builder.addFile(request.frameFile, QStringLiteral("Imagen/Frames"),
                        QStringLiteral("el marco"));
    }
    if (!request.bankFile.isEmpty()) {
        const std::optional<QStringList> bank = readLinesFile(request.bankFile);
        if (!bank) {
            throw PackError(
                QStringLiteral("no existe el banco \"%1\"").arg(shownPath(request.bankFile)));
        }
        QStringList lines = bank->mid(0, kMostBankLines);
        for (int k = 0; k < lines.size(); ++k) {
            if (!lines[k].isEmpty()) {
                lines[k] = builder.addFile(
                    lines[k], QStringLiteral("Audio/EFFECTS"),
                    QStringLiteral("el sonido de la línea %1 del banco").arg(k + 1));
            }
        }
        builder.addBytes(fileNameOf(request.bankFile), linesBytes(lines));
    }
    builder.addBytes(fileNameOf(request.versionFile), linesBytes(version));

    PackManifest manifest{id, request.version, trimControl(version[0]), {}};
    for (const Source& s : builder.sources()) {
        const qint64 size = s.file.isEmpty() ? s.bytes.size() : QFileInfo(s.file).size();
        manifest.files << PackFile{s.packPath, size,
                                   s.file.isEmpty() ? sha256Hex(s.bytes) : fileSha(s.file)};
    }
    // Measured as the installer measures it, so a pack made here is never one it refuses.
    const QByteArray manifestFile = manifestBytes(manifest);
    parseManifestBytes(manifestFile);
    ArchiveWriter zip(request.output);
    zip.addFile(kManifestName, manifestFile);
    for (const Source& s : builder.sources()) {
        if (s.file.isEmpty()) {
            zip.addFile(s.packPath, s.bytes);
        } else {
            zip.addFileFrom(s.packPath, s.file);
        }
    }
    zip.commit();

    CatalogueEntry entry;
    entry.id = id;
    entry.entry = manifest.entry;
    entry.description = request.description;
    entry.version = request.version;
    entry.size = QFileInfo(normalizeSeparators(request.output)).size();
    entry.sha256 = fileSha(normalizeSeparators(request.output));
    return entry;
}

}  // namespace velta
