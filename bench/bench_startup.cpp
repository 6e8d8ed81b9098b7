// How long the show takes to open: from starting the process to the cover painted, against
// the same for an empty Qt window of the board's size, measured in the same run. The program
// runs itself as a child process for each start, alternating the two kinds, and prints the
// medians:
//   startup_ms          the program folder as built, no settings (the built-in cover)
//   startup_themed_ms   the same with a theme chosen (title, cover and frame settings)
//   qt_empty_window_ms  a bare window

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPaintEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

#include "BenchSupport.h"
#include "app/Show.h"

namespace {

using velta::bench::median;
using velta::bench::monotonicNs;

constexpr int kRuns = 7;
const char* const kStartedAt = "VELTA_BENCH_STARTED_NS";
const char* const kFolder = "VELTA_BENCH_FOLDER";

// In a child: prints the time since the parent started it under a name.
void reportSinceStart(const char* name) {
    const double ms = double(monotonicNs() - qEnvironmentVariable(kStartedAt).toLongLong()) / 1e6;
    std::printf("%s: %.2f\n", name, ms);
    std::fflush(stdout);
}

void reportPainted() {
    reportSinceStart("painted_ms");
    QCoreApplication::exit(0);
}

// A bare window that reports its first paint the way the board does: once the paint is done.
class EmptyWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, &reportPainted);
        }
    }

  private:
    bool painted_ = false;
};

int runEmpty(int argc, char** argv) {
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(1156, 698);
    window.show();
    return QApplication::exec();
}

// As the program's entry does it, with the program folder and current directory of a show,
// telling when each step of the start is done: the application, the show's set-up, the
// board made and shown, its first paint, and the control window made after it.
int runBoard(int argc, char** argv) {
    QApplication app(argc, argv);
    reportSinceStart("app_ms");
    const QString folder = qEnvironmentVariable(kFolder);
    QDir::setCurrent(folder);
    velta::Show show(folder);
    reportSinceStart("setup_ms");
    QTimer consoleMade;
    const bool opened = show.open([&] {
        reportSinceStart("painted_ms");
        QObject::connect(&consoleMade, &QTimer::timeout, [&] {
            if (show.console()) {
                reportSinceStart("console_ms");
                QCoreApplication::exit(0);
            }
        });
        consoleMade.start(0);
    });
    if (!opened) {
        return 1;
    }
    reportSinceStart("board_ms");
    return QApplication::exec();
}

using Times = std::map<QByteArray, double>;

// One start of a child; the times it reports, none when it failed.
Times timeOneStart(const QString& mode, const QString& folder, const QString& runtime) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QLatin1String(kFolder), folder);
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({mode});
    child.setProcessChannelMode(QProcess::SeparateChannels);
    env.insert(QLatin1String(kStartedAt), QString::number(monotonicNs()));
    child.setProcessEnvironment(env);
    child.start();
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        std::fprintf(stderr, "%s did not finish: %s\n", qPrintable(mode),
                     child.readAllStandardError().constData());
        return {};
    }
    Times times;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const int colon = line.indexOf(": ");
        if (colon > 0) {
            times[line.left(colon)] = line.mid(colon + 2).toDouble();
        }
    }
    if (!times.count("painted_ms")) {
        return {};
    }
    return times;
}

// A fresh show folder: the pictures, sounds and questions of the program folder and no
// settings, whatever a run of the program from the build has stored there.
bool copyShowFolder(const QString& from, const QString& to) {
    for (const char* sub : {"Audio", "Imagen", "Rondas"}) {
        const QString folder = from + QLatin1Char('/') + QLatin1String(sub);
        QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = to + source.mid(from.size());
            if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target)) {
                return false;
            }
        }
    }
    return QDir().mkpath(to + QStringLiteral("/Config"));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int runBenchmark(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString programFolder = QStringLiteral(VELTA_PROGRAM_DIR);
    QTemporaryDir runtime;
    QTemporaryDir fresh;
    QTemporaryDir themed;
    const QString show = themed.path();
    if (!copyShowFolder(programFolder, fresh.path()) || !copyShowFolder(programFolder, show) ||
        !writeFile(show + QStringLiteral("/Config/Titulo.txt"),
                   "Noche de Gala\r\nYellow\r\nNavy\r\n") ||
        !writeFile(show + QStringLiteral("/Config/Portada.txt"),
                   QFile::encodeName(show + QStringLiteral("/Imagen/Titles/portada3.jpg"))) ||
        !writeFile(show + QStringLiteral("/Config/Marco.txt"),
                   QFile::encodeName(show + QStringLiteral("/Imagen/Frames/marco2.jpg")))) {
        std::fprintf(stderr, "cannot lay out a show from %s\n", qPrintable(programFolder));
        return 1;
    }

    struct Kind {
        QString mode;
        QString folder;
        std::map<QByteArray, std::vector<double>> times;
    };
    std::vector<Kind> kinds{{QStringLiteral("--board"), fresh.path(), {}},
                            {QStringLiteral("--board"), show, {}},
                            {QStringLiteral("--empty"), QString(), {}}};
    // One start of each first, untimed, so every kind finds the files in the cache.
    for (Kind& kind : kinds) {
        if (timeOneStart(kind.mode, kind.folder, runtime.path()).empty()) {
            return 1;
        }
    }
    for (int run = 0; run < kRuns; ++run) {
        for (Kind& kind : kinds) {
            const Times times = timeOneStart(kind.mode, kind.folder, runtime.path());
            if (times.empty()) {
                return 1;
            }
            for (const auto& [name, ms] : times) {
                kind.times[name].push_back(ms);
            }
        }
    }
    std::printf("startup_ms: %.1f ms\n", median(kinds[0].times["painted_ms"]));
    std::printf("startup_themed_ms: %.1f ms\n", median(kinds[1].times["painted_ms"]));
    std::printf("qt_empty_window_ms: %.1f ms\n", median(kinds[2].times["painted_ms"]));
    // Where the fresh start's time goes, step by step (medians of each step's end).
    const char* const steps[][2] = {{"app_ms", "startup_phase_application_ms"},
                                    {"setup_ms", "startup_phase_setup_ms"},
                                    {"board_ms", "startup_phase_board_ms"},
                                    {"painted_ms", "startup_phase_first_paint_ms"},
                                    {"console_ms", "startup_phase_console_after_paint_ms"}};
    double previous = 0;
    for (const auto& step : steps) {
        const double end = median(kinds[0].times[step[0]]);
        std::printf("%s: %.1f ms\n", step[1], end - previous);
        previous = end;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--board") {
        return runBoard(argc, argv);
    }
    if (mode == "--empty") {
        return runEmpty(argc, argv);
    }
    return runBenchmark(argc, argv);
}
