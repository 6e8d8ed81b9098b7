#include "sound/BankChannel.h"

#include <QFileInfo>
#include <QUrl>

namespace velta {

void BankChannel::create() {
    if (player_) {
        return;
    }
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
}

void BankChannel::play(const QString& path) {
    close();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return;
    }
    create();
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}

void BankChannel::close() {
    if (player_) {
        player_->stop();
        player_->setSource(QUrl());
    }
}

QString BankChannel::playing() const {
    // A file the codecs do not take leaves the player "playing" with an error, in silence.
    if (!player_ || player_->playbackState() != QMediaPlayer::PlayingState ||
        player_->error() != QMediaPlayer::NoError) {
        return {};
    }
    return player_->source().toLocalFile();
}

}  // namespace velta
