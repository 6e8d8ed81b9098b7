// Questions in and out with 2,000 questions (offscreen):
//   import_2000_ms     a spreadsheet of 2,000 rows read and checked, its preview ready (median)
//   export_2000_ms     a rounds folder of 2,000 cards written as a spreadsheet (median)
//   sheet_pdf_2000_ms  the host's sheet of 2,000 cards written as a PDF (median)

#include <QApplication>
#include <QElapsedTimer>
#include <QPageSize>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "console/SheetPreview.h"
#include "content/HostSheet.h"
#include "content/QuestionSheet.h"
#include "content/SheetTransfer.h"

using namespace velta;

namespace {

using velta::bench::median;

constexpr int kQuestions = 2000;

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

// A spreadsheet as a Spanish spreadsheet saves it: semicolons, a header, accents.
QByteArray spreadsheet() {
    QByteArray bytes =
        "\xEF\xBB\xBFtipo;pregunta;respuesta 1;puntos 1;respuesta 2;puntos 2;"
        "respuesta 3;puntos 3;respuesta 4;puntos 4;respuesta 5;puntos 5\r\n";
    for (int n = 1; n <= kQuestions; ++n) {
        bytes += QStringLiteral(
                     "%1;\"¿Qué menciona la encuesta número %2 sobre el limón, la "
                     "sal y la playa?\";Limón;40;Sal;30;Playa;15;Mar;10;Sol;5\r\n")
                     .arg(n % 10 == 0 ? "extra" : "normal")
                     .arg(n)
                     .toUtf8();
    }
    return bytes;
}

void fillFolder(const QString& folder) {
    for (int n = 1; n <= kQuestions; ++n) {
        SaveRoundCard(folder, RoundKind::Normal, n,
                      QStringLiteral("¿Qué menciona la encuesta número %1 sobre el limón?").arg(n),
                      {"Respuesta uno", "Respuesta dos", "Respuesta tres", "Respuesta cuatro",
                       "Respuesta cinco"},
                      {"40", "30", "15", "10", "5"});
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir work;
    const QString csv = work.filePath(QStringLiteral("preguntas.csv"));
    writeWholeFile(csv, spreadsheet());

    std::vector<double> imports;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QuestionSheet sheet = readQuestionSheetFile(csv);
        SheetPreview preview(sheet, QStringLiteral("\"preguntas.csv\""), work.path(),
                             QStringLiteral("ronda1.txt"), nullptr);
        imports.push_back(elapsedMs(timer));
        if (sheet.readyCount() != kQuestions) {
            std::fprintf(stderr, "%d rows ready instead of %d\n", sheet.readyCount(), kQuestions);
            return 1;
        }
    }

    const QString rounds = work.filePath(QStringLiteral("Rondas"));
    QDir().mkpath(rounds);
    fillFolder(rounds);
    const QString exported = work.filePath(QStringLiteral("todo.csv"));
    std::vector<double> exports;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        SheetExport sheet(rounds);
        while (sheet.step()) {
        }
        writeWholeFile(exported, sheet.bytes());
        exports.push_back(elapsedMs(timer));
    }

    std::vector<double> sheets;
    for (int run = 0; run < 3; ++run) {
        int pages = 0;
        int cards = 0;
        QElapsedTimer timer;
        timer.start();
        writeHostSheetPdf(rounds, QStringLiteral("Veltarama"),
                          work.filePath(QStringLiteral("hoja.pdf")), QPageSize(QPageSize::A4),
                          &pages, &cards);
        sheets.push_back(elapsedMs(timer));
        if (cards != kQuestions) {
            std::fprintf(stderr, "the sheet holds %d cards instead of %d\n", cards, kQuestions);
            return 1;
        }
    }

    const double importMs = median(imports);
    const double exportMs = median(exports);
    const double sheetMs = median(sheets);
    velta::bench::print("import_2000_ms", importMs, "ms");
    velta::bench::print("export_2000_ms", exportMs, "ms");
    velta::bench::print("sheet_pdf_2000_ms", sheetMs, "ms");
    std::printf("# goals: import < 300 (%s), export < 200 (%s), sheet < 5000 (%s)\n",
                importMs < 300 ? "met" : "missed", exportMs < 200 ? "met" : "missed",
                sheetMs < 5000 ? "met" : "missed");
    return 0;
}
