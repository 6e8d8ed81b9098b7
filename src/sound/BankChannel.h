#pragma once

#include <QAudioDecoder>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "sound/BankPlayback.h"

namespace velta {

// The media voice of the sound bank: one file at a time, in any format the platform's
// codecs decode (mp3, wav, wma, mid, aac, ac3).
//
// A media player takes well over a hundred milliseconds from a key to the first sound, and
// one opened long before its key stays silent for about as long as it waited. So the voice
// decodes the start of each of the bank's files ahead of its key, one file at a time, and a
// key sends that start to the output at once while the rest of the file is decoded behind
// it. Any other file is decoded from its beginning when it is played.
class BankChannel {
  public:
    // Told, once the start of a kept file has been decoded, whether the codecs can play it.
    using Checked = std::function<void(const QString& path, bool playable)>;
    void setChecked(Checked checked) { checked_ = std::move(checked); }

    BankChannel() = default;
    BankChannel(const BankChannel&) = delete;
    BankChannel& operator=(const BankChannel&) = delete;
    ~BankChannel();

    // Gets the platform's decoders going, which costs the first use tens of milliseconds.
    void create();

    // Keeps the decoded start of each of these files (missing files are left out) and lets
    // go of the others. A sound that plays goes on to its end even when its file is let go.
    void keepReady(const QStringList& paths);

    // Stops what plays, then plays the file from its start. A file that cannot be opened
    // (empty name, missing, unknown format) leaves the voice silent, without a message.
    void play(const QString& path);
    void close();

    bool isCreated() const { return created_; }
    // True once the start of a kept file is decoded: its key is heard at once.
    bool isReady(const QString& path) const;
    // The file open on the voice while it plays (empty when silent).
    QString playing() const;

  private:
    struct Kept {
        QByteArray start;
        bool decoded = false;
        // The start is the whole file.
        bool whole = false;
    };
    void decodeNextStart();
    void takeStart();
    void startDecoded(bool whole);
    void dropStartDecoder();
    void report(const QString& path, bool playable) const;

    std::map<QString, Kept> kept_;
    QStringList waiting_;
    std::unique_ptr<QAudioDecoder> startDecoder_;
    QString decoding_;
    std::unique_ptr<BankPlayback> current_;
    bool created_ = false;
    Checked checked_;
};

}  // namespace velta
