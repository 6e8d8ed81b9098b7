#include "packs/PackInstall.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>

#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "packs/PackArchive.h"
#include "platform/Errors.h"
#include "platform/FileMoves.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

constexpr qint64 kBlock = 256 * 1024;

QString key(const QString& path) {
    return path.toLower();
}

// What the first pass over the archive learns: the manifest, and where the version, the bank
// and the questions are.
struct PackContents {
    PackManifest manifest;
    QString versionPath;
    QString bankPath;
    QString roundsFolder;
};

// Links, devices and the like would point outside whatever folder they are written to.
void checkKind(const ArchiveEntry& entry) {
    if (entry.kind == ArchiveEntry::Kind::Link || entry.kind == ArchiveEntry::Kind::Other) {
        throw PackError(QStringLiteral("la entrada \"%1\" es un enlace o un dispositivo, no un "
                                       "archivo")
                            .arg(shownEntry(entry.path)));
    }
}

// The manifest's bytes, never more than a line file of the settings store may hold.
QByteArray readManifest(ArchiveReader& reader) {
    QByteArray bytes;
    QByteArray block(4096, Qt::Uninitialized);
    qint64 got = 0;
    while ((got = reader.read(block.data(), block.size())) > 0) {
        bytes.append(block.constData(), got);
        checkManifestSize(bytes.size());
    }
    return bytes;
}

PackContents scanPack(const QString& archive, const CatalogueEntry* offered) {
    ArchiveReader reader(archive);
    ArchiveEntry entry;
    QSet<QString> seen;
    QList<QPair<QString, qint64>> files;
    std::optional<QByteArray> manifestBytes;
    int count = 0;
    while (reader.next(&entry)) {
        if (++count > kMostPackEntries) {
            throw PackError(
                QStringLiteral("el paquete tiene más de %1 entradas").arg(kMostPackEntries));
        }
        checkKind(entry);
        const PackEntryPath clean =
            checkEntryPath(entry.path, entry.kind == ArchiveEntry::Kind::Folder);
        if (clean.place == PackPlace::Folder) {
            continue;
        }
        if (seen.contains(key(clean.path))) {
            throw PackError(QStringLiteral("la entrada \"%1\" está repetida").arg(clean.path));
        }
        seen.insert(key(clean.path));
        if (clean.place == PackPlace::Manifest) {
            manifestBytes = readManifest(reader);
        } else {
            files.append({clean.path, entry.size});
        }
    }
    if (!manifestBytes) {
        throw PackError(QStringLiteral("el paquete no trae el manifiesto %1").arg(kManifestName));
    }
    PackContents contents;
    contents.manifest = parseManifestBytes(*manifestBytes);
    // A download is what its catalogue entry offers, or its row would never tell the truth.
    if (offered &&
        (contents.manifest.id != offered->id || contents.manifest.version != offered->version)) {
        throw PackError(QStringLiteral("el paquete trae el tema \"%1\" en su versión %2, y el "
                                       "catálogo ofrece \"%3\" en su versión %4")
                            .arg(contents.manifest.id, contents.manifest.version, offered->id,
                                 offered->version));
    }
    for (const auto& [path, size] : files) {
        const PackFile* declared = contents.manifest.find(path);
        if (!declared) {
            throw PackError(QStringLiteral("la entrada \"%1\" no está en el manifiesto").arg(path));
        }
        if (size > declared->size) {
            throw PackError(QStringLiteral("la entrada \"%1\" ocupa más de lo que declara el "
                                           "manifiesto")
                                .arg(path));
        }
    }
    QSet<QString> versions;
    QSet<QString> banks;
    QSet<QString> roundsFolders;
    for (const PackFile& f : contents.manifest.files) {
        if (!seen.contains(key(f.path))) {
            throw PackError(QStringLiteral("falta en el paquete \"%1\", que el manifiesto declara")
                                .arg(f.path));
        }
        const PackPlace place = checkEntryPath(f.path, false).place;
        if (place == PackPlace::Version) {
            versions.insert(f.path);
            contents.versionPath = f.path;
        } else if (place == PackPlace::Bank) {
            banks.insert(f.path);
            contents.bankPath = f.path;
        } else if (place == PackPlace::Rounds) {
            roundsFolders.insert(key(topFolder(f.path)));
            contents.roundsFolder = topFolder(f.path);
        }
    }
    if (versions.size() != 1) {
        throw PackError(
            QStringLiteral("el paquete debe traer una versión del juego (.vlt), y "
                           "solo una"));
    }
    if (banks.size() > 1) {
        throw PackError(QStringLiteral("el paquete trae más de un banco de sonidos (.bso)"));
    }
    if (roundsFolders.size() != 1) {
        throw PackError(QStringLiteral("el paquete debe traer una carpeta de rondas, y solo una"));
    }
    return contents;
}

