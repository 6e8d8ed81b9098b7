// A long show in fast motion: random commands on the board (every game key, the reassign
// panel's buttons, the ticks of the running timers), with what must always hold checked
// after each one. It prints the commands run, every broken rule, and the memory in use
// (resident set and heap) at the start, after the first 1,000 commands and at the end; with
// --growth-mb it fails when the heap grew more than that after the first 1,000.
//
//   velta-soak [--commands N] [--seed S] [--growth-mb M]
#include <malloc.h>
#include <unistd.h>
#include <QApplication>
#include <QFile>
#include <QtTest>
#include <cstdio>
#include <memory>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator knows what the program holds.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "BoardFixture.h"
#include "editing/GameSettings.h"
#include "platform/Errors.h"
#include "platform/Guard.h"

using namespace velta;
using velta::test::BoardFixture;
using velta::test::BoardView;

namespace {

// Commands of one show: after this many the show ends and another starts, with other
// options, so that both modes (S and F lock each other out) get their share.
const int kShowLength = 2000;

double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The memory the program has allocated and not freed. Under AddressSanitizer the resident
// set also holds the sanitizer's own records, which grow with every new call stack, so the
// heap in use is what shows a leak there.
double heapMegabytes() {
#if defined(__SANITIZE_ADDRESS__)
    return double(__sanitizer_get_current_allocated_bytes()) / (1024.0 * 1024.0);
#else
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
#endif
}

class Soak {
  public:
    explicit Soak(unsigned seed) : random_(seed) {}

    // Runs the commands; false once a rule is broken.
    bool run(int commands, const std::function<void(int)>& afterEach);

    // What the commands did, to show that the run played the game.
    int cardsPutUp = 0;
    int scoreChanges = 0;
    int strikes = 0;

