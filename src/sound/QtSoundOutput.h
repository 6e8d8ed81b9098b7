#pragma once

#include <QObject>

#include "sound/BankChannel.h"
#include "sound/EffectChannel.h"
#include "sound/SoundOutput.h"

namespace velta {

// The show's sound through Qt Multimedia: the effect voice on QSoundEffect, the bank's
// media voice on QAudioDecoder and QAudioSink. Creating it costs nothing; the heavy parts wait for
// warmUp() or their first use, so the cover appears without delay.
class QtSoundOutput : public SoundOutput {
  public:
    QtSoundOutput();

    // Called once the cover has been painted: loads every fixed effect and then makes the
    // media voice and readies the bank's files, one step at a time in the event loop's idle
    // time, so the window stays responsive and the intro is ready by the time it starts.
    void warmUp();

    void playEffect(const QString& path, bool loop) override;
    void stopEffects() override;
    void preloadEffect(const QString& path) override;
    void playBankFile(const QString& path) override;
    void closeBank() override;
    // Before the warm-up the files are only noted: the warm-up readies them.
    void keepBankFilesReady(const QStringList& paths) override;

    const EffectChannel& effects() const { return effects_; }
    const BankChannel& bank() const { return bank_; }

  private:
    void warmUpStep(QStringList pendingEffects);

    EffectChannel effects_;
    BankChannel bank_;
    QStringList keptBankFiles_;
    bool warmedUp_ = false;
    // Owns the pending warm-up steps, so none runs after this output is gone.
    QObject warmUpSteps_;
};

}  // namespace velta
