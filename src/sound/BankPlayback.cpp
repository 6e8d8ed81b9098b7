#include "sound/BankPlayback.h"

#include <QAudioBuffer>
#include <QMediaDevices>
#include <QUrl>
#include <algorithm>
#include <cstring>

namespace velta {

namespace {

// How far decoding runs ahead of what is heard.
constexpr qint64 kDecodeAheadMs = 2000;
// Filled in when decoding falls behind (a machine under load), so the output keeps going.
constexpr qint64 kGapMs = 10;

qint64 bytesFor(qint64 ms) {
    const QAudioFormat f = BankPlayback::format();
    return f.bytesForDuration(ms * 1000);
}

}  // namespace

QAudioFormat BankPlayback::format() {
    QAudioFormat f;
    f.setSampleRate(44100);
    f.setChannelCount(2);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

BankPlayback::BankPlayback(const QString& path, const QByteArray& start, bool whole)
    : path_(path), start_(start), skip_(start.size()) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (whole) {
        decoded_ = true;
    } else {
        decoder_ = std::make_unique<QAudioDecoder>();
        decoder_->setAudioFormat(format());
        connect(decoder_.get(), &QAudioDecoder::bufferReady, this, [this] { takeDecoded(); });
        // A file that gives no sound at all is never heard; one that breaks off is heard up
        // to there.
        connect(decoder_.get(), &QAudioDecoder::finished, this, [this] { decoded_ = true; });
        connect(decoder_.get(), qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
                [this] { decoded_ = true; });
        decoder_->setSource(QUrl::fromLocalFile(path));
        decoder_->start();
    }
    if (!start_.isEmpty()) {
        startOutput();
    }
}

// The decoder is stopped before it goes, so its threads deliver nothing to a decoder being
// destroyed.
BankPlayback::~BankPlayback() {
    output_.reset();
    if (decoder_) {
        decoder_->stop();
    }
}

void BankPlayback::startOutput() {
    output_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format());
    connect(output_.get(), &QAudioSink::stateChanged, this,
            [this](QAudio::State state) { outputStateChanged(state); });
    output_->start(this);
}

bool BankPlayback::isPlaying() const {
    return output_ && !ended_;
}

void BankPlayback::stop() {
    ended_ = true;
    if (output_) {
        output_->stop();
    }
}

// The decoded sound, up to kDecodeAheadMs ahead; the decoder waits while nobody reads it.
void BankPlayback::takeDecoded() {
    if (!decoder_) {
        return;
    }
    while (decoder_->bufferAvailable() &&
           pending_.size() - pendingRead_ < bytesFor(kDecodeAheadMs)) {
        const QAudioBuffer buffer = decoder_->read();
        qint64 offset = std::min<qint64>(skip_, buffer.byteCount());
        skip_ -= offset;
        pending_.append(buffer.constData<char>() + offset, buffer.byteCount() - offset);
    }
    if (!output_ && !ended_ && !pending_.isEmpty()) {
        startOutput();
    }
}

qint64 BankPlayback::readData(char* data, qint64 maxSize) {
    qint64 done = 0;
    const qint64 fromStart = std::min(maxSize, start_.size() - startRead_);
    if (fromStart > 0) {
        std::memcpy(data, start_.constData() + startRead_, fromStart);
        startRead_ += fromStart;
        done = fromStart;
    }
    const qint64 fromPending = std::min(maxSize - done, pending_.size() - pendingRead_);
    if (fromPending > 0) {
        std::memcpy(data + done, pending_.constData() + pendingRead_, fromPending);
        pendingRead_ += fromPending;
        done += fromPending;
    }
    if (pendingRead_ > bytesFor(kDecodeAheadMs) / 2) {
        pending_.remove(0, pendingRead_);
        pendingRead_ = 0;
    }
    takeDecoded();
    if (done == 0 && !atEnd()) {
        const qint64 frame = format().bytesPerFrame();
        done = std::min(maxSize, bytesFor(kGapMs)) / frame * frame;
        std::memset(data, 0, done);
    }
    return done;
}

qint64 BankPlayback::writeData(const char*, qint64) {
    return -1;
}

bool BankPlayback::atEnd() const {
    return decoded_ && (!decoder_ || !decoder_->bufferAvailable()) && startRead_ == start_.size() &&
           pendingRead_ == pending_.size();
}

qint64 BankPlayback::bytesAvailable() const {
    return (start_.size() - startRead_) + (pending_.size() - pendingRead_) +
           QIODevice::bytesAvailable();
}

// Everything read and played: the output goes idle, and its stream is let go.
void BankPlayback::outputStateChanged(QAudio::State state) {
    if (state == QAudio::IdleState && atEnd() && !ended_) {
        ended_ = true;
        QMetaObject::invokeMethod(
            this, [this] { output_->stop(); }, Qt::QueuedConnection);
    }
}

}  // namespace velta
