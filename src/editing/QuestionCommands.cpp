#include "editing/QuestionCommands.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <functional>

#include "content/HostSheet.h"
#include "content/QuestionSheet.h"
#include "content/SheetTransfer.h"
#include "editing/GameSettings.h"
#include "platform/CommandOutput.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// The rounds folder the command works on: the one named, else the one in force.
QString commandFolder(const QString& programFolder, const QStringList& arguments) {
    setProgramFolder(programFolder);
    if (arguments.size() > 1) {
        return QFileInfo(arguments[1]).absoluteFilePath();
    }
    return ResolveRoundFolder(programFolder);
}

bool usable(const QStringList& arguments, const QString& option, const QString& file, FILE* err) {
    if (arguments.isEmpty() || arguments.size() > 2 || arguments[0].isEmpty()) {
        say(err, QStringLiteral("Uso: velta %1 %2 [CARPETA]").arg(option, file));
        return false;
    }
    return true;
}

bool folderThere(const QString& folder, FILE* err) {
    if (QFileInfo(normalizeSeparators(folder)).isDir()) {
        return true;
    }
    say(err, QStringLiteral("No existe la carpeta de rondas \"%1\".").arg(shownPath(folder)));
    return false;
}

// Letter where the desktop measures in inches, A4 elsewhere.
QPageSize localPaper() {
    return QLocale::system().measurementSystem() == QLocale::MetricSystem
               ? QPageSize(QPageSize::A4)
               : QPageSize(QPageSize::Letter);
}

}  // namespace

bool isQuestionCommand(const QString& option) {
    return option == kImportQuestionsOption || option == kExportQuestionsOption ||
           option == kHostSheetOption;
}

int questionCommand(const QString& programFolder, const QString& option,
                    const QStringList& arguments, FILE* out, FILE* err) {
    if (option == kImportQuestionsOption) {
        return importQuestionsCommand(programFolder, arguments, out, err);
    }
    if (option == kExportQuestionsOption) {
        return exportQuestionsCommand(programFolder, arguments, out, err);
    }
    return hostSheetCommand(programFolder, arguments, out, err);
}

int importQuestionsCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                           FILE* err) {
    if (!usable(arguments, kImportQuestionsOption, QStringLiteral("ARCHIVO.csv"), err)) {
        return 1;
    }
    const QString folder = commandFolder(programFolder, arguments);
    const QuestionSheet sheet = readQuestionSheetFile(QFileInfo(arguments[0]).absoluteFilePath());
    if (!sheet.problem.isEmpty()) {
        say(err, sheet.problem);
        return 1;
    }
    for (const SheetRow& row : sheet.rows) {
        if (!row.ready()) {
            say(err, row.problem);
        }
    }
    if (!folderThere(folder, err)) {
        return 1;
    }
    CardImport import(folder, sheet.rows);
    try {
        while (import.step()) {
        }
    } catch (const std::exception& e) {
        say(err, errorMessage(e));
        say(out, importNote(import, folder));
        return 1;
    }
    say(out, importNote(import, folder));
    return sheet.refusedCount() == 0 && import.done() > 0 ? 0 : 1;
}

namespace {

// A command that writes one file from a rounds folder: its arguments checked, the folder
// found, and the work's message printed, or the reason it failed.
int writeFromFolder(
    const QString& programFolder, const QStringList& arguments, const QString& option,
    const QString& fileHint, FILE* out, FILE* err,
    const std::function<QString(const QString& folder, const QString& file)>& work) {
    if (!usable(arguments, option, fileHint, err)) {
        return 1;
    }
    const QString folder = commandFolder(programFolder, arguments);
    if (!folderThere(folder, err)) {
        return 1;
    }
    try {
        say(out, work(folder, QFileInfo(arguments[0]).absoluteFilePath()));
        return 0;
    } catch (const std::exception& e) {
        say(err, errorMessage(e));
        return 1;
    }
}

}  // namespace

int exportQuestionsCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                           FILE* err) {
    return writeFromFolder(programFolder, arguments, kExportQuestionsOption,
                           QStringLiteral("ARCHIVO.csv"), out, err,
                           [](const QString& folder, const QString& file) {
                               SheetExport sheet(folder);
                               while (sheet.step()) {
                               }
                               writeWholeFile(file, sheet.bytes());
                               return QStringLiteral("Se exportaron %1 a \"%2\".")
                                   .arg(questionCount(sheet.done()), shownPath(file));
                           });
}

int hostSheetCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                     FILE* err) {
    return writeFromFolder(
        programFolder, arguments, kHostSheetOption, QStringLiteral("ARCHIVO.pdf"), out, err,
        [](const QString& folder, const QString& file) {
            int pages = 0;
            int cards = 0;
            writeHostSheetPdf(folder, readGameSettings().title, file, localPaper(), &pages, &cards);
            return QStringLiteral("La hoja del presentador tiene %1 en %2: \"%3\".")
                .arg(questionCount(cards), pageCount(pages), shownPath(file));
        });
}

}  // namespace velta
