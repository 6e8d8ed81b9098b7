#include "packs/PackArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDateTime>
#include <QFileInfo>

#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

constexpr qint64 kBlock = 64 * 1024;

la_ssize_t readBlock(struct archive*, void* data, const void** buffer) {
    auto* reader = static_cast<ArchiveReader*>(data);
    QByteArray& block = reader->block();
    const qint64 got = reader->file().read(block.data(), block.size());
    *buffer = block.constData();
    return got < 0 ? ARCHIVE_FATAL : static_cast<la_ssize_t>(got);
}

la_int64_t seekTo(struct archive*, void* data, la_int64_t offset, int whence) {
    QFile& file = static_cast<ArchiveReader*>(data)->file();
    qint64 target = offset;
    if (whence == SEEK_CUR) {
        target += file.pos();
    } else if (whence == SEEK_END) {
        target += file.size();
    }
    if (target < 0 || !file.seek(target)) {
        return ARCHIVE_FATAL;
    }
    return target;
}

la_int64_t skipBytes(struct archive* a, void* data, la_int64_t request) {
    QFile& file = static_cast<ArchiveReader*>(data)->file();
    const qint64 from = file.pos();
    const qint64 to = qMin(file.size(), from + request);
    return seekTo(a, data, to, SEEK_SET) < 0 ? ARCHIVE_FATAL : to - from;
}

la_ssize_t writeBlock(struct archive*, void* data, const void* buffer, size_t length) {
    QSaveFile& output = static_cast<ArchiveWriter*>(data)->output();
    const qint64 written = output.write(static_cast<const char*>(buffer), qint64(length));
    return written == qint64(length) ? static_cast<la_ssize_t>(written) : ARCHIVE_FATAL;
}

QString entryPath(struct archive_entry* entry) {
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) {
        return QString::fromUtf8(utf8);
    }
    if (const char* local = archive_entry_pathname(entry)) {
        return QString::fromLocal8Bit(local);
    }
    return QString();
}

}  // namespace

ArchiveReader::ArchiveReader(const QString& path) : file_(normalizeSeparators(path)) {
    // Opening a fifo would wait for a writer for ever, and a device is no pack.
    const QFileInfo info(file_.fileName());
    if (!info.exists()) {
        throw PackError(QStringLiteral("no existe el archivo \"%1\"").arg(shownPath(path)));
    }
    if (info.isDir()) {
        throw PackError(
            QStringLiteral("\"%1\" es una carpeta, no un archivo").arg(shownPath(path)));
    }
    if (!info.isFile()) {
        throw PackError(QStringLiteral("\"%1\" no es un archivo común").arg(shownPath(path)));
    }
    if (!file_.open(QIODevice::ReadOnly)) {
        throw PackError(QStringLiteral("no se puede abrir el archivo \"%1\"").arg(shownPath(path)));
    }
    block_.resize(kBlock);
    archive_ = archive_read_new();
    archive_read_support_format_zip(archive_);
    archive_read_set_callback_data(archive_, this);
    archive_read_set_read_callback(archive_, readBlock);
    archive_read_set_seek_callback(archive_, seekTo);
    archive_read_set_skip_callback(archive_, skipBytes);
    if (archive_read_open1(archive_) != ARCHIVE_OK) {
        archive_read_free(archive_);  // no destructor runs for an object never made
        throw PackError(QStringLiteral("el archivo \"%1\" no es un archivo zip o está dañado")
                            .arg(QFileInfo(path).fileName()));
    }
}

ArchiveReader::~ArchiveReader() {
    archive_read_free(archive_);
}

bool ArchiveReader::next(ArchiveEntry* out) {
    struct archive_entry* entry = nullptr;
    const int status = archive_read_next_header(archive_, &entry);
    if (status == ARCHIVE_EOF) {
        return false;
    }
    // libarchive's own detail is English and names its internals: the operator reads only
    // what it means.
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        throw PackError(QStringLiteral("el paquete no es un archivo zip o está dañado"));
    }
    out->path = entryPath(entry);
    out->size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1;
    switch (archive_entry_filetype(entry)) {
        case AE_IFREG:
            out->kind =
                archive_entry_hardlink(entry) ? ArchiveEntry::Kind::Link : ArchiveEntry::Kind::File;
            break;
        case AE_IFDIR:
            out->kind = ArchiveEntry::Kind::Folder;
            break;
        case AE_IFLNK:
            out->kind = ArchiveEntry::Kind::Link;
            break;
        default:
            out->kind = ArchiveEntry::Kind::Other;
    }
    return true;
}

qint64 ArchiveReader::read(char* buffer, qint64 most) {
    const la_ssize_t got = archive_read_data(archive_, buffer, size_t(most));
    if (got < 0) {
        throw PackError(QStringLiteral("el paquete está dañado"));
    }
    return got;
}

ArchiveWriter::ArchiveWriter(const QString& path)
    : path_(path), output_(normalizeSeparators(path)) {
    if (!output_.open(QIODevice::WriteOnly)) {
        throw PackError(QStringLiteral("no se puede crear el archivo \"%1\"").arg(shownPath(path)));
    }
    archive_ = archive_write_new();
    archive_write_set_format_zip(archive_);
    archive_write_zip_set_compression_deflate(archive_);
    archive_write_set_format_option(archive_, "zip", "hdrcharset", "UTF-8");
    archive_write_set_bytes_in_last_block(archive_, 1);
    if (archive_write_open2(archive_, this, nullptr, writeBlock, nullptr, nullptr) != ARCHIVE_OK) {
        fail();
    }
}

ArchiveWriter::~ArchiveWriter() {
    archive_write_free(archive_);
}

void ArchiveWriter::fail() const {
    throw PackError(QStringLiteral("no se pudo escribir el archivo \"%1\"").arg(shownPath(path_)));
}

void ArchiveWriter::header(const QString& path, qint64 size) {
    struct archive_entry* entry = archive_entry_new();
    const QByteArray name = path.toUtf8();
    archive_entry_set_pathname_utf8(entry, name.constData());
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, size);
    archive_entry_set_mtime(entry, QDateTime::currentSecsSinceEpoch(), 0);
    const int status = archive_write_header(archive_, entry);
    archive_entry_free(entry);
    if (status != ARCHIVE_OK) {
        fail();
    }
}

void ArchiveWriter::data(const char* bytes, qint64 size) {
    if (size > 0 && archive_write_data(archive_, bytes, size_t(size)) != la_ssize_t(size)) {
        fail();
    }
}

void ArchiveWriter::addFile(const QString& path, const QByteArray& content) {
    header(path, content.size());
    data(content.constData(), content.size());
}

void ArchiveWriter::addFileFrom(const QString& path, const QString& source) {
    QFile in(normalizeSeparators(source));
    if (!in.open(QIODevice::ReadOnly)) {
        throw PackError(QStringLiteral("no se puede leer \"%1\"").arg(shownPath(source)));
    }
    header(path, in.size());
    QByteArray block(kBlock, Qt::Uninitialized);
    qint64 got = 0;
    while ((got = in.read(block.data(), block.size())) > 0) {
        data(block.constData(), got);
    }
    if (got < 0) {
        throw PackError(QStringLiteral("no se puede leer \"%1\"").arg(shownPath(source)));
    }
}

void ArchiveWriter::commit() {
    if (archive_write_close(archive_) != ARCHIVE_OK || !output_.commit()) {
        fail();
    }
}

}  // namespace velta
