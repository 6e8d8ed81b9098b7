// How quickly the voices answer: the time PlayEffect, PlayBankFile and a sound-bank key take
// to return, and the delay from the call to the first sound on a PulseAudio null sink, heard
// through the sink's monitor (the figure includes the monitor's own delay of up to about
// 10 ms): after silence, and for a bank key pressed while another bank sound plays. The
// benchmark runs its own PulseAudio server, so it plays nothing aloud.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/ProgramFolder.h"
#include "sound/QtSoundOutput.h"
#include "sound/Sound.h"
#include "sound/SoundBank.h"
// Shared with the sound tests: the tone and the private PulseAudio server.
#include "AudioFixtures.h"
#include "BenchSupport.h"

namespace {

using velta::bench::percentile;

constexpr int kRate = 44100;
constexpr int kChannels = 2;
const QString kSink = QLatin1String(velta::test::PrivatePulseAudio::kSink);
const QString kEffectA = QStringLiteral("Audio\\WAV\\bench-a.wav");
const QString kEffectB = QStringLiteral("Audio\\WAV\\bench-b.wav");

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// The tone with one channel silenced, so the monitor tells the two bank sounds apart.
QByteArray oneChannel(QByteArray wav, int keptChannel) {
    constexpr int kHeader = 44;
    auto* samples = reinterpret_cast<qint16*>(wav.data() + kHeader);
    const auto count = static_cast<int>((wav.size() - kHeader) / 2);
    for (int i = 1 - keptChannel; i < count; i += kChannels) {
        samples[i] = 0;
    }
    return wav;
}

// Lets the event loop run for a while, as between two key presses.
void runEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

// Reads the null sink's monitor through parec, with the time each piece arrived.
class MonitorListener {
  public:
    MonitorListener() {
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { read(); });
        clock_.start();
    }
    ~MonitorListener() {
        parec_.kill();
        parec_.waitForFinished();
    }

    // Empty when sound data arrives; otherwise why not.
    QString start() {
        parec_.setStandardErrorFile(QProcess::nullDevice());
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=") + kSink + QStringLiteral(".monitor"),
                      QStringLiteral("--latency-msec=10"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--rate=%1").arg(kRate),
                      QStringLiteral("--channels=%1").arg(kChannels), QStringLiteral("--raw")});
        if (!parec_.waitForStarted(5000)) {
            return QStringLiteral("parec does not start: ") + parec_.errorString();
        }
        QElapsedTimer waited;
        waited.start();
        while (frames_ < kRate / 2) {
            if (waited.elapsed() > 10000) {
                return QStringLiteral("no data from the sink's monitor");
            }
            runEvents(10);
        }
        return {};
    }

    qint64 nowNs() const { return clock_.nsecsElapsed(); }

    // Waits until a frame louder than silence (on `channel` only, when it is 0 or 1) arrives
    // after the call at callNs; returns the time of that frame in ns on this listener's
    // clock, or -1 after timeoutMs.
    qint64 firstSoundAfter(qint64 callNs, int timeoutMs, int channel = -1) {
        loudNs_ = -1;
        armedNs_ = callNs;
        channel_ = channel;
        QElapsedTimer waited;
        waited.start();
        while (loudNs_ < 0 && waited.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::usleep(200);
        }
        armedNs_ = -1;
        return loudNs_;
    }

  private:
    void read() {
        const qint64 arrived = clock_.nsecsElapsed();
        pending_ += parec_.readAllStandardOutput();
        const int frameBytes = kChannels * 2;
        const auto frames = static_cast<int>(pending_.size() / frameBytes);
        const auto* samples = reinterpret_cast<const qint16*>(pending_.constData());
        if (armedNs_ >= 0 && loudNs_ < 0) {
            for (int i = 0; i < frames * kChannels; ++i) {
                if (std::abs(samples[i]) > 1000 && (channel_ < 0 || i % kChannels == channel_)) {
                    // The chunk's last frame arrived now: count back to the loud one. Any
                    // delay of the monitor itself makes the figure larger, never smaller.
                    const int framesAfter = frames - i / kChannels;
                    loudNs_ = arrived - qint64(framesAfter) * 1000000000 / kRate;
                    break;
                }
            }
        }
        frames_ += frames;
        pending_.remove(0, frames * frameBytes);
    }

    QProcess parec_;
    QElapsedTimer clock_;
    QByteArray pending_;
    qint64 frames_ = 0;
    qint64 armedNs_ = -1;
    qint64 loudNs_ = -1;
    int channel_ = -1;
};

void print(const char* name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name, value, unit);
}

void printUnavailable(const char* name, const QString& reason) {
    std::printf("%s: unavailable (%s)\n", name, qPrintable(reason));
}

bool waitLoaded(const velta::QtSoundOutput& sound, const QString& relative) {
    QElapsedTimer waited;
    waited.start();
    while (!sound.effects().isLoaded(velta::programPath(relative))) {
        if (waited.elapsed() > 10000) {
            return false;
        }
        runEvents(10);
    }
    return true;
}

// Plays the first or the second of two sounds: the call i of a measure plays the second when
// i is odd.
using Play = std::function<void(int i)>;

// median and p99 of the time a call takes to return, alternating two sounds with a pause
// between calls as between two key presses; returns the median.
double measureReturn(const char* name, const Play& play, int calls, int pauseMs) {
    std::vector<double> returnMs;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < calls; ++i) {
        const qint64 before = clock.nsecsElapsed();
        play(i);
        returnMs.push_back((clock.nsecsElapsed() - before) / 1e6);
        runEvents(pauseMs);
    }
    const double median = percentile(returnMs, 0.5);
    print(name, median, "ms");
    print((QByteArray(name).chopped(3) + "_p99_ms").constData(), percentile(returnMs, 0.99), "ms");
    return median;
}

