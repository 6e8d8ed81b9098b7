#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace velta::test {

// Archives written with libarchive itself, entry by entry, so a test can craft what no honest
// pack tool writes: links, paths that climb out, entries that grow past what they declare.
struct ZipEntry {
    enum class Kind { File, Folder, Symlink };
    ZipEntry() = default;
    ZipEntry(QString path, QByteArray content, Kind kind = Kind::File, QString target = {})
        : path(std::move(path)),
          content(std::move(content)),
          kind(kind),
          target(std::move(target)) {}
    QString path;
    QByteArray content;
    Kind kind = Kind::File;
    QString target;    // of a link
    qint64 zeros = 0;  // a file of this many zero bytes, written in blocks (a size bomb)
};
void writeZip(const QString& file, const QList<ZipEntry>& entries);

// A pack's files by their path in the pack, the manifest left out.
using PackFiles = QMap<QString, QByteArray>;

// "tema.txt" for the files: each with its size and SHA-256.
QByteArray manifestFor(const QString& id, const QString& version, const QString& entry,
                       const PackFiles& files);

// A complete pack, "fiesta-patria": a version whose cover and rounds folder
// "RondasFiestaPatria" (two questions and a tie-breaker) it brings, a frame, and a bank of two
// sounds. `version` changes the questions' text, so two versions differ.
PackFiles fiestaPack(const QString& version = QStringLiteral("1"));
QList<ZipEntry> packEntries(const PackFiles& files, const QString& version = QStringLiteral("1"));

// Every file and folder below `folder`, hidden ones included: the path with its bytes, a
// folder as "<carpeta>". Two snapshots equal means nothing was added, changed or removed.
QMap<QString, QByteArray> snapshot(const QString& folder);

}  // namespace velta::test
