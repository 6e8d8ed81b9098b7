// How quickly the effect voice answers: the time PlayEffect takes to return, and the delay
// from the call to the first sound on a PulseAudio null sink. The benchmark runs its own
// PulseAudio server, so it measures the same on every machine and plays nothing aloud.

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/ProgramFolder.h"
#include "sound/QtSoundOutput.h"
#include "sound/Sound.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
const QString kSink = QStringLiteral("velta_bench_sink");
const QString kEffectA = QStringLiteral("Audio\\WAV\\bench-a.wav");
const QString kEffectB = QStringLiteral("Audio\\WAV\\bench-b.wav");

// A tone that is loud from its first sample, so its start is plain on the recording.
QByteArray ToneWav(double frequency, double seconds) {
    const int frames = static_cast<int>(seconds * kRate);
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = frames * kChannels * 2;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(kChannels) << quint32(kRate)
        << quint32(kRate * kChannels * 2) << quint16(kChannels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (int i = 0; i < frames; ++i) {
        const auto sample = static_cast<qint16>(12000 * std::cos(2 * M_PI * frequency * i / kRate));
        for (int c = 0; c < kChannels; ++c) {
            out << sample;
        }
    }
    return wav;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// Lets the event loop run for a while, as between two key presses.
void RunEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(fraction * (values.size() - 1) + 0.5);
    return values[index];
}

// A PulseAudio server of the benchmark's own, with a null sink as its default output.
// Must start before the first sound object, which connects to the server it finds then.
class PrivatePulse {
public:
    ~PrivatePulse() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            server_.waitForFinished(3000);
        }
    }

    // Empty on success, otherwise why the server is not there.
    QString start() {
        if (!runtime_.isValid()) {
            return QStringLiteral("no temporary folder");
        }
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        qunsetenv("PULSE_SERVER");
        server_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        server_.setStandardErrorFile(QProcess::nullDevice());
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-L"),
                       QStringLiteral("module-null-sink sink_name=") + kSink,
                       QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix")});
        if (!server_.waitForStarted(5000)) {
            return QStringLiteral("pulseaudio does not start: ") + server_.errorString();
        }
        QElapsedTimer waited;
        waited.start();
        while (Pactl({QStringLiteral("info")}) != 0) {
            if (waited.elapsed() > 15000 || server_.state() == QProcess::NotRunning) {
                return QStringLiteral("pulseaudio does not answer");
            }
            QThread::msleep(100);
        }
        if (Pactl({QStringLiteral("set-default-sink"), kSink}) != 0) {
            return QStringLiteral("no null sink");
        }
        return {};
    }

private:
    static int Pactl(const QStringList& arguments) {
        QProcess pactl;
        pactl.setStandardOutputFile(QProcess::nullDevice());
        pactl.setStandardErrorFile(QProcess::nullDevice());
        pactl.start(QStringLiteral("pactl"), arguments);
        if (!pactl.waitForFinished(5000)) {
            pactl.kill();
            pactl.waitForFinished();
            return -1;
        }
        return pactl.exitStatus() == QProcess::NormalExit ? pactl.exitCode() : -1;
    }

    QTemporaryDir runtime_;
    QProcess server_;
};

// Reads the null sink's monitor through parec and notes, for every frame, when it arrived.
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
            RunEvents(10);
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
        if (armedNs_ >= 0) { int m=0; for (int i = 0; i < frames * kChannels; ++i) m=std::max(m,std::abs(int(samples[i]))); fprintf(stderr,"chunk %d max %d\n", frames, m);}
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

void Print(const char* name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name, value, unit);
}

void PrintUnavailable(const char* name, const QString& reason) {
    std::printf("%s: unavailable (%s)\n", name, qPrintable(reason));
}

bool WaitLoaded(const velta::QtSoundOutput& sound, const QString& relative) {
    QElapsedTimer waited;
    waited.start();
    while (!sound.effects().isLoaded(velta::ProgramPath(relative))) {
        if (waited.elapsed() > 10000) {
            return false;
        }
        RunEvents(10);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    PrivatePulse pulse;
    const QString pulseProblem = pulse.start();
    if (!pulseProblem.isEmpty()) {
        for (const char* name : {"play_effect_return_ms", "effect_to_sound_ms"}) {
            PrintUnavailable(name, pulseProblem);
        }
        return 0;
    }

    QTemporaryDir folder;
    velta::SetProgramFolder(folder.path());
    WriteFile(velta::ProgramPath(kEffectA), ToneWav(880, 0.25));
    WriteFile(velta::ProgramPath(kEffectB), ToneWav(660, 0.25));

    velta::QtSoundOutput sound;
    velta::SetSoundOutput(&sound);
    sound.preloadEffect(velta::ProgramPath(kEffectA));
    sound.preloadEffect(velta::ProgramPath(kEffectB));
    if (!WaitLoaded(sound, kEffectA) || !WaitLoaded(sound, kEffectB)) {
        PrintUnavailable("play_effect_return_ms", QStringLiteral("the effects do not load"));
        return 1;
    }

    // Alternating two effects: every call stops one sound and starts another.
    std::vector<double> returnMs;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) {
        const qint64 before = clock.nsecsElapsed();
        velta::PlayEffect(i % 2 ? kEffectB : kEffectA);
        returnMs.push_back((clock.nsecsElapsed() - before) / 1e6);
        RunEvents(20);
    }
    Print("play_effect_return_ms", Percentile(returnMs, 0.5), "ms");
    Print("play_effect_return_p99_ms", Percentile(returnMs, 0.99), "ms");
    velta::StopEffects();

    MonitorListener monitor;
    const QString monitorProblem = monitor.start();
    if (!monitorProblem.isEmpty()) {
        PrintUnavailable("effect_to_sound_ms", monitorProblem);
        return 0;
    }
    std::vector<double> delayMs;
    for (int i = 0; i < 3; ++i) {
        velta::StopEffects();
        RunEvents(400);
        const qint64 call = monitor.nowNs();
        velta::PlayEffect(i % 2 ? kEffectB : kEffectA);
        RunEvents(50);
        QProcess::execute("sh", {"-c", "pactl list sink-inputs | grep -E 'Sink|Corked|Mute|Volume|Sample'; pactl list sinks short"});
        fprintf(stderr, "playing=[%s] loaded=%d\n", qPrintable(sound.effects().playing()), sound.effects().isLoaded(velta::ProgramPath(kEffectA)));
        const qint64 heard = monitor.firstSoundAfter(call, 2000);
        if (heard >= 0) {
            delayMs.push_back((heard - call) / 1e6);
        }
    }
    if (delayMs.empty()) {
        PrintUnavailable("effect_to_sound_ms", QStringLiteral("no effect was heard"));
        return 1;
    }
    Print("effect_to_sound_ms", Percentile(delayMs, 0.5), "ms");
    Print("effect_to_sound_max_ms", *std::max_element(delayMs.begin(), delayMs.end()), "ms");
    std::printf("effect_to_sound_heard: %zu of 20 plays\n", delayMs.size());
    return 0;
}
