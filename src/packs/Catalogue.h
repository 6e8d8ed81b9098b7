#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include "packs/InstalledPacks.h"

namespace velta {

// A catalogue lists the packs a download service offers: a JSON file that any static web
// server can publish,
//   {"temas": [{"id": "boda-clasica", "nombre": "...", "descripcion": "...", "version": "2",
//               "bytes": 123456, "sha256": "<64 hex>", "url": "boda-clasica.zip"}]}
// where "url" may be relative to the catalogue's own address.

// Where the program looks for its catalogue: a path file of the settings store.
inline const QString kCatalogueAddressFile = QStringLiteral("Config\\TemasURL.txt");

// No catalogue of a download service comes near this size.
inline constexpr qint64 kLargestCatalogue = 1024 * 1024;

struct CatalogueEntry {
    QString id;
    QString entry;
    QString description;
    QString version;
    qint64 size = 0;
    QByteArray sha256;  // lower-case hex
    QUrl url;
};

struct Catalogue {
    QList<CatalogueEntry> packs;
    int skipped = 0;  // entries that lack a field or hold a wrong one
};

// Throws PackError when the bytes are no catalogue at all; single wrong entries are counted
// in `skipped` and left out. Addresses are resolved against `base`; only http and https
// addresses are taken.
Catalogue parseCatalogue(const QByteArray& json, const QUrl& base);

// The catalogue with the entry added, or put in place of the one with its id; `url` as it
// should appear in the file. Throws PackError when `json` is not empty and no catalogue.
QByteArray withCatalogueEntry(const QByteArray& json, const CatalogueEntry& entry,
                              const QString& url);

enum class PackState { New, Installed, Update };
PackState packState(const CatalogueEntry& entry, const QList<InstalledPack>& installed);
// "Nuevo", "Instalado", "Actualización".
QString stateText(PackState state);

}  // namespace velta
