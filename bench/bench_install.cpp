// How long an installed program's first start takes: from starting the process to the cover
// painted, on an empty show folder that the start fills from the program folder. The
// program runs itself as a child process for each start and prints the medians:
//   first_start_ms   an empty show folder, the copy of the shipped show included
//   later_start_ms   the same show folder again, now filled: only the check for new files
//   first_fill_ms    the copy alone, without a window

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <vector>

#include "BenchSupport.h"
#include "app/Show.h"
#include "app/ShowFolder.h"

namespace {

using velta::bench::median;
using velta::bench::monotonicNs;

constexpr int kRuns = 7;
const char* const kStartedAt = "VELTA_BENCH_STARTED_NS";
const char* const kShowFolder = "VELTA_BENCH_SHOW_FOLDER";

// In a child: the show on the folder it is given, ending once the cover has been painted.
int runFirstStart(int argc, char** argv) {
    QApplication app(argc, argv);
    velta::Show show(QStringLiteral(VELTA_PROGRAM_DIR), qEnvironmentVariable(kShowFolder));
    const bool opened = show.open([] {
        const double ms =
            double(monotonicNs() - qEnvironmentVariable(kStartedAt).toLongLong()) / 1e6;
        std::printf("painted_ms: %.2f\n", ms);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return opened ? QApplication::exec() : 1;
}

// One start of a child on the show folder; its time to the cover, or a negative number.
double timeOneStart(const QString& showFolder, const QString& runtime) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QLatin1String(kShowFolder), showFolder);
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--first-start")});
    env.insert(QLatin1String(kStartedAt), QString::number(monotonicNs()));
    child.setProcessEnvironment(env);
    child.start();
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        std::fprintf(stderr, "the start did not finish: %s\n",
                     child.readAllStandardError().constData());
        return -1;
    }
    const QByteArray out = child.readAllStandardOutput();
    const int at = out.indexOf("painted_ms: ");
    return at < 0 ? -1 : out.mid(at + 12).trimmed().toDouble();
}

int runBenchmark(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir runtime;
    std::vector<double> first;
    std::vector<double> later;
    std::vector<double> fill;
    // One untimed start, so every run finds the program's files in the cache.
    QTemporaryDir warm;
    if (timeOneStart(warm.path(), runtime.path()) < 0) {
        return 1;
    }
    for (int run = 0; run < kRuns; ++run) {
        QTemporaryDir show;
        const double firstMs = timeOneStart(show.path(), runtime.path());
        const double laterMs = timeOneStart(show.path(), runtime.path());
        if (firstMs < 0 || laterMs < 0) {
            return 1;
        }
        first.push_back(firstMs);
        later.push_back(laterMs);
        QTemporaryDir bare;
        QElapsedTimer timer;
        timer.start();
        velta::fillShowFolder(QStringLiteral(VELTA_PROGRAM_DIR), bare.path());
        fill.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("first_start_ms: %.1f ms\n", median(first));
    std::printf("later_start_ms: %.1f ms\n", median(later));
    std::printf("first_fill_ms: %.1f ms\n", median(fill));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--first-start") {
        return runFirstStart(argc, argv);
    }
    return runBenchmark(argc, argv);
}
