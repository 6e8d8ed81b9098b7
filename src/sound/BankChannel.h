#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QString>
#include <memory>

namespace velta {

// The media voice of the sound bank: one file at a time, in any format the platform's
// codecs play (mp3, wav, wma, mid, aac, ac3). The player is made on first use or by
// create(): it costs the start-up tens of milliseconds and megabytes.
class BankChannel {
  public:
    void create();

    // Closes what was open, then opens and plays the file. A file that cannot be opened
    // (empty name, missing, unknown format) leaves the voice silent, without a message.
    void play(const QString& path);
    void close();

    bool isCreated() const { return player_ != nullptr; }
    // The file open on the voice while it plays (empty when silent).
    QString playing() const;

  private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

}  // namespace velta