// Second pass: every file into the staging folder, never a byte more than the manifest
// declares, and each one checked against its size and SHA-256.
void unpackPack(const QString& archive, const PackManifest& manifest, const QString& into,
                const PackProgress& progress, const std::atomic<bool>* cancel) {
    ArchiveReader reader(archive);
    ArchiveEntry entry;
    QSet<QString> unpacked;
    const qint64 total = manifest.totalSize();
    qint64 done = 0;
    QByteArray block(kBlock, Qt::Uninitialized);
    const auto cannotWrite = [] {
        return PackError(QStringLiteral("no se puede escribir en la carpeta del programa"));
    };
    if (progress) {
        progress(0, total);
    }
    while (reader.next(&entry)) {
        checkKind(entry);
        const PackEntryPath clean =
            checkEntryPath(entry.path, entry.kind == ArchiveEntry::Kind::Folder);
        if (clean.place == PackPlace::Folder || clean.place == PackPlace::Manifest) {
            continue;
        }
        const PackFile* declared = manifest.find(clean.path);
        if (!declared || unpacked.contains(key(clean.path))) {
            throw PackError(QStringLiteral("el paquete cambió mientras se instalaba"));
        }
        const QString target = into + '/' + declared->path;
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            throw cannotWrite();
        }
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly)) {
            throw cannotWrite();
        }
        QCryptographicHash hash(QCryptographicHash::Sha256);
        qint64 size = 0;
        qint64 got = 0;
        while ((got = reader.read(block.data(), block.size())) > 0) {
            size += got;
            if (size > declared->size) {
                throw PackError(QStringLiteral("la entrada \"%1\" ocupa más de lo que declara el "
                                               "manifiesto")
                                    .arg(declared->path));
            }
            hash.addData(QByteArrayView(block.constData(), got));
            if (out.write(block.constData(), got) != got) {
                throw cannotWrite();
            }
            done += got;
            if (progress) {
                progress(done, total);
            }
            if (cancel && cancel->load()) {
                throw PackError(QStringLiteral("se canceló la instalación"));
            }
        }
        if (size != declared->size || hash.result().toHex() != declared->sha256) {
            throw PackError(QStringLiteral("el archivo \"%1\" no coincide con el manifiesto "
                                           "(tamaño o SHA-256)")
                                .arg(declared->path));
        }
        unpacked.insert(key(clean.path));
    }
    if (unpacked.size() != manifest.files.size()) {
        throw PackError(QStringLiteral("el paquete cambió mientras se instalaba"));
    }
}

QByteArray fileSha(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return QByteArray();
    }
    return hash.result().toHex();
}

bool sameFile(const QString& path, const PackFile& f) {
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() == f.size && fileSha(path) == f.sha256;
}

// The name a folder already holds for `name` in any case: where Linux sees two files,
// Windows sees one.
QString takenName(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                       QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return QString();
}

// "name.ext", then "name-2.ext", "name-3.ext" ...
QString numberedName(const QString& name, int n) {
    if (n == 1) {
        return name;
    }
    const int dot = name.lastIndexOf('.');
    return dot <= 0 ? QStringLiteral("%1-%2").arg(name).arg(n)
                    : QStringLiteral("%1-%2%3").arg(name.left(dot)).arg(n).arg(name.mid(dot));
}

// Everything the placement has done, taken back in reverse order unless it completes.
class Placement {
  public:
    ~Placement() {
        if (!complete_) {
            std::for_each(undo_.rbegin(), undo_.rend(), [](const auto& step) { step(); });
        }
    }
    void done(std::function<void()> undo) { undo_.push_back(std::move(undo)); }
    void complete() { complete_ = true; }