  private:
    void startShow(int number);
    QString pickAndRun();
    void queueScoreEntries();
    bool holds(const QString& command, const QString& leftBefore, const QString& rightBefore);
    bool broken(const QString& command, const QString& rule);
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    std::mt19937 random_;
    std::unique_ptr<BoardFixture> show_;
    std::unique_ptr<BoardView> board_;
    QStringList lastCommands_;
};

void Soak::startShow(int number) {
    board_.reset();
    show_.reset();
    show_ = std::make_unique<BoardFixture>();
    show_->writeCards(9);
    for (int n = 1; n <= 3; ++n) {
        show_->folder.writeRound(n, QStringLiteral("Extra %1").arg(n),
                                 {QStringLiteral("Uno,60"), QStringLiteral("Dos,40"),
                                  QStringLiteral(","), QStringLiteral(","), QStringLiteral(",")},
                                 true);
    }
    const std::pair<const QString&, bool> markers[] = {
        {kMultipliersOffMarker, number % 3 == 1},
        {kAccumulateEasyMarker, number % 2 == 1},
        {kHideScoresMarker, number % 4 == 3},
        {kHideQuestionMarker, number % 5 == 4},
    };
    for (const auto& [marker, present] : markers) {
        if (present) {
            show_->folder.writeBytes(marker, "1");
        }
    }
    if (!show_->start()) {
        qFatal("The board did not come up");
    }
    board_ = std::make_unique<BoardView>(*show_->board);
    show_->board->activateWindow();
    show_->board->parkFocus();
}

// Scores the operator types into the reassign panel: most of them good, some refused
// first (not a number, or above the largest), some cancelled.
void Soak::queueScoreEntries() {
    for (int team = 0; team < 2; ++team) {
        switch (pick(6)) {
            case 0:
                show_->dialogs.inputs << QStringLiteral("diez");
                break;
            case 1:
                show_->dialogs.inputs << QStringLiteral("1000000000");
                break;
            default:
                break;
        }
        if (pick(5) == 0) {
            show_->dialogs.inputs << std::nullopt;
        } else {
            show_->dialogs.inputs << QString::number(pick(1000) * (pick(10) == 0 ? 999999 : 1));
        }
    }
}

QString Soak::pickAndRun() {
    TForm1& board = *show_->board;
    // Ticks of the timers that are running, as the event loop would deliver them.
    const std::pair<QTimer*, void (TForm1::*)()> timers[] = {
        {board_->Timer1, &TForm1::splashTick},       {board_->Timer2, &TForm1::blinkTick},
        {board_->Timer3, &TForm1::menuAutoHideTick}, {board_->Timer9, &TForm1::autoStrikeTick},
        {board_->Timer10, &TForm1::countdownTick},   {board_->Timer15, &TForm1::noticeTick},
    };
    const int choice = pick(40);
    if (choice < 6) {
        const auto& [timer, tick] = timers[choice];
        if (!timer->isActive()) {
            return QStringLiteral("-");
        }
        guarded([&board, tick = tick] { (board.*tick)(); });
        return timer->objectName();
    }
    if (choice < 11 && board_->Panel20->isVisible()) {
        QPushButton* buttons[] = {board_->Button4, board_->Button5, board_->Button6,
                                  board_->Button7, board_->Button8};
        QPushButton* button = buttons[choice - 6];
        if (button == board_->Button7) {
            queueScoreEntries();
        }
        button->click();
        return button->objectName();
    }
    // The game keys; 1 to 5, X and S come up most, as in a show.
    static const char keys[] = "sssaav1122334455xxhzzccbrndfmkgtje";
    const char key = keys[pick(int(sizeof(keys)) - 1)];
    if (key == 'e') {
        show_->dialogs.answers << false;
    }
    show_->press(key);
    return QString(QLatin1Char(key));
}

bool Soak::broken(const QString& command, const QString& rule) {
    std::printf("report: after \"%s\": %s\nlast commands: %s\n", qPrintable(command),
                qPrintable(rule), qPrintable(lastCommands_.join(' ')));
    return false;
}

bool Soak::holds(const QString& command, const QString& leftBefore, const QString& rightBefore) {
    const BoardView& b = *board_;
    const GameState& state = show_->board->state();
    if (!show_->dialogs.errors().isEmpty()) {
        return broken(command, QStringLiteral("error box: ") + show_->dialogs.errors().join('|'));
    }
    if (state.StrikeCount < 0 || state.StrikeCount > 3) {
        return broken(command, QStringLiteral("strike count %1").arg(state.StrikeCount));
    }
    try {
        if (state.PotOpen) {
            qint64 uncovered = 0;
            for (const BoardView::Row& row : b.rows) {
                const qint64 points = toInt64(row.points->text());
                if (!row.cover->isHidden() && points != 0) {
                    return broken(command, QStringLiteral("a covered row holds points"));
                }
                uncovered += points;
            }
            if (toInt64(b.Label17->text()) != uncovered) {
                return broken(command, QStringLiteral("pot %1, uncovered points %2")
                                           .arg(b.Label17->text())
                                           .arg(uncovered));
            }
        }
        for (QLabel* score : {b.Label19, b.Label20}) {
            if (toInt64(score->text()) < 0) {
                return broken(command, QStringLiteral("negative score ") + score->text());
            }
        }
    } catch (const ConversionError& e) {
        return broken(command, errorMessage(e));
    }
    const bool changed = b.Label19->text() != leftBefore || b.Label20->text() != rightBefore;
    static const QStringList scoring{"z", "c", "Button4", "Button5", "Button6", "Button7"};
    if (changed && !scoring.contains(command)) {
        const bool newGame = (command == QLatin1String("s") || command == QLatin1String("f")) &&
                             b.Label19->text() == QLatin1String("00") &&
                             b.Label20->text() == QLatin1String("00");
        if (!newGame) {
            return broken(command,
                          QStringLiteral("scores %1-%2 became %3-%4")
                              .arg(leftBefore, rightBefore, b.Label19->text(), b.Label20->text()));
        }
    }
    return true;
}

bool Soak::run(int commands, const std::function<void(int)>& afterEach) {
    for (int done = 0; done < commands; ++done) {
        if (done % kShowLength == 0) {
            startShow(done / kShowLength);
        }
        const QString left = board_->Label19->text();
        const QString right = board_->Label20->text();
        const int cleared = show_->control.clearCount;
        const int strikeCount = show_->board->state().StrikeCount;
        const QString command = pickAndRun();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        lastCommands_ << command;
        if (lastCommands_.size() > 30) {
            lastCommands_.removeFirst();
        }
        if (!holds(command, left, right)) {
            return false;
        }
        cardsPutUp += show_->control.clearCount - cleared;
        scoreChanges += board_->Label19->text() != left || board_->Label20->text() != right;
        strikes += show_->board->state().StrikeCount != strikeCount;
        // What the stand-ins record would grow for ever in a long run.
        show_->dialogs.shown.clear();
        show_->sound.clear();
        afterEach(done + 1);
    }
    board_.reset();
    show_.reset();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto option = [&args](const char* name, int fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
    };
    const int commands = option("--commands", 3000);
    const unsigned seed = unsigned(option("--seed", 1));
    const int growthLimit = option("--growth-mb", -1);

    Soak soak(seed);
    struct Memory {
        double rss;
        double heap;
    };
    const auto memory = [] { return Memory{residentMegabytes(), heapMegabytes()}; };
    const Memory atStart = memory();
    Memory afterThousand = atStart;
    const bool held = soak.run(commands, [&afterThousand, &memory, commands](int done) {
        if (done == 1000) {
            afterThousand = memory();
        }
        if (commands >= 10000 && done % (commands / 10) == 0) {
            const Memory now = memory();
            std::printf("at %d: rss %.1f MB, heap in use %.1f MB\n", done, now.rss, now.heap);
            std::fflush(stdout);
        }
    });
    const Memory atEnd = memory();
    std::printf("commands: %d (seed %u)\n", commands, seed);
    std::printf("cards put up: %d, score changes: %d, strikes: %d\n", soak.cardsPutUp,
                soak.scoreChanges, soak.strikes);
    std::printf("reports: %d\n", held ? 0 : 1);
    std::printf("rss_start: %.1f MB\nrss_after_1000: %.1f MB\nrss_end: %.1f MB\n", atStart.rss,
                afterThousand.rss, atEnd.rss);
    std::printf("heap_after_1000: %.1f MB\nheap_end: %.1f MB\n", afterThousand.heap, atEnd.heap);
    const double growth = atEnd.heap - afterThousand.heap;
    if (growthLimit >= 0 && commands > 1000 && growth > growthLimit) {
        std::printf("report: the heap grew %.1f MB after the first 1000 commands (limit %d MB)\n",
                    growth, growthLimit);
        return 1;
    }
    return held ? 0 : 1;
}
