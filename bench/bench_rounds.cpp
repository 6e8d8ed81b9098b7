// Round folder operations on a folder of 2,000 cards: listing them for the editor's question
// list, and removing the first card, which renames every other one.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "content/RoundFiles.h"

using namespace velta;

namespace {

using velta::bench::median;

const int kCards = 2000;

void fillFolder(const QString& folder) {
    const QStringList points{"40", "30", "15", "10", "5"};
    for (int n = 1; n <= kCards; ++n) {
        SaveRoundCard(folder, RoundKind::Normal, n,
                      QStringLiteral("¿Pregunta número %1 de la encuesta?").arg(n),
                      {"Respuesta uno", "Respuesta dos", "Respuesta tres", "Respuesta cuatro",
                       "Respuesta cinco"},
                      points);
    }
}

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    QTemporaryDir listed;
    fillFolder(listed.path());
    ListRounds(listed.path(), RoundKind::Normal);  // warm the file system cache
    std::vector<double> listTimes;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto rounds = ListRounds(listed.path(), RoundKind::Normal);
        listTimes.push_back(elapsedMs(timer));
        if (rounds.size() != kCards) {
            std::fprintf(stderr, "listed %lld cards instead of %d\n",
                         static_cast<long long>(rounds.size()), kCards);
            return 1;
        }
    }

    std::vector<double> removeTimes;
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir folder;
        fillFolder(folder.path());
        QElapsedTimer timer;
        timer.start();
        RemoveRound(folder.path(), RoundKind::Normal, 1);
        removeTimes.push_back(elapsedMs(timer));
        if (RoundExists(folder.path(), RoundKind::Normal, kCards) ||
            !RoundExists(folder.path(), RoundKind::Normal, kCards - 1)) {
            std::fprintf(stderr, "removal did not renumber the folder\n");
            return 1;
        }
    }

    const double list = median(listTimes);
    const double remove = median(removeTimes);
    std::printf("list_rounds_2000_ms: %.2f ms\n", list);
    std::printf("remove_round_1_of_2000_ms: %.2f ms\n", remove);
    std::printf("# goals: list_rounds_2000_ms < 50 (%s), remove_round_1_of_2000_ms < 1000 (%s)\n",
                list < 50 ? "met" : "missed", remove < 1000 ? "met" : "missed");
    return 0;
}
