#include "packs/PackFormat.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

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

// Characters a message would echo unseen or that would turn the text around it: control
// characters and the marks that set the direction of text.
bool isHiddenCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x061C || u == 0x200E || u == 0x200F ||
           (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

bool hasHiddenCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(), isHiddenCharacter);
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
        if (QStringLiteral("<>:\"|?*").contains(c)) {
            return false;
        }
    }
    return true;
}

// Within kLongestEntryName characters, and within twice as many bytes once in UTF-8, as
// Linux counts a name.
bool shortName(const QString& name) {
    return name.size() <= kLongestEntryName && name.toUtf8().size() <= 2 * kLongestEntryName;
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
    // Both are kept in a line of the record of installed packs, whose fields '|' separates.
    const auto checkText = [&wrong](int line, const QString& text, const QString& field) {
        if (text.isEmpty()) {
            throw wrong(line, QStringLiteral("no da %1").arg(field));
        }
        if (text.size() > kLongestManifestText) {
            throw wrong(line, QStringLiteral("da %1 de más de %2 caracteres")
                                  .arg(field)
                                  .arg(kLongestManifestText));
        }
        if (text.contains('|')) {
            throw wrong(line, QStringLiteral("lleva \"|\" en %1").arg(field));
        }
        if (hasHiddenCharacter(text)) {
            throw wrong(line, QStringLiteral("lleva caracteres de control en %1").arg(field));
        }
    };
    checkText(2, m.version, QStringLiteral("la versión"));
    checkText(3, m.entry, QStringLiteral("el nombre del tema"));
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
        // What the show reads as a text file is never larger than it reads.
        if (f.size > kLargestTextFile &&
            (entry.place == PackPlace::Version || entry.place == PackPlace::Bank ||
             entry.place == PackPlace::Rounds)) {
            throw wrong(i + 1, QStringLiteral("declara \"%1\" de más de %2, más de lo que el "
                                              "programa lee de un archivo de texto")
                                   .arg(entry.path, shownSize(kLargestTextFile)));
        }
        f.path = entry.path;
        total += f.size;
        // The manifest is an entry of the archive too.
        if (m.files.size() + 1 >= kMostPackEntries || total > kLargestUnpackedPack) {
            throw PackError(
                QStringLiteral("el paquete descomprimido pasaría de %1 archivos o de %2")
                    .arg(kMostPackEntries)
                    .arg(shownSize(kLargestUnpackedPack)));
        }
        m.files << f;
    }
    return m;
}

QByteArray manifestBytes(const PackManifest& manifest) {
    return encodeText(manifestLines(manifest).join(QStringLiteral("\r\n")) +
                      QStringLiteral("\r\n"));
}

void checkManifestSize(qint64 bytes) {
    if (bytes > kLargestTextFile) {
        throw PackError(QStringLiteral("el manifiesto %1 pasa de %2")
                            .arg(kManifestName, shownSize(kLargestTextFile)));
    }
}

PackManifest parseManifestBytes(const QByteArray& bytes) {
    checkManifestSize(bytes.size());
    return parseManifest(splitLines(decodeText(bytes)));
}

QString shownEntry(const QString& raw) {
    QString shown = raw;
    std::replace_if(shown.begin(), shown.end(), isHiddenCharacter, QChar('?'));
    return elided(shown, 80);
}

PackEntryPath checkEntryPath(const QString& raw, bool isFolder) {
    const auto refuse = [&raw](const QString& why) {
        return PackError(QStringLiteral("la entrada \"%1\" %2").arg(shownEntry(raw), why));
    };
    if (hasHiddenCharacter(raw)) {
        throw refuse(
            QStringLiteral("lleva caracteres de control o marcas de dirección del "
                           "texto en el nombre"));
    }
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
        if (!shortName(part)) {
            throw refuse(
                QStringLiteral("tiene un nombre de más de %1 caracteres").arg(kLongestEntryName));
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
