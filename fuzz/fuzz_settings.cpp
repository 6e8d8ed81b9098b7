// The settings files, read as at start-up from a program folder of the fuzzer's own: the
// input, parted at its NUL bytes, becomes Titulo.txt, Equipos.txt, Portada.txt, Marco.txt
// and RondaDir.txt. Reading never throws, and what it reports stays short.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

#include "FuzzCheck.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "platform/ProgramFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir program;
    static const bool ready = [] {
        velta::setProgramFolder(program.path());
        return QDir(program.path()).mkpath(QStringLiteral("Config"));
    }();
    FUZZ_CHECK(ready);
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    const QString files[] = {velta::kTitleFile, velta::kTeamsFile, velta::kCoverFile,
                             velta::kFrameFile, velta::kRoundFolderFile};
    for (int i = 0; i < 5; ++i) {
        QFile file(velta::programPath(files[i]));
        if (i < parts.size()) {
            FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(parts[i]) == parts[i].size());
        } else {
            file.remove();
        }
    }

    QStringList unreadable;
    const velta::GameSettings settings = velta::readGameSettings(&unreadable);
    FUZZ_CHECK(unreadable.isEmpty());
    FUZZ_CHECK(!settings.roundFolderPath.isEmpty());
    for (const QString& colour : {settings.titleColour, settings.backgroundColour}) {
        if (!velta::lookupColour(colour)) {
            const QString message =
                velta::unknownColourMessage(velta::programPath(velta::kTitleFile), 2, colour);
            FUZZ_CHECK(message.size() < 200 + velta::programFolder().size());
        }
    }
    return 0;
}
