#pragma once

// Audio helpers shared by the sound tests and the sound benchmark: a synthesised WAV tone,
// and a PulseAudio server of the caller's own with a null sink, so real playback can be
// checked on any machine without a sound card and without playing anything aloud.

#include <QByteArray>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/prctl.h>
#include <cmath>
#include <csignal>

namespace velta::test {

// A 16-bit PCM WAV tone that is loud from its first sample, so its start is plain on a
// recording.
inline QByteArray toneWav(double frequency, double seconds, int channels = 2, int rate = 44100) {
    const auto frames = static_cast<quint32>(seconds * rate);
    const quint32 dataBytes = frames * channels * 2;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(channels) << quint32(rate)
        << quint32(rate * channels * 2) << quint16(channels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (quint32 i = 0; i < frames; ++i) {
        const auto sample = static_cast<qint16>(12000 * std::cos(2 * M_PI * frequency * i / rate));
        for (int c = 0; c < channels; ++c) {
            out << sample;
        }
    }
    return wav;
}

// A PulseAudio server in a private runtime folder with the null sink "velta_sink" as its
// default output; stopped with this object. Start it before the first sound object is
// made: Qt Multimedia connects to the server it finds then.
class PrivatePulseAudio {
  public:
    static constexpr const char* kSink = "velta_sink";

    ~PrivatePulseAudio() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) {
                server_.kill();
                server_.waitForFinished();
            }
        }
    }

    // Empty on success, otherwise why there is no server.
    QString start() {
        if (!runtime_.isValid()) {
            return QStringLiteral("no temporary folder");
        }
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        qunsetenv("PULSE_SERVER");
        // The server ends with this process, even when a crash skips the destructor.
        server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server_.setStandardOutputFile(QProcess::nullDevice());
        server_.setStandardErrorFile(runtime_.filePath(QStringLiteral("pulse.log")));
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--log-target=stderr"),
                       QStringLiteral("-L"),
                       QStringLiteral("module-null-sink sink_name=") + QLatin1String(kSink),
                       QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix")});
        if (!server_.waitForStarted(10000)) {
            return QStringLiteral("pulseaudio does not start: ") + server_.errorString();
        }
        QElapsedTimer waited;
        waited.start();
        while (pactl({QStringLiteral("info")}) != 0) {
            if (server_.waitForFinished(100) || waited.elapsed() > 30000) {
                return QStringLiteral("pulseaudio does not answer: ") + log();
            }
        }
        if (pactl({QStringLiteral("set-default-sink"), QLatin1String(kSink)}) != 0) {
            return QStringLiteral("no null sink: ") + log();
        }
        return {};
    }

    // Runs pactl on this server; its exit code, or -1 when it did not finish.
    static int pactl(const QStringList& arguments) {
        QProcess pactl;
        pactl.setStandardOutputFile(QProcess::nullDevice());
        pactl.setStandardErrorFile(QProcess::nullDevice());
        pactl.start(QStringLiteral("pactl"), arguments);
        if (!pactl.waitForFinished(10000)) {
            pactl.kill();
            pactl.waitForFinished();
            return -1;
        }
        return pactl.exitStatus() == QProcess::NormalExit ? pactl.exitCode() : -1;
    }

  private:
    QString log() const {
        QFile file(runtime_.filePath(QStringLiteral("pulse.log")));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromLocal8Bit(file.readAll().right(500)).simplified();
    }

    QTemporaryDir runtime_;
    QProcess server_;
};

}  // namespace velta::test
