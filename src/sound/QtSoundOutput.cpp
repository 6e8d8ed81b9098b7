#include "sound/QtSoundOutput.h"

#include <QTimer>

#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

void QtSoundOutput::warmUp() {
    QStringList paths;
    for (const QString& effect : allEffects()) {
        paths.append(programPath(effect));
    }
    QTimer::singleShot(0, &warmUpSteps_, [this, paths] { warmUpStep(paths); });
}

void QtSoundOutput::warmUpStep(QStringList pendingEffects) {
    if (pendingEffects.isEmpty()) {
        bank_.create();
        return;
    }
    preloadEffect(pendingEffects.takeFirst());
    QTimer::singleShot(0, &warmUpSteps_, [this, pendingEffects] { warmUpStep(pendingEffects); });
}

void QtSoundOutput::playEffect(const QString& path, bool loop) {
    effects_.play(path, loop);
}

void QtSoundOutput::stopEffects() {
    effects_.stop();
}

void QtSoundOutput::preloadEffect(const QString& path) {
    effects_.preload(path);
}

void QtSoundOutput::playBankFile(const QString& path) {
    bank_.play(path);
}

void QtSoundOutput::closeBank() {
    bank_.close();
}

}  // namespace velta
