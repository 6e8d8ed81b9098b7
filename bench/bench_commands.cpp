// What a key costs the show: for S, 1, X, Z, B and G, the command's handling and the repaint
// it causes (median and 99th percentile), and the memory of the running board after start-up
// and after 1,000 commands, against a bare Qt window with the two sound voices of Qt
// Multimedia. Each side runs in a child process started from this program, on a PulseAudio
// server of the benchmark's own, so the voices connect as in a show and nothing is heard.
//   cmd_<key>_ms_median, cmd_<key>_ms_p99   handling and repaint of one key
//   rss_mb                                  the board after start-up, sounds loaded, the ten
//                                           bank slots filled with 3-minute MP3s and ready
//   rss_after_1000_mb                       the same board after 1,000 commands
//   qt_floor_rss_mb                         a bare window with a QSoundEffect playing and a
//                                           QMediaPlayer with its QAudioOutput
// and the control window's figures (measureConsole).

#include <QApplication>
#include <QAudioOutput>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QProcess>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "AudioFixtures.h"
#include "BenchSupport.h"
#include "app/AutoSave.h"
#include "app/Show.h"
#include "board/Uvelta.h"
#include "console/UConfig.h"
#include "editing/GameSettings.h"
#include "sound/SoundBank.h"

namespace {

using namespace velta::bench;

const char* const kBoardMode = "--board";
const char* const kFloorMode = "--qt-floor";
constexpr int kWarmUpCycles = 10;
constexpr int kCycles = 250;
constexpr int kCommandsPerCycle = 8;
constexpr int kCommandsForRss = 1000;

// Ten 3-minute MP3s (one tone, copied) as the bank that start-up restores.
QStringList writeFullBank(const QString& folder) {
    const QDir show(folder);
    show.mkpath(QStringLiteral("Audio/EFFECTS"));
    show.mkpath(QStringLiteral("Config"));
    const QString first = show.filePath(QStringLiteral("Audio/EFFECTS/bank-1.mp3"));
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
               QStringLiteral("-c"), QStringLiteral("2"), first, QStringLiteral("synth"),
               QStringLiteral("180"), QStringLiteral("sine"), QStringLiteral("440")});
    if (!sox.waitForFinished(60000) || sox.exitCode() != 0) {
        return {};
    }
    QStringList slots{first};
    for (int k = 2; k <= velta::SoundBank::kSlots; ++k) {
        slots << show.filePath(QStringLiteral("Audio/EFFECTS/bank-%1.mp3").arg(k));
        QFile::copy(first, slots.last());
    }
    const QString bank = show.filePath(QStringLiteral("Config/bench.bso"));
    velta::writeLinesFile(bank, slots);
    velta::writePathFile(show.filePath(velta::kBankPointerFile), bank);
    return slots;
}

// Counts the paints of a window, so a measure knows when its window has been drawn.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// The control window: T on the board until the console is drawn, then the twins of S and 1
// typed on the console, each with both windows repainted.
//   cmd_t_ms_median               T until the control window is painted
//   cmd_twin_<key>_ms_median, _p99 a twin's command and the repaint of both windows
bool measureConsole(velta::Show& show, int cards) {
    velta::TForm1& board = show.board();
    velta::TFConfig* console = show.console();
    if (!console) {
        std::fprintf(stderr, "the control window was not made after the first paint\n");
        return false;
    }
    auto* boardSink = board.findChild<QWidget*>(QStringLiteral("Button3"));
    auto* consoleSink = console->findChild<QWidget*>(QStringLiteral("Button3"));
    auto* splash = board.findChild<QTimer*>(QStringLiteral("Timer1"));
    // The main panel covers the window: its paint is the window's.
    PaintCounter consolePaints(console->findChild<QWidget*>(QStringLiteral("Panel7")));
    std::vector<double> opening;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 30; ++i) {
        console->close();
        runEventsUntil(50, [] { return false; });
        const int before = consolePaints.paints;
        const qint64 start = clock.nsecsElapsed();
        typeKey(boardSink, 't');
        if (!runEventsUntil(5000, [&] { return consolePaints.paints > before; })) {
            std::fprintf(stderr, "T did not show the control window (shown %d, paints %d)\n",
                         int(console->isVisible()), consolePaints.paints);
            return false;
        }
        opening.push_back((clock.nsecsElapsed() - start) / 1e6);
    }
    print("cmd_t_ms_median", percentile(opening, 0.5), "ms");

    std::map<char, std::vector<double>> twins;
    for (int round = 0; round < kWarmUpCycles + kCycles; ++round) {
        if (board.state().RoundNumber >= cards) {
            board.setPendingCard(QStringLiteral("ronda1.txt"));
        }
        for (char key : {'s', '1'}) {
            const qint64 start = clock.nsecsElapsed();
            typeKey(consoleSink, key);
            QCoreApplication::processEvents();
            if (round >= kWarmUpCycles) {
                twins[key].push_back((clock.nsecsElapsed() - start) / 1e6);
            }
            if (splash->isActive()) {
                board.splashTick();
            }
            QCoreApplication::processEvents();
            QThread::usleep(1000);
        }
    }
    for (char key : {'s', '1'}) {
        const QByteArray name = QByteArray("cmd_twin_") + key + "_ms";
        print((name + "_median").constData(), percentile(twins[key], 0.5), "ms");
        print((name + "_p99").constData(), percentile(twins[key], 0.99), "ms");
    }
    return true;
}

