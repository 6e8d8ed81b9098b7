#include "sound/EffectChannel.h"

#include <QUrl>

namespace velta {

void EffectChannel::preload(const QString& path) { effectFor(path); }

void EffectChannel::play(const QString& path, bool loop) {
    stop();
    QSoundEffect& effect = effectFor(path);
    effect.setLoopCount(loop ? QSoundEffect::Infinite : 1);
    effect.play();
    current_ = &effect;
}

void EffectChannel::stop() {
    if (current_) {
        current_->stop();
        current_ = nullptr;
    }
}

QString EffectChannel::playing() const {
    if (!current_ || !current_->isPlaying()) {
        return {};
    }
    return current_->source().toLocalFile();
}

bool EffectChannel::looping() const {
    return !playing().isEmpty() && current_->loopCount() == QSoundEffect::Infinite;
}

bool EffectChannel::isLoaded(const QString& path) const {
    const auto found = effects_.find(path);
    return found != effects_.end() && found->second->isLoaded();
}

QSoundEffect& EffectChannel::effectFor(const QString& path) {
    std::unique_ptr<QSoundEffect>& effect = effects_[path];
    // A file that could not be read is tried again on its next use, so an effect put back
    // into the folder while the show runs is heard again.
    if (effect && effect->status() == QSoundEffect::Error) {
        if (current_ == effect.get()) {
            current_ = nullptr;
        }
        effect.reset();
    }
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return *effect;
}

}  // namespace velta