    // Creates the folder and whatever is missing above it.
    void makeFolder(const QString& folder) {
        QStringList missing;
        for (QString f = QDir::cleanPath(folder); !QFileInfo::exists(f);
             f = QFileInfo(f).absolutePath()) {
            missing.prepend(f);
        }
        for (const QString& f : missing) {
            if (!QDir().mkdir(f)) {
                throw PackError(
                    QStringLiteral("no se pudo crear la carpeta \"%1\"").arg(shownPath(f)));
            }
            done([f] { QDir().rmdir(f); });
        }
    }

    void moveFile(const QString& from, const QString& to) {
        if (!fileMoves().move(from, to)) {
            throw PackError(
                QStringLiteral("no se pudo poner en su lugar \"%1\"").arg(shownPath(to)));
        }
        done([to] { QFile::remove(to); });
    }

    void moveFolder(const QString& from, const QString& to) {
        if (!fileMoves().moveFolder(from, to)) {
            throw PackError(
                QStringLiteral("no se pudo mover la carpeta \"%1\"").arg(shownPath(from)));
        }
        done([from, to] { fileMoves().moveFolder(to, from); });
    }

    // Writes the lines under the first free name after `name` in the folder, or finds them
    // already there; returns the file's full path.
    QString writeLines(const QString& folder, const QString& name, const QStringList& lines) {
        for (int n = 1;; ++n) {
            const QString candidate = numberedName(name, n);
            const QString taken = takenName(folder, candidate);
            if (taken.isEmpty()) {
                const QString path = folder + '/' + candidate;
                writeLinesFile(path, lines);
                done([path] { QFile::remove(path); });
                return path;
            }
            try {
                if (readLinesFile(folder + '/' + taken) == lines) {
                    return folder + '/' + taken;
                }
            } catch (const FileError&) {
                // Unreadable: a file of the operator's, and not the pack's.
            }
        }
    }

  private:
    std::vector<std::function<void()>> undo_;
    bool complete_ = false;
};

// A rounds folder that holds exactly the pack's questions, byte for byte, is the pack's own
// from an earlier install and stays as it is.
bool sameFolder(const QString& folder, const PackManifest& manifest, const QString& roundsFolder) {
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                       QDir::Hidden | QDir::System);
    int files = 0;
    for (const PackFile& f : manifest.files) {
        if (key(topFolder(f.path)) != key(roundsFolder)) {
            continue;
        }
        ++files;
        const QString taken = takenName(folder, f.path.section('/', 1));
        if (taken.isEmpty() || !sameFile(folder + '/' + taken, f)) {
            return false;
        }
    }
    return entries.size() == files;
}

QString datedName(const QString& roundsFolder) {
    const QString dated =
        roundsFolder + QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd"));
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? dated : QStringLiteral("%1-%2").arg(dated).arg(n);
        if (takenName(programFolder(), candidate).isEmpty()) {
            return candidate;
        }
    }
}

const QString kStagingPattern = QStringLiteral(".instalando-tema-*");

// A folder's name among the staging folders, which the next install removes.
QString asideName() {
    return QStringLiteral(".instalando-tema-%1")
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
}

// A staging folder left by an install that was cut short (a power cut, a killed process)
// holds nothing that was put in place. A link of that name is removed itself and never
// followed: what it points to is no part of the program folder.
void removeStaleStaging() {
    for (const QFileInfo& stale :
         QDir(programFolder())
             .entryInfoList({kStagingPattern}, QDir::AllEntries | QDir::Hidden | QDir::System |
                                                   QDir::NoDotAndDotDot)) {
        if (stale.isSymLink() || !stale.isDir()) {
            QFile::remove(stale.filePath());
        } else {
            QDir(stale.filePath()).removeRecursively();
        }
    }
}

// The two moves of the rounds folders, the operator's one aside under its dated name and the
// pack's into its place, are kept in a journal from before the first until the install is in
// place: its first line the rounds folder's name, its second the dated one (empty when there
// was no folder to keep).
QString movesJournalPath() {
    return programPath(QStringLiteral(".instalando-tema.txt"));
}

// A rounds folder's own name, one level below the program folder and nothing else.
bool isRoundsName(const QString& name) {
    try {
        const PackEntryPath entry = checkEntryPath(name, true);
        return entry.place == PackPlace::Folder && entry.path == name &&
               name.startsWith(QLatin1String("Rondas"), Qt::CaseInsensitive) && name.size() > 6;
    } catch (const PackError&) {
        return false;
    }
}