// Ctrl+Z on the board after a reveal, an award or a card put up: the game taken back a
// step and both windows shown as they were, repaint included.
//   cmd_undo_ms_median, cmd_undo_ms_p99
bool measureUndo(velta::Show& show) {
    velta::TForm1& board = show.board();
    auto* sink = board.findChild<QWidget*>(QStringLiteral("Button3"));
    auto* splash = board.findChild<QTimer*>(QStringLiteral("Timer1"));
    std::vector<double> undos;
    QElapsedTimer clock;
    clock.start();
    const char steps[] = {'1', 'z', 's'};
    for (int i = 0; i < 300; ++i) {
        typeKey(sink, steps[i % 3]);
        if (splash->isActive()) {
            board.splashTick();
        }
        QCoreApplication::processEvents();
        const qint64 start = clock.nsecsElapsed();
        typeKey(sink, 'z', Qt::ControlModifier);
        QCoreApplication::processEvents();
        undos.push_back((clock.nsecsElapsed() - start) / 1e6);
        typeKey(sink, 'y', Qt::ControlModifier);
        QCoreApplication::processEvents();
        QThread::usleep(1000);
    }
    if (!board.game().canUndo()) {
        std::fprintf(stderr, "Ctrl+Z found nothing to take back\n");
        return false;
    }
    print("cmd_undo_ms_median", percentile(undos, 0.5), "ms");
    print("cmd_undo_ms_p99", percentile(undos, 0.99), "ms");
    return true;
}

// The game in progress kept on disk after every change:
//   autosave_ms          one write of the file with its sync to disk (writer's thread)
//   autosave_ui_ms       the user-interface thread's share of a change: snapshot, compare,
//                        hand-over (median)
bool measureAutoSave(velta::Show& show) {
    velta::AutoSave* save = show.autoSave();
    if (!save) {
        std::fprintf(stderr, "the game in progress is not kept after the first paint\n");
        return false;
    }
    velta::TForm1& board = show.board();
    auto* sink = board.findChild<QWidget*>(QStringLiteral("Button3"));
    std::vector<double> ui;
    std::vector<double> writes;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i) {
        typeKey(sink, i % 2 ? '1' : '2');  // a change each time: a row uncovered or covered
        const qint64 start = clock.nsecsElapsed();
        save->check();
        ui.push_back((clock.nsecsElapsed() - start) / 1e6);
        save->writer().flush();
        writes.push_back(save->writer().lastWriteMs());
        QCoreApplication::processEvents();
    }
    print("autosave_ms", percentile(writes, 0.5), "ms");
    print("autosave_ui_ms", percentile(ui, 0.5), "ms");
    return true;
}

