#pragma once

#include <QAudioDecoder>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>

namespace velta {

// One sound of the bank, from its first sample to its end or its stop. The platform's
// output starts at once on the decoded start of the file, when the bank has one ready,
// while the rest of the file is decoded behind it and follows without a seam; without a
// decoded start it begins once the first sound is decoded. Decoding stays a couple of
// seconds ahead of what is heard, so a long file never sits in memory whole.
class BankPlayback : public QIODevice {
  public:
    // What the decoders deliver and the output plays: CD quality, whatever the file's own.
    static QAudioFormat format();

    // `start` is the decoded start of the file; `whole` when it is all of the file.
    BankPlayback(const QString& path, const QByteArray& start, bool whole);
    ~BankPlayback() override;

    QString path() const { return path_; }
    // Heard now: started, and neither stopped nor ended.
    bool isPlaying() const;
    // Silent at once.
    void stop();

    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

  private:
    void startOutput();
    void takeDecoded();
    void outputStateChanged(QAudio::State state);

    QString path_;
    QByteArray start_;
    qint64 startRead_ = 0;
    // Decoded bytes the decoder delivers again before it passes the start's end.
    qint64 skip_ = 0;
    QByteArray pending_;
    qint64 pendingRead_ = 0;
    std::unique_ptr<QAudioDecoder> decoder_;
    std::unique_ptr<QAudioSink> output_;
    bool decoded_ = false;
    bool ended_ = false;
};

}  // namespace velta
