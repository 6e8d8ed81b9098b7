// What a theme pack costs the show while it comes in: S typed on the board (its handling and
// repaint, as in bench_commands) while a 50 MB pack downloads from a local server, and while
// the same pack is checked and unpacked on its worker thread. The server runs on a thread of
// its own, as a real server runs elsewhere. The board runs in a child process on a
// PulseAudio server of the benchmark's own, so the sound voices connect as in a show.
//   cmd_s_idle_ms_median               S with nothing else going on, for comparison
//   cmd_s_during_download_ms_median, _p99
//   cmd_s_during_install_ms_median, _p99
//   pack_download_mb_per_s             the download's own speed meanwhile

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "AudioFixtures.h"
#include "BenchSupport.h"
#include "PackFixtures.h"
#include "PackServer.h"
#include "app/Show.h"
#include "board/Uvelta.h"
#include "packs/PackDownload.h"
#include "packs/PackFormat.h"
#include "packs/PackInstallJob.h"

namespace {

using namespace velta::bench;

const char* const kBoardMode = "--board";
constexpr qint64 kPackBytes = 50LL * 1024 * 1024;
constexpr size_t kSamples = 300;

// The fiesta pack with a 50 MB sound of noise, which does not compress.
QByteArray largePack(const QString& file) {
    velta::test::PackFiles files = velta::test::fiestaPack();
    QByteArray noise(kPackBytes, Qt::Uninitialized);
    QRandomGenerator generator(15);
    generator.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    files[QStringLiteral("Audio/EFFECTS/Gran final.mp3")] = noise;
    velta::test::writeZip(file, velta::test::packEntries(files));
    QFile zip(file);
    return zip.open(QIODevice::ReadOnly) ? zip.readAll() : QByteArray();
}

// S typed on the board again and again while `busy` holds (or, without it, a fixed number
// of times): the handling and repaint of each, in milliseconds.
class KeyTimer {
  public:
    explicit KeyTimer(velta::TForm1& board)
        : board_(board),
          sink_(board.findChild<QWidget*>(QStringLiteral("Button3"))),
          splash_(board.findChild<QTimer*>(QStringLiteral("Timer1"))),
          cards_(QDir(board.roundFolder())
                     .entryList({QStringLiteral("ronda*.txt")}, QDir::Files)
                     .size()) {
        clock_.start();
    }

    double once() {
        if (board_.state().RoundNumber >= cards_) {
            board_.setPendingCard(QStringLiteral("ronda1.txt"));
        }
        const qint64 start = clock_.nsecsElapsed();
        typeKey(sink_, 's');
        QCoreApplication::processEvents();
        const double ms = (clock_.nsecsElapsed() - start) / 1e6;
        if (splash_->isActive()) {
            board_.splashTick();
        }
        QCoreApplication::processEvents();
        QThread::usleep(2000);
        return ms;
    }

  private:
    velta::TForm1& board_;
    QWidget* sink_;
    QTimer* splash_;
    int cards_;
    QElapsedTimer clock_;
};

void report(const char* name, const std::vector<double>& samples) {
    print((QByteArray(name) + "_median").constData(), percentile(samples, 0.5), "ms");
    print((QByteArray(name) + "_p99").constData(), percentile(samples, 0.99), "ms");
}

int runBoard(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QTemporaryDir work;
    if (!copyShow(QStringLiteral(VELTA_PROGRAM_DIR), folder.path())) {
        std::fprintf(stderr, "cannot copy the show from %s\n", VELTA_PROGRAM_DIR);
        return 1;
    }
    const QString packFile = work.filePath(QStringLiteral("gran-fiesta.zip"));
    const QByteArray pack = largePack(packFile);

    QThread serverThread;
    auto* server = new velta::test::PackServer;
    server->serve(QStringLiteral("/gran-fiesta.zip"), pack);
    server->moveToThread(&serverThread);
    QObject::connect(&serverThread, &QThread::finished, server, &QObject::deleteLater);
    serverThread.start();
    const auto stopServer = qScopeGuard([&serverThread] {
        serverThread.quit();
        serverThread.wait();
    });
    bool listening = false;
    QMetaObject::invokeMethod(
        server, [&] { listening = server->listen(); }, Qt::BlockingQueuedConnection);
    if (!listening) {
        std::fprintf(stderr, "the local server cannot listen\n");
        return 1;
    }

    QDir::setCurrent(folder.path());
    velta::Show show(folder.path());
    if (!show.open()) {
        std::fprintf(stderr, "another copy of the program holds the lock\n");
        return 1;
    }
    velta::TForm1& board = show.board();
    auto* intro = board.findChild<QTimer*>(QStringLiteral("Timer12"));
    if (!runEventsUntil(10000, [&] {
            return board.picturesReady() && show.sound().bank().isCreated() && !intro->isActive() &&
                   show.console();
        })) {
        std::fprintf(stderr, "the board did not get ready\n");
        return 1;
    }
    KeyTimer keys(board);
    std::vector<double> idle;
    for (size_t i = 0; i < kSamples; ++i) {
        idle.push_back(keys.once());
    }
    print("cmd_s_idle_ms_median", percentile(idle, 0.5), "ms");

    velta::CatalogueEntry entry;
    entry.id = QStringLiteral("gran-fiesta");
    entry.entry = QStringLiteral("Gran Fiesta");
    entry.version = QStringLiteral("1");
    entry.size = pack.size();
    entry.sha256 = velta::sha256Hex(pack);
    entry.url = server->url(QStringLiteral("/gran-fiesta.zip"));
    velta::PackDownloader downloader;
    QString failure;
    QObject::connect(&downloader, &velta::PackDownloader::failed,
                     [&failure](const QString& message) { failure = message; });
    std::vector<double> during;
    qint64 downloadedBytes = 0;
    QElapsedTimer downloading;
    qint64 downloadingNs = 0;
    while (during.size() < kSamples && failure.isEmpty()) {
        downloader.download(entry);
        downloading.start();
        while (downloader.busy()) {
            during.push_back(keys.once());
        }
        downloadingNs += downloading.nsecsElapsed();
        downloadedBytes += pack.size();
    }
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    report("cmd_s_during_download_ms", during);
    print("pack_download_mb_per_s", downloadedBytes / (1024.0 * 1024.0) / (downloadingNs / 1e9),
          "MB/s");

    velta::PackInstallJob job;
    QObject::connect(&job, &velta::PackInstallJob::failed,
                     [&failure](const QString& message) { failure = message; });
    during.clear();
    while (during.size() < kSamples && failure.isEmpty()) {
        job.start(packFile);
        while (job.busy()) {
            during.push_back(keys.once());
        }
    }
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    report("cmd_s_during_install_ms", during);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc > 1 && qstrcmp(argv[1], kBoardMode) == 0) {
        return runBoard(argc, argv);
    }
    QCoreApplication app(argc, argv);
    velta::test::PrivatePulseAudio pulse;
    const QString problem = pulse.start();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "no PulseAudio server for the sound voices: %s\n",
                     qPrintable(problem));
        return 1;
    }
    return runChild(argv[0], kBoardMode) ? 0 : 1;
}
