// The question editor on a rounds folder of 2,000 cards, as the operator uses it in the
// control window (offscreen):
//   editor_explore_2000_ms   "Explorar" until the explorer shows every card (median)
//   editor_search_key_ms     one keystroke in the explorer's search box (median)
//   editor_save_ms           "Guardar" (median)

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "ConsoleFixture.h"
#include "content/RoundFiles.h"

using namespace velta;

namespace {

using velta::bench::median;

constexpr int kCards = 2000;

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void typeKey(QWidget* field, QChar key) {
    const int code = key == QChar('\b') ? Qt::Key_Backspace : 0;
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, code ? QString() : QString(key));
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, code ? QString() : QString(key));
    QApplication::sendEvent(field, &release);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    test::ConsoleFixture f;
    const QString rounds = f.folder.file(QStringLiteral("Rondas"));
    for (int n = 1; n <= kCards; ++n) {
        SaveRoundCard(rounds, RoundKind::Normal, n,
                      QStringLiteral("¿Qué menciona la encuesta número %1 sobre el limón?").arg(n),
                      {"Respuesta uno", "Respuesta dos", "Respuesta tres", "Respuesta cuatro",
                       "Respuesta cinco"},
                      {"40", "30", "15", "10", "5"});
    }
    if (!f.startWithConsole()) {
        std::fprintf(stderr, "the control window did not open\n");
        return 1;
    }
    auto* explore = f.find<QPushButton>("BExplorar");
    auto* list = f.find<QListWidget>("ListBox1");
    auto* search = f.find<QLineEdit>("Edit15");

    std::vector<double> opening;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        explore->click();
        QCoreApplication::processEvents();
        opening.push_back(elapsedMs(timer));
        if (list->count() != kCards) {
            std::fprintf(stderr, "the explorer shows %d cards instead of %d\n", list->count(),
                         kCards);
            return 1;
        }
        if (run < 10) {
            explore->click();
        }
    }

    std::vector<double> keys;
    const QString typed = QStringLiteral("limon 19");
    for (int run = 0; run < 5; ++run) {
        for (const QChar key : typed + QString(typed.size(), QChar('\b'))) {
            QElapsedTimer timer;
            timer.start();
            typeKey(search, key);
            QCoreApplication::processEvents();
            keys.push_back(elapsedMs(timer));
        }
    }

    auto* save = f.find<QPushButton>("BGuardar");
    std::vector<double> saves;
    for (int run = 0; run < 31; ++run) {
        QElapsedTimer timer;
        timer.start();
        save->click();
        QCoreApplication::processEvents();
        saves.push_back(elapsedMs(timer));
    }

    const double exploreMs = median(opening);
    const double keyMs = median(keys);
    const double saveMs = median(saves);
    std::printf("editor_explore_2000_ms: %.2f ms\n", exploreMs);
    std::printf("editor_search_key_ms: %.2f ms\n", keyMs);
    std::printf("editor_save_ms: %.2f ms\n", saveMs);
    std::printf("# goals: explore < 100 (%s), search key < 10 (%s), save < 10 (%s)\n",
                exploreMs < 100 ? "met" : "missed", keyMs < 10 ? "met" : "missed",
                saveMs < 10 ? "met" : "missed");
    return 0;
}
