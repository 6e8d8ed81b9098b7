#include "sound/BankChannel.h"

#include <QAudioBuffer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace velta {

namespace {

// Long enough for the decoder of the rest, started by the key, to catch up with time to spare.
constexpr qint64 kStartMs = 1000;

}  // namespace

BankChannel::~BankChannel() {
    if (startDecoder_) {
        startDecoder_->stop();
    }
}

void BankChannel::create() {
    if (!created_) {
        QAudioDecoder warmUp;
        QMediaDevices::defaultAudioOutput();
        created_ = true;
    }
}

void BankChannel::keepReady(const QStringList& paths) {
    for (auto kept = kept_.begin(); kept != kept_.end();) {
        kept = paths.contains(kept->first) ? std::next(kept) : kept_.erase(kept);
    }
    for (const QString& path : paths) {
        if (kept_.count(path) == 0 && QFileInfo(path).isFile()) {
            kept_.emplace(path, Kept{});
            waiting_ << path;
        }
    }
    if (!decoding_.isEmpty() && kept_.count(decoding_) == 0) {
        dropStartDecoder();
    }
    if (decoding_.isEmpty()) {
        decodeNextStart();
    }
}

// One file at a time, so a bank loaded whole never makes ten decoders at once.
void BankChannel::decodeNextStart() {
    while (!waiting_.isEmpty()) {
        const QString path = waiting_.takeFirst();
        if (kept_.count(path) == 0 || kept_[path].decoded) {
            continue;
        }
        decoding_ = path;
        startDecoder_ = std::make_unique<QAudioDecoder>();
        startDecoder_->setAudioFormat(BankPlayback::format());
        QAudioDecoder* decoder = startDecoder_.get();
        QObject::connect(decoder, &QAudioDecoder::bufferReady, decoder, [this] { takeStart(); });
        // The last sound of a short file may still wait to be read.
        QObject::connect(decoder, &QAudioDecoder::finished, decoder, [this, decoder] {
            takeStart();
            if (startDecoder_.get() == decoder) {
                startDecoded(true);
            }
        });
        QObject::connect(decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), decoder,
                         [this] { startDecoded(kept_[decoding_].start.isEmpty()); });
        decoder->setSource(QUrl::fromLocalFile(path));
        decoder->start();
        return;
    }
}

void BankChannel::takeStart() {
    Kept& kept = kept_[decoding_];
    const qint64 wanted = BankPlayback::format().bytesForDuration(kStartMs * 1000);
    while (startDecoder_->bufferAvailable() && kept.start.size() < wanted) {
        const QAudioBuffer buffer = startDecoder_->read();
        kept.start.append(buffer.constData<char>(), buffer.byteCount());
    }
    if (kept.start.size() >= wanted) {
        startDecoded(false);
    }
}

// `whole` when the decoder stopped by itself: at the file's end, or at an error before any
// sound, which leaves the start empty.
void BankChannel::startDecoded(bool whole) {
    Kept& kept = kept_[decoding_];
    kept.decoded = true;
    kept.whole = whole && !kept.start.isEmpty();
    report(decoding_, !kept.start.isEmpty());
    dropStartDecoder();
    decodeNextStart();
}

// Stopped first, so its threads deliver nothing more; deleted later, as this may run
// inside one of its signals.
void BankChannel::dropStartDecoder() {
    startDecoder_->disconnect();
    startDecoder_->stop();
    startDecoder_.release()->deleteLater();
    decoding_.clear();
}

void BankChannel::report(const QString& path, bool playable) const {
    if (checked_) {
        checked_(path, playable);
    }
}

void BankChannel::play(const QString& path) {
    close();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return;
    }
    create();
    const auto kept = kept_.find(path);
    if (kept != kept_.end() && kept->second.decoded) {
        current_ = std::make_unique<BankPlayback>(path, kept->second.start, kept->second.whole);
    } else {
        current_ = std::make_unique<BankPlayback>(path, QByteArray(), false);
    }
}

// Silent at once; the output and the decoder are torn down after the key has returned.
void BankChannel::close() {
    if (current_) {
        current_->stop();
        current_.release()->deleteLater();
    }
}

bool BankChannel::isReady(const QString& path) const {
    const auto kept = kept_.find(path);
    return kept != kept_.end() && kept->second.decoded && !kept->second.start.isEmpty();
}

QString BankChannel::playing() const {
    return current_ && current_->isPlaying() ? current_->path() : QString();
}

}  // namespace velta
