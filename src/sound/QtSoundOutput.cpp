#include "sound/QtSoundOutput.h"

#include <QTimer>

#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

// GStreamer decodes MP3 with libav's decoder or mpg123's, which rank alike; libav's brings
// libavfilter and its speech voices and SVG along, some 30 MB the whole run. The ranks are
// read when Qt Multimedia starts GStreamer, which has not happened when the output is made.
QtSoundOutput::QtSoundOutput() {
    QByteArray ranks = qgetenv("GST_PLUGIN_FEATURE_RANK");
    if (!ranks.contains("mpg123audiodec")) {
        ranks += QByteArray(ranks.isEmpty() ? "" : ",") + "mpg123audiodec:MAX";
        qputenv("GST_PLUGIN_FEATURE_RANK", ranks);
    }
    bank_.setChecked(
        [this](const QString& path, bool playable) { reportBankFile(path, playable); });
}

void QtSoundOutput::warmUp() {
    QStringList paths;
    for (const QString& effect : allEffects()) {
        paths.append(mediaPath(effect));
    }
    QTimer::singleShot(0, &warmUpSteps_, [this, paths] { warmUpStep(paths); });
}

void QtSoundOutput::warmUpStep(QStringList pendingEffects) {
    if (pendingEffects.isEmpty()) {
        bank_.create();
        warmedUp_ = true;
        bank_.keepReady(keptBankFiles_);
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

void QtSoundOutput::keepBankFilesReady(const QStringList& paths) {
    keptBankFiles_ = paths;
    if (warmedUp_) {
        bank_.keepReady(paths);
    }
}

}  // namespace velta
