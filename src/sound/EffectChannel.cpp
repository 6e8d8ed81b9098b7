#include "sound/EffectChannel.h"

#include <QUrl>

namespace velta {

void EffectChannel::preload(const QString& path) {
    std::unique_ptr<QSoundEffect>& effect = loaded_[path];
    // A file that could not be read is tried again on its next use, so an effect put back
    // into the folder while the show runs is heard again.
    if (effect && effect->status() == QSoundEffect::Error) {
        effect.reset();
    }
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
}

void EffectChannel::play(const QString& path, bool loop) {
    stop();
    preload(path);
    // The decoded sound is shared with the loaded effect: ready at once, or, while the file
    // is still loading, played as soon as it is.
    voice_ = std::make_unique<QSoundEffect>();
    voice_->setSource(QUrl::fromLocalFile(path));
    voice_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    voice_->play();
}

// The stopped voice is silent at once; closing its audio stream waits for the event loop,
// so the key that stopped it returns without that cost.
void EffectChannel::stop() {
    if (voice_) {
        voice_->stop();
        voice_.release()->deleteLater();
    }
}

QString EffectChannel::playing() const {
    if (!voice_ || !voice_->isPlaying()) {
        return {};
    }
    return voice_->source().toLocalFile();
}

bool EffectChannel::looping() const {
    return !playing().isEmpty() && voice_->loopCount() == QSoundEffect::Infinite;
}

bool EffectChannel::isLoaded(const QString& path) const {
    const auto found = loaded_.find(path);
    return found != loaded_.end() && found->second->isLoaded();
}

}  // namespace velta
