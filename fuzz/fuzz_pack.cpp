// Theme-pack manifests and the entry paths of a pack archive: a manifest either reads with
// a short message naming what is wrong, or every file it declares is a clean path in one
// of the allowed places; no entry path that passes the check can leave the program folder.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/TextFiles.h"
#include "packs/PackFormat.h"
#include "platform/Errors.h"

namespace {

// A path checked for an archive entry stays below the program folder: relative, '/' only,
// and no part of it is empty, "." or "..".
bool staysInside(const QString& path) {
    if (path.isEmpty() || path.contains(QLatin1Char('\\')) || path.contains(QLatin1Char(':'))) {
        return false;
    }
    for (const QString& part : path.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return false;
        }
    }
    return true;
}

void checkEntry(const QString& raw, bool isFolder) {
    try {
        const velta::PackEntryPath entry = velta::checkEntryPath(raw, isFolder);
        FUZZ_CHECK(staysInside(entry.path));
    } catch (const velta::PackError& e) {
        FUZZ_CHECK(e.message().size() < 600);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = velta::splitLines(velta::decodeText(bytes));
    for (const QString& line : lines) {
        checkEntry(line, false);
        checkEntry(line, true);
    }
    try {
        const velta::PackManifest manifest = velta::parseManifest(lines);
        FUZZ_CHECK(velta::isPackId(manifest.id));
        for (const velta::PackFile& file : manifest.files) {
            FUZZ_CHECK(staysInside(file.path) && file.size >= 0 && file.sha256.size() == 64);
        }
        FUZZ_CHECK(manifest.totalSize() >= 0);
    } catch (const velta::PackError& e) {
        FUZZ_CHECK(e.message().size() < 600);
    }
    return 0;
}