// The journal, written before the first folder move and removed when this goes: after the
// placement has taken its moves back when the install fails.
class MovesJournal {
  public:
    MovesJournal(const QString& rounds, const QString& kept) {
        writeTextFile(movesJournalPath(), rounds + QStringLiteral("\r\n") + kept);
    }
    ~MovesJournal() { QFile::remove(movesJournalPath()); }
    MovesJournal(const MovesJournal&) = delete;
    MovesJournal& operator=(const MovesJournal&) = delete;
};

// A line of the pack's version or bank that must name a file the pack brings.
QString packFileOf(const QString& line, PackPlace place, const PackManifest& manifest) {
    try {
        const PackEntryPath entry = checkEntryPath(line, false);
        if (entry.place == place && manifest.find(entry.path)) {
            return manifest.find(entry.path)->path;
        }
    } catch (const PackError&) {
        // Named below with the line it comes from.
    }
    return QString();
}

}  // namespace

QString PackInstallResult::note() const {
    QStringList parts{
        QStringLiteral("Tema \"%1\" (versión %2) instalado.").arg(pack.entry, pack.version)};
    if (!keptFolder.isEmpty()) {
        parts << QStringLiteral("Las preguntas que ya había en \"%1\" se guardaron en \"%2\".")
                     .arg(shownPath(roundFolder), shownPath(keptFolder));
    }
    for (const QString& r : renamed) {
        parts << r;
    }
    return parts.join('\n');
}

QString installFailedMessage(const QString& name, const QString& reason) {
    return QStringLiteral("No se instaló el tema \"%1\": %2. No se cambió nada.")
        .arg(name, withoutFinalStop(reason));
}

bool finishCutShortInstall() {
    const QString path = movesJournalPath();
    if (!QFileInfo::exists(path)) {
        return true;
    }
    QStringList lines;
    try {
        lines = readTextLines(path);
    } catch (const FileError&) {
        return false;
    }
    const QString rounds = lines.value(0);
    const QString kept = lines.value(1);
    // A journal this program did not write moves nothing.
    if (lines.size() > 2 || !isRoundsName(rounds) || (!kept.isEmpty() && !isRoundsName(kept))) {
        return QFile::remove(path);
    }
    const QFileInfo keptFolder(programPath(kept));
    const bool keptThere = !kept.isEmpty() && keptFolder.isDir() && !keptFolder.isSymLink();
    if (kept.isEmpty() || keptThere) {
        // The pack's questions may have come in: they go aside with the staging folders.
        const QString taken = takenName(programFolder(), rounds);
        if (!taken.isEmpty() &&
            !fileMoves().moveFolder(programPath(taken), programPath(asideName()))) {
            return false;
        }
    }
    if (keptThere && !fileMoves().moveFolder(keptFolder.filePath(), programPath(rounds))) {
        return false;
    }
    return QFile::remove(path);
}

