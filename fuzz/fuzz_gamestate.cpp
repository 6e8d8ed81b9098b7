// The file of the game in progress: any text is either a snapshot that writes back to the
// same lines, or refused with a short reason.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/TextFiles.h"
#include "game/GameSnapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString problem;
    const auto snapshot =
        velta::GameSnapshot::fromLines(velta::splitLines(velta::decodeText(bytes)), &problem);
    if (!snapshot) {
        FUZZ_CHECK(!problem.isEmpty() && problem.size() < 200);
        return 0;
    }
    const QStringList lines = snapshot->toLines();
    const auto again = velta::GameSnapshot::fromLines(lines, &problem);
    FUZZ_CHECK(again && again->toLines() == lines);
    return 0;
}
