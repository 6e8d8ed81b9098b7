#include "packs/Catalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "packs/PackFormat.h"

namespace velta {

namespace {

const QString kPacks = QStringLiteral("temas");

QJsonDocument readDocument(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.isObject() || !document.object().value(kPacks).isArray()) {
        throw PackError(
            QStringLiteral("no es un catálogo de temas (se espera un objeto JSON con "
                           "la lista \"temas\")"));
    }
    return document;
}

// JSON in plain ASCII: every other character as its \u escape. The file then reads the same
// as UTF-8 on a web server and as Windows-1252 in a text editor.
QByteArray asciiJson(const QJsonDocument& document) {
    const QString text = QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    QByteArray ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            ascii += char(c.unicode());
        } else {
            ascii += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
        }
    }
    return ascii;
}

}  // namespace

Catalogue parseCatalogue(const QByteArray& json, const QUrl& base) {
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    Catalogue catalogue;
    for (const QJsonValue& value : readDocument(json).object().value(kPacks).toArray()) {
        const QJsonObject o = value.toObject();
        CatalogueEntry e;
        e.id = o.value(QStringLiteral("id")).toString();
        e.entry = o.value(QStringLiteral("nombre")).toString().trimmed();
        e.description = o.value(QStringLiteral("descripcion")).toString().trimmed();
        e.version = o.value(QStringLiteral("version")).toString().trimmed();
        // Converted only once it is known to fit: a size of 1e300 is refused, not wrapped.
        const double size = o.value(QStringLiteral("bytes")).toDouble(-1);
        e.size = size >= 1 && size <= double(kLargestUnpackedPack) ? qint64(size) : 0;
        e.sha256 = o.value(QStringLiteral("sha256")).toString().toLower().toLatin1();
        e.url = base.resolved(QUrl(o.value(QStringLiteral("url")).toString()));
        const bool web =
            e.url.scheme() == QLatin1String("http") || e.url.scheme() == QLatin1String("https");
        if (!isPackId(e.id) || e.entry.isEmpty() || e.version.isEmpty() || e.size < 1 ||
            double(e.size) != size || !hex.match(QString::fromLatin1(e.sha256)).hasMatch() ||
            !e.url.isValid() || !web) {
            ++catalogue.skipped;
            continue;
        }
        catalogue.packs << e;
    }
    return catalogue;
}

QByteArray withCatalogueEntry(const QByteArray& json, const CatalogueEntry& entry,
                              const QString& url) {
    QJsonObject root = json.trimmed().isEmpty() ? QJsonObject{{kPacks, QJsonArray()}}
                                                : readDocument(json).object();
    const QJsonObject added{{QStringLiteral("id"), entry.id},
                            {QStringLiteral("nombre"), entry.entry},
                            {QStringLiteral("descripcion"), entry.description},
                            {QStringLiteral("version"), entry.version},
                            {QStringLiteral("bytes"), double(entry.size)},
                            {QStringLiteral("sha256"), QString::fromLatin1(entry.sha256)},
                            {QStringLiteral("url"), url}};
    QJsonArray packs;
    bool replaced = false;
    for (const QJsonValue& value : root.value(kPacks).toArray()) {
        if (value.toObject().value(QStringLiteral("id")).toString() == entry.id) {
            packs << added;
            replaced = true;
        } else {
            packs << value;
        }
    }
    if (!replaced) {
        packs << added;
    }
    root.insert(kPacks, packs);
    return asciiJson(QJsonDocument(root));
}

PackState packState(const CatalogueEntry& entry, const QList<InstalledPack>& installed) {
    const InstalledPack* pack = findPack(installed, entry.id);
    if (!pack) {
        return PackState::New;
    }
    return isNewerVersion(entry.version, pack->version) ? PackState::Update : PackState::Installed;
}

QString stateText(PackState state) {
    switch (state) {
        case PackState::New:
            return QStringLiteral("Nuevo");
        case PackState::Installed:
            return QStringLiteral("Instalado");
        case PackState::Update:
            return QStringLiteral("Actualización");
    }
    return QString();
}

}  // namespace velta