PackInstallResult installPack(const QString& archive, const PackProgress& progress,
                              const std::atomic<bool>* cancel, const CatalogueEntry* offered) {
    const PackContents contents = scanPack(archive, offered);
    const PackManifest& manifest = contents.manifest;

    if (!finishCutShortInstall()) {
        throw PackError(QStringLiteral("no se pudo deshacer la instalación anterior, que quedó a "
                                       "medias (\"%1\")")
                            .arg(shownPath(movesJournalPath())));
    }
    removeStaleStaging();
    QTemporaryDir staging(programPath(QStringLiteral(".instalando-tema-XXXXXX")));
    if (!staging.isValid()) {
        throw PackError(QStringLiteral("no se puede escribir en la carpeta del programa"));
    }
    unpackPack(archive, manifest, staging.path(), progress, cancel);

    QStringList version =
        readLinesFile(staging.filePath(contents.versionPath)).value_or(QStringList());
    while (version.size() < 7) {
        version << QString();
    }
    version = version.mid(0, 7);
    const QString cover =
        version[3].isEmpty() ? QString() : packFileOf(version[3], PackPlace::Cover, manifest);
    if (!version[3].isEmpty() && cover.isEmpty()) {
        throw PackError(QStringLiteral("la línea 4 de la versión \"%1\" no nombra una portada "
                                       "del paquete")
                            .arg(contents.versionPath));
    }
    if (version[6].compare(contents.roundsFolder, Qt::CaseInsensitive) != 0) {
        throw PackError(QStringLiteral("la línea 7 de la versión \"%1\" no nombra la carpeta de "
                                       "rondas del paquete, \"%2\"")
                            .arg(contents.versionPath, contents.roundsFolder));
    }
    QStringList bank;
    if (!contents.bankPath.isEmpty()) {
        bank = readLinesFile(staging.filePath(contents.bankPath)).value_or(QStringList());
        if (bank.size() > kMostBankLines) {
            throw PackError(QStringLiteral("el banco \"%1\" tiene más de %2 líneas")
                                .arg(contents.bankPath)
                                .arg(kMostBankLines));
        }
        for (int k = 0; k < bank.size(); ++k) {
            if (!bank[k].isEmpty() && packFileOf(bank[k], PackPlace::Sound, manifest).isEmpty()) {
                throw PackError(QStringLiteral("la línea %1 del banco \"%2\" no nombra un sonido "
                                               "del paquete")
                                    .arg(k + 1)
                                    .arg(contents.bankPath));
            }
        }
    }

    PackInstallResult result;
    std::optional<MovesJournal> journal;  // goes after the placement has taken back its moves
    Placement placement;
    QHash<QString, QString> installedAs;  // pack path -> full path on this computer
    QSet<QString> claimed;
    for (const PackFile& f : manifest.files) {
        const PackPlace place = checkEntryPath(f.path, false).place;
        if (place != PackPlace::Cover && place != PackPlace::Frame && place != PackPlace::Sound) {
            continue;
        }
        const QString folderPart = f.path.section('/', 0, -2);
        const QString folder = programPath(folderPart);
        const QString name = f.path.section('/', -1);
        for (int n = 1;; ++n) {
            const QString candidate = numberedName(name, n);
            const QString full = folder + '/' + candidate;
            if (claimed.contains(key(full))) {
                continue;
            }
            const QString taken = takenName(folder, candidate);
            if (!taken.isEmpty() && sameFile(folder + '/' + taken, f)) {
                installedAs[f.path] = folder + '/' + taken;
                claimed.insert(key(full));
                break;
            }
            if (!taken.isEmpty() || isReservedName(folderPart + '/' + candidate)) {
                continue;
            }
            placement.makeFolder(folder);
            placement.moveFile(staging.filePath(f.path), full);
            installedAs[f.path] = full;
            claimed.insert(key(full));
            if (n > 1) {
                result.renamed << QStringLiteral(
                                      "\"%1\" se instaló como \"%2\": su nombre ya "
                                      "estaba ocupado.")
                                      .arg(QDir::toNativeSeparators(f.path), candidate);
            }
            break;
        }
    }

    const QString rounds = contents.roundsFolder;
    const QString existing = takenName(programFolder(), rounds);
    result.roundFolder = programPath(rounds);
    if (!existing.isEmpty() && sameFolder(programPath(existing), manifest, rounds)) {
        result.roundFolder = programPath(existing);
    } else {
        const QString kept = existing.isEmpty() ? QString() : datedName(rounds);
        journal.emplace(existing.isEmpty() ? rounds : existing, kept);
        if (!existing.isEmpty()) {
            result.keptFolder = programPath(kept);
            placement.moveFolder(programPath(existing), result.keptFolder);
        }
        placement.moveFolder(staging.filePath(rounds), result.roundFolder);
    }

    const QString config = programPath(QStringLiteral("Config"));
    placement.makeFolder(config);
    version[3] = cover.isEmpty() ? QString() : installedAs.value(cover);
    version[6] = result.roundFolder;
    result.pack = {manifest.id,    manifest.version,
                   manifest.entry, placement.writeLines(config, contents.versionPath, version),
                   QString(),      QString()};
    for (const PackFile& f : manifest.files) {
        if (checkEntryPath(f.path, false).place == PackPlace::Frame) {
            result.pack.frameFile = installedAs.value(f.path);
            break;
        }
    }
    if (!contents.bankPath.isEmpty()) {
        for (QString& line : bank) {
            if (!line.isEmpty()) {
                line = installedAs.value(packFileOf(line, PackPlace::Sound, manifest));
            }
        }
        while (bank.size() < kMostBankLines) {
            bank << QString();
        }
        result.pack.bankFile = placement.writeLines(config, contents.bankPath, bank);
    }
    // Everything the version names is in place: from here on, a cut leaves a whole install
    // that only lacks its record, and installing the pack again writes that.
    journal.reset();
    recordInstalledPack(result.pack);
    placement.complete();
    return result;
}

}  // namespace velta
