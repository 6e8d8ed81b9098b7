// Catalogues of a download service: any bytes either read as a catalogue, whose every pack
// has an id, a size, a SHA-256 and an http or https address, or are refused with a short
// message.
#include <QByteArray>
#include <QUrl>
#include <cstdint>

#include "FuzzCheck.h"
#include "packs/Catalogue.h"
#include "packs/PackFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const velta::Catalogue catalogue =
            velta::parseCatalogue(bytes, QUrl(QStringLiteral("http://127.0.0.1/temas/c.json")));
        FUZZ_CHECK(catalogue.skipped >= 0);
        for (const velta::CatalogueEntry& pack : catalogue.packs) {
            FUZZ_CHECK(velta::isPackId(pack.id) && pack.size >= 0 && pack.sha256.size() == 64);
            FUZZ_CHECK(pack.url.isValid() && (pack.url.scheme() == QLatin1String("http") ||
                                              pack.url.scheme() == QLatin1String("https")));
        }
    } catch (const velta::PackError& e) {
        FUZZ_CHECK(e.message().size() < 600);
    }
    return 0;
}
