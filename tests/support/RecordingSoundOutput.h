#pragma once

#include <QString>
#include <QStringList>

#include "sound/SoundOutput.h"

namespace velta::test {

// Sound output for tests: becomes the program's output for its lifetime and records every
// call, in order, as one readable line with the full path the program asked for:
//   "effect:<path>"   an effect played once
//   "loop:<path>"     an effect played in a loop
//   "stop"            the effect voice stopped
//   "preload:<path>"  an effect loaded ahead of use
//   "bank:<path>"     a bank file opened and played (the path may be empty)
//   "close"           the bank voice closed
//   "ready:<paths>"   the bank files kept open, joined by '|'
// Compare paths with velta::programPath(effects::kAnswer) and the like.
class RecordingSoundOutput : public SoundOutput {
  public:
    RecordingSoundOutput() { setSoundOutput(this); }
    ~RecordingSoundOutput() override { setSoundOutput(nullptr); }

    QStringList calls;
    // Bank files the media voice reports it cannot play once they are kept open; every
    // other file is reported playable.
    QStringList unplayable;

    // Paths of the effects played, once or looped, in order.
    QStringList effects() const;
    // Path of the last effect played, once or looped; empty when none was.
    QString lastEffect() const;
    // Whether the last effect played was the loop.
    bool lastEffectLooped() const;
    void clear() { calls.clear(); }

    void playEffect(const QString& path, bool loop) override;
    void stopEffects() override;
    void preloadEffect(const QString& path) override;
    void playBankFile(const QString& path) override;
    void closeBank() override;
    void keepBankFilesReady(const QStringList& paths) override;
};

}  // namespace velta::test
