#include "PackFixtures.h"

#include <archive.h>
#include <archive_entry.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>

namespace velta::test {

void writeZip(const QString& file, const QList<ZipEntry>& entries) {
    struct archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    archive_write_set_bytes_in_last_block(zip, 1);
    if (archive_write_open_filename(zip, QFile::encodeName(file).constData()) != ARCHIVE_OK) {
        qFatal("Cannot write %s", qPrintable(file));
    }
    for (const ZipEntry& e : entries) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, e.path.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        switch (e.kind) {
            case ZipEntry::Kind::File:
                archive_entry_set_filetype(entry, AE_IFREG);
                archive_entry_set_size(entry, e.zeros > 0 ? e.zeros : e.content.size());
                break;
            case ZipEntry::Kind::Folder:
                archive_entry_set_filetype(entry, AE_IFDIR);
                archive_entry_set_perm(entry, 0755);
                break;
            case ZipEntry::Kind::Symlink:
                archive_entry_set_filetype(entry, AE_IFLNK);
                archive_entry_set_symlink_utf8(entry, e.target.toUtf8().constData());
                break;
        }
        if (archive_write_header(zip, entry) != ARCHIVE_OK) {
            qFatal("Cannot write the entry %s: %s", qPrintable(e.path), archive_error_string(zip));
        }
        if (e.zeros > 0) {
            const QByteArray block(1024 * 1024, '\0');
            for (qint64 left = e.zeros; left > 0; left -= block.size()) {
                archive_write_data(zip, block.constData(),
                                   size_t(qMin<qint64>(left, block.size())));
            }
        } else if (!e.content.isEmpty()) {
            archive_write_data(zip, e.content.constData(), size_t(e.content.size()));
        }
        archive_entry_free(entry);
    }
    archive_write_close(zip);
    archive_write_free(zip);
}

QByteArray manifestFor(const QString& id, const QString& version, const QString& entry,
                       const PackFiles& files) {
    QByteArray manifest = (id + "\r\n" + version + "\r\n" + entry + "\r\n").toLatin1();
    for (auto f = files.begin(); f != files.end(); ++f) {
        manifest += f.key().toLatin1() + '|' + QByteArray::number(f.value().size()) + '|' +
                    QCryptographicHash::hash(f.value(), QCryptographicHash::Sha256).toHex() +
                    "\r\n";
    }
    return manifest;
}

PackFiles fiestaPack(const QString& version) {
    QImage cover(320, 180, QImage::Format_RGB32);
    cover.fill(QColor(0, 104, 71));
    QByteArray jpg;
    QBuffer buffer(&jpg);
    buffer.open(QIODevice::WriteOnly);
    cover.save(&buffer, "JPG");
    const QString v = version;
    return {
        {QStringLiteral("Fiesta Patria.vlt"),
         "Fiesta Patria\r\nRed\r\nWhite\r\nImagen/Titles/fiesta.jpg\r\nMexicanos\r\nPatriotas\r\n"
         "RondasFiestaPatria\r\n"},
        {QStringLiteral("Fiesta.bso"),
         "Audio/EFFECTS/Grito.mp3\r\n\r\nAudio\\EFFECTS\\Mariachi.wav\r\n"},
        {QStringLiteral("Imagen/Titles/fiesta.jpg"), jpg},
        {QStringLiteral("Imagen/Frames/marco-patrio.jpg"), jpg},
        {QStringLiteral("Audio/EFFECTS/Grito.mp3"), QByteArray(3000, 'g')},
        {QStringLiteral("Audio/EFFECTS/Mariachi.wav"), QByteArray(2000, 'm')},
        {QStringLiteral("RondasFiestaPatria/ronda1.txt"),
         ("Menciona un platillo de septiembre " + v +
          "\r\nPozole,40\r\nChiles en nogada,30\r\n"
          "Tostadas,15\r\nTamales,10\r\nEnchiladas,5")
             .toLatin1()},
        {QStringLiteral("RondasFiestaPatria/ronda2.txt"),
         ("Algo que se grita el 15 " + v + "\r\nViva,60\r\nMéxico,40").toLatin1()},
        {QStringLiteral("RondasFiestaPatria/xronda1.txt"),
         ("Un color de la bandera " + v + "\r\nVerde,50\r\nRojo,50").toLatin1()},
    };
}

QList<ZipEntry> packEntries(const PackFiles& files, const QString& version) {
    QList<ZipEntry> entries{
        {QStringLiteral("tema.txt"),
         manifestFor(QStringLiteral("fiesta-patria"), version,
                     QStringLiteral("Fiesta Patria (15 de septiembre)"), files)}};
    for (auto f = files.begin(); f != files.end(); ++f) {
        entries << ZipEntry{f.key(), f.value()};
    }
    return entries;
}

QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (it.fileInfo().isDir() && !it.fileInfo().isSymLink()) {
            files[relative] = "<carpeta>";
            continue;
        }
        QFile file(path);
        files[relative] = file.open(QIODevice::ReadOnly) ? file.readAll() : "<ilegible>";
    }
    return files;
}

}  // namespace velta::test
