#include "sound/SoundOutput.h"

namespace velta {

namespace {

// Before an output is set (a window built by a test that does not care about sound),
// requests are dropped: sound never stops a command.
class SilentOutput : public SoundOutput {
  public:
    void playEffect(const QString&, bool) override {}
    void stopEffects() override {}
    void preloadEffect(const QString&) override {}
    void playBankFile(const QString&) override {}
    void closeBank() override {}
    void keepBankFilesReady(const QStringList&) override {}
};

SoundOutput*& outputSlot() {
    static SoundOutput* output = nullptr;
    return output;
}

}  // namespace

SoundOutput& soundOutput() {
    static SilentOutput silent;
    SoundOutput* output = outputSlot();
    return output ? *output : silent;
}

void setSoundOutput(SoundOutput* output) {
    outputSlot() = output;
}

}  // namespace velta
