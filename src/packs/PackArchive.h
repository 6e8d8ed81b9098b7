#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <memory>

#include "packs/PackFormat.h"

struct archive;

namespace velta {

// Zip archives through libarchive: read entry by entry, written in one atomic step. The
// archive file itself is read and written through Qt, so any file name the desktop allows
// works, and a failed write leaves no half archive behind.

// One entry as its header describes it.
struct ArchiveEntry {
    enum class Kind { File, Folder, Link, Other };
    QString path;  // as written in the archive
    Kind kind = Kind::File;
    qint64 size = -1;  // what the header says; -1 when it does not say
};

class ArchiveReader {
  public:
    // Throws PackError when the file is missing, no plain file (a fifo, a device), cannot be
    // opened or is no zip archive.
    explicit ArchiveReader(const QString& path);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The next entry's header; false after the last. Throws PackError on a damaged archive.
    bool next(ArchiveEntry* entry);
    // Up to `most` bytes of the current entry's content; 0 at its end. Throws PackError when
    // the content is damaged (libarchive checks each entry's CRC).
    qint64 read(char* buffer, qint64 most);

    // For the callbacks libarchive calls.
    QFile& file() { return file_; }
    QByteArray& block() { return block_; }

  private:
    QFile file_;
    QByteArray block_;
    struct archive* archive_ = nullptr;
};

class ArchiveWriter {
  public:
    // Throws PackError when the file cannot be created.
    explicit ArchiveWriter(const QString& path);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void addFile(const QString& path, const QByteArray& content);
    // The content read from a file on disk, in blocks.
    void addFileFrom(const QString& path, const QString& source);
    // Closes the archive and puts it in place; without this the file is never written.
    void commit();

    QSaveFile& output() { return output_; }

  private:
    void header(const QString& path, qint64 size);
    void data(const char* bytes, qint64 size);
    [[noreturn]] void fail() const;

    QString path_;
    QSaveFile output_;
    struct archive* archive_ = nullptr;
};

}  // namespace velta
