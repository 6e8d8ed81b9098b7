// Game version files: any text read over the settings in force keeps every field it cannot
// apply and names each such line once, briefly; the colours in force stay known colours.
#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/TextFiles.h"
#include "editing/Colours.h"
#include "editing/GameVersions.h"
#include "platform/ProgramFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir program;
    static const bool ready = [] {
        velta::setProgramFolder(program.path());
        return program.isValid();
    }();
    FUZZ_CHECK(ready);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = velta::splitLines(velta::decodeText(bytes));
    const velta::GameSettings current;
    QStringList problems;
    const velta::GameSettings read = velta::readVersion(lines, current, &problems);
    FUZZ_CHECK(problems.size() <= 4);
    for (const QString& problem : problems) {
        FUZZ_CHECK(problem.size() < 400);
    }
    FUZZ_CHECK(velta::lookupColour(read.titleColour) && velta::lookupColour(read.backgroundColour));
    return 0;
}
