// Text files as every reader sees them: any bytes decode and split into lines without
// harm, and any text the program writes reads back exactly as it was.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = velta::decodeText(bytes);
    for (const QString& line : velta::splitLines(text)) {
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));
    }
    FUZZ_CHECK(velta::decodeText(velta::encodeText(text)) == text);
    const QString trimmed = velta::trimControl(text);
    FUZZ_CHECK(trimmed.isEmpty() ||
               (trimmed.front().unicode() > 0x20 && trimmed.back().unicode() > 0x20));
    return 0;
}
