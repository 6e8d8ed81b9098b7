#include "packs/PackFormat.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QRegularExpression>

#include "content/TextFiles.h"
#include "platform/Errors.h"

namespace velta {

namespace {

const QStringList kPictureTypes{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                QStringLiteral("bmp"), QStringLiteral("png")};
// The types the bank's file dialog offers.
const QStringList kSoundTypes{QStringLiteral("mp3"), QStringLiteral("wav"),  QStringLiteral("wma"),
                              QStringLiteral("mid"), QStringLiteral("midi"), QStringLiteral("aac"),
                              QStringLiteral("ac3")};

bool same(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

QString suffixOf(const QString& name) {
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

// A name Windows can hold as a plain file: no reserved character, no trailing dot or space,
// and not one of the device names, which open a device whatever their extension.
bool validName(const QString& name) {
    static const QRegularExpression device(
        QStringLiteral("^(con|prn|aux|nul|com[0-9]|lpt[0-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (name.isEmpty() || name.endsWith('.') || name.endsWith(' ') ||
        device.match(name).hasMatch()) {
        return false;
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"|?*").contains(c)) {
            return false;
        }
    }
    return true;
}

bool isRoundsFolderName(const QString& name) {
    return name.size() > 6 && name.startsWith(QLatin1String("Rondas"), Qt::CaseInsensitive);
}

}  // namespace

PackError::PackError(const QString& message) : std::runtime_error(message.toStdString()) {}

qint64 PackManifest::totalSize() const {
    qint64 total = 0;
    for (const PackFile& f : files) {
        total += f.size;
    }
    return total;
}

const PackFile* PackManifest::find(const QString& path) const {
    for (const PackFile& f : files) {
        if (f.path.compare(path, Qt::CaseInsensitive) == 0) {
            return &f;
        }
    }
    return nullptr;
}

QStringList manifestLines(const PackManifest& m) {
    QStringList lines{m.id, m.version, m.entry};
    for (const PackFile& f : m.files) {
        lines << QStringLiteral("%1|%2|%3").arg(f.path).arg(f.size).arg(QLatin1String(f.sha256));
    }
    return lines;
}

PackManifest parseManifest(const QStringList& lines) {
    const auto wrong = [](int line, const QString& why) {
        return PackError(
            QStringLiteral("la línea %1 del manifiesto %2 %3").arg(line).arg(kManifestName, why));
    };
    PackManifest m;
    m.id = trimControl(lines.value(0));
    m.version = trimControl(lines.value(1));
    m.entry = trimControl(lines.value(2));
    if (!isPackId(m.id)) {
        throw wrong(1, QStringLiteral("no es un identificador de tema válido"));
    }
    if (m.version.isEmpty()) {
        throw wrong(2, QStringLiteral("no da la versión"));
    }
    if (m.entry.isEmpty()) {
        throw wrong(3, QStringLiteral("no da el nombre del tema"));
    }
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    qint64 total = 0;
    for (int i = 3; i < lines.size(); ++i) {
        if (trimControl(lines[i]).isEmpty()) {
            continue;
        }
        const int hashBar = lines[i].lastIndexOf('|');
        const int sizeBar = hashBar > 0 ? lines[i].lastIndexOf('|', hashBar - 1) : -1;
        if (sizeBar <= 0) {
            throw wrong(i + 1, QStringLiteral("no tiene la forma ruta|tamaño|sha256"));
        }
        PackFile f;
        const QString size = lines[i].mid(sizeBar + 1, hashBar - sizeBar - 1);
        f.sha256 = lines[i].mid(hashBar + 1).trimmed().toLower().toLatin1();
        bool ok = false;
        f.size = size.trimmed().toLongLong(&ok);
        if (!ok || !isDigits(size) || f.size < 0 ||
            !hex.match(QString::fromLatin1(f.sha256)).hasMatch()) {
            throw wrong(i + 1, QStringLiteral("no da un tamaño y un SHA-256 válidos"));
        }
        const PackEntryPath entry = checkEntryPath(lines[i].left(sizeBar), false);
        if (entry.place == PackPlace::Manifest) {
            throw wrong(i + 1, QStringLiteral("nombra al propio manifiesto"));
        }
        if (m.find(entry.path)) {
            throw wrong(i + 1, QStringLiteral("repite \"%1\"").arg(entry.path));
        }
        f.path = entry.path;
        total += f.size;
        if (m.files.size() >= kMostPackEntries || total > kLargestUnpackedPack) {
            throw PackError(
                QStringLiteral("el paquete descomprimido pasaría de %1 archivos o de %2")
                    .arg(kMostPackEntries)
                    .arg(shownSize(kLargestUnpackedPack)));
        }
        m.files << f;
    }
    return m;
}

PackEntryPath checkEntryPath(const QString& raw, bool isFolder) {
    const auto refuse = [&raw](const QString& why) {
        return PackError(QStringLiteral("la entrada \"%1\" %2").arg(elided(raw, 80), why));
    };
    QString path = raw;
    path.replace('\\', '/');
    if (path.startsWith('/') || (path.size() > 1 && path[1] == ':')) {
        throw refuse(QStringLiteral("es una ruta absoluta"));
    }
    QStringList parts;
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            throw refuse(QStringLiteral("sale de la carpeta del programa"));
        }
        if (part == QLatin1String(".")) {
            continue;
        }
        if (!validName(part)) {
            throw refuse(QStringLiteral("tiene un nombre que no es válido"));
        }
        parts << part;
    }
    const auto outside = [&refuse] {
        return refuse(QStringLiteral("está fuera de las carpetas que un tema puede traer"));
    };
    const auto ofType = [&refuse](const QString& name, const QStringList& types) {
        if (!types.contains(suffixOf(name))) {
            throw refuse(QStringLiteral("no es de un tipo que un tema puede traer"));
        }
    };
    if (parts.isEmpty()) {
        throw outside();
    }
    const QString& first = parts[0];
    if (parts.size() == 1 && !isFolder) {
        if (same(first, "tema.txt")) {
            return {kManifestName, PackPlace::Manifest};
        }
        const QString type = suffixOf(first);
        if (type == QLatin1String("vlt") || type == QLatin1String("bso")) {
            return {first, type == QLatin1String("vlt") ? PackPlace::Version : PackPlace::Bank};
        }
        throw outside();
    }
    if (isRoundsFolderName(first)) {
        if (parts.size() == 1) {
            return {first, PackPlace::Folder};
        }
        if (parts.size() == 2 && !isFolder) {
            ofType(parts[1], {QStringLiteral("txt")});
            return {parts.join('/'), PackPlace::Rounds};
        }
        throw outside();
    }
    struct Area {
        const char* top;
        const char* sub;
        PackPlace place;
        const QStringList& types;
    };
    const Area areas[] = {{"Imagen", "Titles", PackPlace::Cover, kPictureTypes},
                          {"Imagen", "Frames", PackPlace::Frame, kPictureTypes},
                          {"Audio", "EFFECTS", PackPlace::Sound, kSoundTypes}};
    for (const Area& area : areas) {
        if (!same(first, area.top)) {
            continue;
        }
        if (parts.size() == 1 && isFolder) {
            return {QLatin1String(area.top), PackPlace::Folder};
        }
        if (!same(parts[1], area.sub)) {
            continue;
        }
        // The program's own spelling: the folder a Windows show already has is meant.
        const QString folder =
            QStringLiteral("%1/%2").arg(QLatin1String(area.top), QLatin1String(area.sub));
        if (parts.size() == 2 && isFolder) {
            return {folder, PackPlace::Folder};
        }
        if (parts.size() == 3 && !isFolder) {
            ofType(parts[2], area.types);
            return {folder + '/' + parts[2], area.place};
        }
    }
    throw outside();
}

bool isPackId(const QString& id) {
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9][a-z0-9-]{0,39}$"));
    return pattern.match(id).hasMatch();
}

QString topFolder(const QString& path) {
    return path.section('/', 0, 0);
}

bool isReservedName(const QString& relative) {
    static const QRegularExpression names(
        QStringLiteral(
            "^(Imagen/Titles/portada[0-9]*\\.jpg|Audio/EFFECTS/(Aplausos|Abucheos)\\.mp3)$"),
        QRegularExpression::CaseInsensitiveOption);
    QString path = relative;
    path.replace('\\', '/');
    return names.match(path).hasMatch();
}

QByteArray sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString shownSize(qint64 bytes) {
    const QLocale spanish(QLocale::Spanish);
    if (bytes >= 1024 * 1024) {
        return QStringLiteral("%1 MB").arg(spanish.toString(bytes / (1024.0 * 1024.0), 'f', 1));
    }
    if (bytes >= 1024) {
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    }
    return QStringLiteral("%1 bytes").arg(bytes);
}

}  // namespace velta
