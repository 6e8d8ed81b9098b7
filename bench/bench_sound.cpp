// How quickly the voices answer: the time PlayEffect and PlayBankFile take to return, and
// the delay from the call to the first sound on a PulseAudio null sink, heard through the
// sink's monitor (the figure includes the monitor's own delay of up to about 10 ms). The
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
#include <vector>

#include "platform/ProgramFolder.h"
#include "sound/QtSoundOutput.h"
#include "sound/Sound.h"
// Shared with the sound tests: the tone and the private PulseAudio server.
#include "AudioFixtures.h"

namespace {

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

// Lets the event loop run for a while, as between two key presses.
void runEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(fraction * (values.size() - 1) + 0.5);
    return values[index];
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

    // Waits until a frame louder than silence arrives after the call at callNs; returns the
    // time of that frame in ns on this listener's clock, or -1 after timeoutMs.
    qint64 firstSoundAfter(qint64 callNs, int timeoutMs) {
        loudNs_ = -1;
        armedNs_ = callNs;
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
                if (std::abs(samples[i]) > 1000) {
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

// median and p99 of the time a call takes to return, alternating two files with a pause
// between calls as between two key presses; returns the median.
double measureReturn(const char* name, void (*play)(const QString&), const QString& fileA,
                     const QString& fileB, int calls, int pauseMs) {
    std::vector<double> returnMs;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < calls; ++i) {
        const qint64 before = clock.nsecsElapsed();
        play(i % 2 ? fileB : fileA);
        returnMs.push_back((clock.nsecsElapsed() - before) / 1e6);
        runEvents(pauseMs);
    }
    const double median = percentile(returnMs, 0.5);
    print(name, median, "ms");
    print((QByteArray(name).chopped(3) + "_p99_ms").constData(), percentile(returnMs, 0.99), "ms");
    return median;
}

// median and maximum delay from the call to the first sound on the sink, each play after
// silence; returns the median, or -1 when nothing was heard.
double measureDelay(const char* name, MonitorListener& monitor, void (*play)(const QString&),
                    void (*stop)(), const QString& fileA, const QString& fileB, int plays) {
    std::vector<double> delayMs;
    for (int i = 0; i < plays; ++i) {
        stop();
        runEvents(500);
        const qint64 call = monitor.nowNs();
        play(i % 2 ? fileB : fileA);
        const qint64 heard = monitor.firstSoundAfter(call, 3000);
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
    const QString bankA = velta::programPath(QStringLiteral("Audio/EFFECTS/bench-a.wav"));
    const QString bankB = velta::programPath(QStringLiteral("Audio/EFFECTS/bench-b.wav"));
    writeFile(bankA, velta::test::toneWav(440, 1.0));
    writeFile(bankB, velta::test::toneWav(550, 1.0));

    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    sound.preloadEffect(velta::programPath(kEffectA));
    sound.preloadEffect(velta::programPath(kEffectB));
    if (!waitLoaded(sound, kEffectA) || !waitLoaded(sound, kEffectB)) {
        printUnavailable("play_effect_return_ms", QStringLiteral("the effects do not load"));
        return 1;
    }

    // Every call stops one sound and starts the other.
    const double effectReturn =
        measureReturn("play_effect_return_ms", velta::PlayEffect, kEffectA, kEffectB, 200, 20);
    velta::StopEffects();

    // The first bank sound also makes the media voice.
    QElapsedTimer first;
    first.start();
    velta::PlayBankFile(bankA);
    print("play_bank_first_return_ms", first.nsecsElapsed() / 1e6, "ms");
    runEvents(500);
    measureReturn("play_bank_return_ms", velta::PlayBankFile, bankA, bankB, 20, 300);
    velta::CloseBank();

    MonitorListener monitor;
    const QString monitorProblem = monitor.start();
    if (!monitorProblem.isEmpty()) {
        printUnavailable("effect_to_sound_ms", monitorProblem);
        return 0;
    }
    const double effectDelay = measureDelay("effect_to_sound_ms", monitor, velta::PlayEffect,
                                            velta::StopEffects, kEffectA, kEffectB, 20);
    const double bankDelay = measureDelay("bank_to_sound_ms", monitor, velta::PlayBankFile,
                                          velta::CloseBank, bankA, bankB, 10);
    const auto met = [](bool ok) { return ok ? "met" : "missed"; };
    std::printf("# goals: play_effect_return_ms < 1 (%s), effect_to_sound_ms < 50 (%s)\n",
                met(effectReturn < 1), met(effectDelay >= 0 && effectDelay < 50));
    return effectDelay >= 0 && bankDelay >= 0 ? 0 : 1;
}
