#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace velta {

// A theme pack is one zip archive: the manifest "tema.txt", a game version (".vlt") and
// optionally a sound bank (".bso") at its top, and media and questions only in the four
// places a show keeps them. This file holds the rules every entry is measured against; the
// archive is read elsewhere.

// A pack that cannot be made, read or installed: the operator's words for why.
class PackError : public std::runtime_error {
  public:
    explicit PackError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

inline const QString kManifestName = QStringLiteral("tema.txt");

// A crafted archive must neither fill the disk nor keep the installer busy: a pack holds no
// more entries and unpacks to no more bytes than these.
inline constexpr int kMostPackEntries = 1000;
inline constexpr qint64 kLargestUnpackedPack = 512LL * 1024 * 1024;
// A sound bank has ten slots.
inline constexpr int kMostBankLines = 10;
// The manifest's version and entry text are kept in the record of installed packs, whose
// lines must stay short; a file or folder name leaves room for the "-2" or dated suffix an
// install may give it within what every desktop's file names hold.
inline constexpr int kLongestManifestText = 200;
inline constexpr int kLongestEntryName = 120;

// Where an entry belongs, decided by its path alone.
enum class PackPlace {
    Manifest,  // "tema.txt"
    Version,   // "<name>.vlt" at the top
    Bank,      // "<name>.bso" at the top
    Rounds,    // "Rondas<name>/<file>": the pack's questions
    Cover,     // "Imagen/Titles/<file>"
    Frame,     // "Imagen/Frames/<file>"
    Sound,     // "Audio/EFFECTS/<file>"
    Folder,    // a folder on the way to one of the above
};

// One file the manifest declares: its relative path with '/', its size in bytes and the
// lower-case hex SHA-256 of its content.
struct PackFile {
    QString path;
    qint64 size = 0;
    QByteArray sha256;
};

// The manifest: a line file of the settings store. Line 1 the pack's id, line 2 its version,
// line 3 the entry text the theme lists show, then one line per file, "path|size|sha256"
// ('|' is the one character no file name on either desktop holds).
struct PackManifest {
    QString id;
    QString version;
    QString entry;
    QList<PackFile> files;

    qint64 totalSize() const;
    const PackFile* find(const QString& path) const;
};

QStringList manifestLines(const PackManifest& manifest);
// Throws PackError naming the line that is wrong.
PackManifest parseManifest(const QStringList& lines);
// The manifest as the file "tema.txt" holds it, and read back from those bytes: refused
// when they pass kLargestTextFile, then as parseManifest refuses. The packer measures the
// manifest it writes with the installer's own rules.
QByteArray manifestBytes(const PackManifest& manifest);
PackManifest parseManifestBytes(const QByteArray& bytes);
// Throws PackError when the manifest would pass kLargestTextFile.
void checkManifestSize(qint64 bytes);

// An entry path as written in the archive, checked: '\' read as '/', no absolute path, no
// "..", nothing but the allowed places. Returns the clean relative path and its place, or
// throws PackError naming the entry and why.
struct PackEntryPath {
    QString path;
    PackPlace place;
};
PackEntryPath checkEntryPath(const QString& raw, bool isFolder);

// An entry path as a message shows it: control characters and marks that turn the
// direction of the text are shown as "?", and a long one is cut.
QString shownEntry(const QString& raw);

// A pack id: lower-case letters, digits and '-', 1 to 40 characters.
bool isPackId(const QString& id);

// The rounds folder of a place-Rounds path ("RondasBoda/ronda1.txt" -> "RondasBoda").
QString topFolder(const QString& path);

// Names the program itself writes or ships and a pack never replaces: the operator's own
// cover "portada.jpg", the theme covers "portada<N>.jpg" and the bank's two default sounds.
bool isReservedName(const QString& relative);

// Lower-case hex SHA-256 of bytes.
QByteArray sha256Hex(const QByteArray& bytes);

// Sizes in the operator's words: "12,3 MB", "640 KB", "12 bytes".
QString shownSize(qint64 bytes);

}  // namespace velta
