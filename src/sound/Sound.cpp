#include "sound/Sound.h"

#include "platform/ProgramFolder.h"
#include "sound/SoundEvents.h"
#include "sound/SoundOutput.h"

namespace velta {

void PlayEffect(const QString& relativePath) {
    soundOutput().playEffect(mediaPath(relativePath), false);
    Q_EMIT soundEvents().effectStarted(relativePath, false);
}

void PlayEffectLooped(const QString& relativePath) {
    soundOutput().playEffect(mediaPath(relativePath), true);
    Q_EMIT soundEvents().effectStarted(relativePath, true);
}

void StopEffects() {
    soundOutput().stopEffects();
    Q_EMIT soundEvents().effectsStopped();
}

// Bank files may have been saved on Windows, with '\' between folders.
void PlayBankFile(const QString& fullPath) {
    soundOutput().playBankFile(normalizeSeparators(fullPath));
}

void CloseBank() {
    soundOutput().closeBank();
}

void StopAllSound() {
    StopEffects();
    CloseBank();
}

QStringList allEffects() {
    using namespace effects;
    // The intro first: it is the one needed a second after start.
    return {kIntro, kPresentation, kStart,  kAnswer, kWrong, kRoundWon,
            kBell1, kBell2,        kSecond, kPass,   kBuzzer};
}

}  // namespace velta