int runBoard(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!copyShow(QStringLiteral(VELTA_PROGRAM_DIR), folder.path())) {
        std::fprintf(stderr, "cannot copy the show from %s (build velta_data)\n",
                     VELTA_PROGRAM_DIR);
        return 1;
    }
    const QStringList slots = writeFullBank(folder.path());
    if (slots.isEmpty()) {
        std::fprintf(stderr, "cannot write the bank's MP3s (sox with MP3 support)\n");
        return 1;
    }
    const int cards = QDir(folder.filePath(QStringLiteral("Rondas")))
                          .entryList({QStringLiteral("ronda*.txt")}, QDir::Files)
                          .size();
    QDir::setCurrent(folder.path());
    velta::Show show(folder.path());
    if (!show.open()) {
        std::fprintf(stderr, "another copy of the program holds the lock\n");
        return 1;
    }
    velta::TForm1& board = show.board();
    const velta::QtSoundOutput& sound = show.sound();
    auto* intro = board.findChild<QTimer*>(QStringLiteral("Timer12"));
    auto* splash = board.findChild<QTimer*>(QStringLiteral("Timer1"));
    auto* sink = board.findChild<QWidget*>(QStringLiteral("Button3"));
    // Ready for the show: pictures read, sounds loaded, the media voice made, the bank's
    // files ready and the intro playing.
    const auto bankReady = [&] {
        return std::all_of(slots.begin(), slots.end(),
                           [&](const QString& slot) { return sound.bank().isReady(slot); });
    };
    if (!runEventsUntil(30000, [&] {
            return board.picturesReady() && sound.bank().isCreated() && bankReady() &&
                   !intro->isActive() && !sound.effects().playing().isEmpty();
        })) {
        std::fprintf(stderr, "the board did not get ready\n");
        return 1;
    }
    runEventsUntil(500, [] { return false; });
    print("rss_mb", rssMb(), "MB");

    // One cycle of a question: S, reveal, strike, award, the reassign panel open and shut,
    // the cover and back. Between two commands the event loop idles as between two keys, and
    // the splash and strike pictures end as their timers would end them.
    const char cycle[kCommandsPerCycle] = {'s', '1', 'x', 'z', 'b', 'b', 'g', 'g'};
    std::map<char, std::vector<double>> timings;
    QElapsedTimer clock;
    clock.start();
    int commands = 0;
    for (int round = 0; round < kWarmUpCycles + kCycles; ++round) {
        if (board.state().RoundNumber >= cards) {
            board.setPendingCard(QStringLiteral("ronda1.txt"));
        }
        for (char key : cycle) {
            const qint64 before = clock.nsecsElapsed();
            typeKey(sink, key);
            QCoreApplication::processEvents();
            const qint64 after = clock.nsecsElapsed();
            if (round >= kWarmUpCycles) {
                timings[key].push_back((after - before) / 1e6);
                ++commands;
            }
            if (splash->isActive()) {
                board.splashTick();
            }
            QCoreApplication::processEvents();
            QThread::usleep(1000);
            if (commands == kCommandsForRss) {
                runEventsUntil(500, [] { return false; });
                print("rss_after_1000_mb", rssMb(), "MB");
            }
        }
    }
    for (char key : {'s', '1', 'x', 'z', 'b', 'g'}) {
        const QByteArray name = QByteArray("cmd_") + key + "_ms";
        print((name + "_median").constData(), percentile(timings[key], 0.5), "ms");
        print((name + "_p99").constData(), percentile(timings[key], 0.99), "ms");
    }
    return measureUndo(show) && measureConsole(show, cards) && measureAutoSave(show) ? 0 : 1;
}

// The least any Qt Multimedia window of this kind costs: a bare window of the board's size,
// an effect looping as the intro does, and the media voice made.
int runFloor(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1156, 698);
    window.show();
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(QStringLiteral(VELTA_PROGRAM_DIR "/Audio/WAV/intro.wav")));
    effect.setLoopCount(QSoundEffect::Infinite);
    effect.play();
    QAudioOutput output;
    QMediaPlayer player;
    player.setAudioOutput(&output);
    if (!runEventsUntil(10000, [&] { return effect.isPlaying(); })) {
        std::fprintf(stderr, "the bare window's effect does not play\n");
        return 1;
    }
    runEventsUntil(1000, [] { return false; });
    print("qt_floor_rss_mb", rssMb(), "MB");
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
    if (argc > 1 && qstrcmp(argv[1], kFloorMode) == 0) {
        return runFloor(argc, argv);
    }
    QCoreApplication app(argc, argv);
    velta::test::PrivatePulseAudio pulse;
    const QString problem = pulse.start();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "no PulseAudio server for the sound voices: %s\n",
                     qPrintable(problem));
        return 1;
    }
    const bool floorRan = runChild(argv[0], kFloorMode);
    const bool boardRan = runChild(argv[0], kBoardMode);
    return floorRan && boardRan ? 0 : 1;
}
