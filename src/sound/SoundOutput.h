#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace velta {

// The seam to the audio back end: the real one plays through Qt Multimedia, tests record
// the calls. Paths are absolute. Every call returns at once.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;

    // Effect voice: one sound at a time; a new one (loop or not) replaces whatever plays.
    virtual void playEffect(const QString& path, bool loop) = 0;
    virtual void stopEffects() = 0;
    // Loads an effect ahead of its first use so that playing it never waits on decoding.
    virtual void preloadEffect(const QString& path) = 0;

    // Media voice for the sound bank: opening a file closes what was open first.
    virtual void playBankFile(const QString& path) = 0;
    virtual void closeBank() = 0;
    // Gets each of these bank files ready, so that playing one is heard at once; files
    // kept before and no longer named are let go.
    virtual void keepBankFilesReady(const QStringList& paths) = 0;

    // Told, once the media voice has read a file kept ready, whether it can play it.
    using BankFileChecked = std::function<void(const QString& path, bool playable)>;
    void setBankFileChecked(BankFileChecked listener) { bankFileChecked_ = std::move(listener); }

  protected:
    void reportBankFile(const QString& path, bool playable) const {
        if (bankFileChecked_) {
            bankFileChecked_(path, playable);
        }
    }

  private:
    BankFileChecked bankFileChecked_;
};

// The output in use; set once at start (main or the test).
SoundOutput& soundOutput();
void setSoundOutput(SoundOutput* output);

}  // namespace velta