// median and maximum delay from the call to the first sound on the sink (on `channel`
// only, when it is 0 or 1), each play half a second after `before`; returns the median, or
// -1 when nothing was heard.
double measureDelay(const char* name, MonitorListener& monitor, const Play& play,
                    const std::function<void()>& before, const std::function<void()>& stop,
                    int plays, int channel = -1) {
    std::vector<double> delayMs;
    for (int i = 0; i < plays; ++i) {
        before();
        runEvents(500);
        const qint64 call = monitor.nowNs();
        play(i);
        const qint64 heard = monitor.firstSoundAfter(call, 3000, channel);
        if (heard >= 0) {
            delayMs.push_back((heard - call) / 1e6);
        }
    }
    stop();
    if (delayMs.empty()) {
        printUnavailable(name, QStringLiteral("nothing was heard"));
        return -1;
    }
    const double median = percentile(delayMs, 0.5);
    print(name, median, "ms");
    print((QByteArray(name).chopped(3) + "_max_ms").constData(),
          *std::max_element(delayMs.begin(), delayMs.end()), "ms");
    std::printf("%s_heard: %zu of %d plays\n", QByteArray(name).chopped(3).constData(),
                delayMs.size(), plays);
    return median;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    velta::test::PrivatePulseAudio pulse;
    const QString pulseProblem = pulse.start();
    if (!pulseProblem.isEmpty()) {
        for (const char* name : {"play_effect_return_ms", "effect_to_sound_ms"}) {
            printUnavailable(name, pulseProblem);
        }
        return 0;
    }

    QTemporaryDir folder;
    velta::setProgramFolder(folder.path());
    writeFile(velta::programPath(kEffectA), velta::test::toneWav(880, 0.25));
    writeFile(velta::programPath(kEffectB), velta::test::toneWav(660, 0.25, 1, 22050));
    // A is heard on the left channel only, B on the right.
    const QString bankA = velta::programPath(QStringLiteral("Audio/EFFECTS/bench-a.wav"));
    const QString bankB = velta::programPath(QStringLiteral("Audio/EFFECTS/bench-b.wav"));
    writeFile(bankA, oneChannel(velta::test::toneWav(440, 1.0), 0));
    writeFile(bankB, oneChannel(velta::test::toneWav(550, 1.0), 1));

    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    sound.preloadEffect(velta::programPath(kEffectA));
    sound.preloadEffect(velta::programPath(kEffectB));
    if (!waitLoaded(sound, kEffectA) || !waitLoaded(sound, kEffectB)) {
        printUnavailable("play_effect_return_ms", QStringLiteral("the effects do not load"));
        return 1;
    }

    // Every call stops one sound and starts the other.
    const Play effect = [](int i) { velta::PlayEffect(i % 2 ? kEffectB : kEffectA); };
    const double effectReturn = measureReturn("play_effect_return_ms", effect, 200, 20);
    velta::StopEffects();

    // Files outside the bank: the first one also makes the media voice's spare player.
    QElapsedTimer first;
    first.start();
    velta::PlayBankFile(bankA);
    print("play_bank_first_return_ms", first.nsecsElapsed() / 1e6, "ms");
    runEvents(500);
    measureReturn(
        "play_bank_return_ms", [&](int i) { velta::PlayBankFile(i % 2 ? bankB : bankA); }, 20, 300);
    velta::CloseBank();

    // The same files in slots 1 and 2 of the bank, kept open once the warm-up has run.
    velta::SoundBank bank;
    bank.setSlot(1, bankA);
    bank.setSlot(2, bankB);
    sound.warmUp();
    QElapsedTimer opening;
    opening.start();
    while (!sound.bank().isReady(bankA) || !sound.bank().isReady(bankB)) {
        if (opening.elapsed() > 10000) {
            printUnavailable("bank_key_return_ms", QStringLiteral("the slots' files do not open"));
            return 1;
        }
        runEvents(10);
    }
    const Play key = [&bank](int i) { bank.play(i % 2 ? 2 : 1); };
    measureReturn("bank_key_return_ms", key, 20, 300);
    velta::CloseBank();

    MonitorListener monitor;
    const QString monitorProblem = monitor.start();
    if (!monitorProblem.isEmpty()) {
        printUnavailable("effect_to_sound_ms", monitorProblem);
        return 0;
    }
    const double effectDelay = measureDelay("effect_to_sound_ms", monitor, effect,
                                            velta::StopEffects, velta::StopEffects, 20);
    const double bankDelay =
        measureDelay("bank_to_sound_ms", monitor, key, velta::CloseBank, velta::CloseBank, 20);
    // Slot 2's key half a second into slot 1's sound: slot 2 heard on the right channel.
    const double replaceDelay = measureDelay(
        "bank_replace_to_sound_ms", monitor, [&bank](int) { bank.play(2); },
        [&bank] { bank.play(1); }, velta::CloseBank, 10, 1);
    const auto met = [](bool ok) { return ok ? "met" : "missed"; };
    std::printf(
        "# goals: play_effect_return_ms < 1 (%s), effect_to_sound_ms < 50 (%s), "
        "bank_to_sound_ms < 60 (%s)\n",
        met(effectReturn < 1), met(effectDelay >= 0 && effectDelay < 50),
        met(bankDelay >= 0 && bankDelay < 60));
    return effectDelay >= 0 && bankDelay >= 0 && replaceDelay >= 0 ? 0 : 1;
}
