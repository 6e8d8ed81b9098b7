#include "console/QuestionTransfer.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

#include "board/BoardStyle.h"
#include "board/Uvelta.h"
#include "console/SheetPreview.h"
#include "content/HostSheet.h"
#include "content/SheetTransfer.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

constexpr int kSliceMs = 30;

}  // namespace

bool runInSlices(QWidget* window, const QString& label, int total,
                 const std::function<bool()>& step, const std::function<int()>& done,
                 bool cancellable) {
    QProgressDialog progress(label, cancellable ? QStringLiteral("Cancelar") : QString(), 0,
                             qMax(total, 1), window);
    progress.setObjectName(QStringLiteral("ProgresoPreguntas"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    bool more = true;
    while (more) {
        QElapsedTimer slice;
        slice.start();
        while (more && slice.elapsed() < kSliceMs) {
            more = step();
        }
        progress.setValue(qMin(done(), qMax(total, 1)));
        QCoreApplication::processEvents();
        if (cancellable && progress.wasCanceled()) {
            return false;
        }
    }
    return true;
}

QuestionTransfer::QuestionTransfer(TForm1& board, QWidget* panel, QWidget* window)
    : QObject(panel), board_(board), window_(window) {
    const auto act = [this](QPushButton* b, void (QuestionTransfer::*operation)()) {
        connect(b, &QPushButton::clicked, this, [this, operation] {
            guarded([this, operation] { (this->*operation)(); });
            Q_EMIT done();
        });
    };
    act(commandButton(QStringLiteral("BImportar"), QStringLiteral("Importar…"),
                      QStringLiteral("Agregar preguntas desde una hoja de cálculo (CSV)"), panel,
                      QRect(234, 492, 78, 26)),
        &QuestionTransfer::importFile);
    act(commandButton(QStringLiteral("BPegar"), QStringLiteral("Pegar preguntas"),
                      QStringLiteral("Agregar las filas copiadas de una hoja de cálculo"), panel,
                      QRect(314, 492, 104, 26)),
        &QuestionTransfer::pasteQuestions);
    act(commandButton(QStringLiteral("BExportar"), QStringLiteral("Exportar…"),
                      QStringLiteral("Guardar todas las preguntas como hoja de cálculo (CSV)"),
                      panel, QRect(420, 492, 80, 26)),
        &QuestionTransfer::exportFile);
    act(commandButton(QStringLiteral("BImprimir"), QStringLiteral("Imprimir hoja…"),
                      QStringLiteral("Imprimir las preguntas y respuestas para el presentador"),
                      panel, QRect(502, 492, 96, 26)),
        &QuestionTransfer::printSheet);
}

bool QuestionTransfer::folderAvailable(QString* folder) const {
    *folder = board_.roundFolder();
    if (QFileInfo(normalizeSeparators(*folder)).isDir()) {
        return true;
    }
    dialogs().notice(QStringLiteral("No existe la carpeta de rondas \"%1\". Elija otra con "
                                    "\"Carpeta\".")
                         .arg(QDir::toNativeSeparators(*folder)));
    return false;
}

void QuestionTransfer::importFile() {
    const QString start = lastFolder_.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : lastFolder_;
    const QString path = dialogs().openFile(
        start, QStringLiteral("Hojas de cálculo (*.csv *.txt *.tsv);;Todos los archivos (*)"));
    if (path.isEmpty()) {
        return;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    const QuestionSheet sheet = readQuestionSheetFile(path);
    if (!sheet.problem.isEmpty()) {
        dialogs().notice(sheet.problem);
        return;
    }
    preview(sheet, QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName()));
}

void QuestionTransfer::pasteQuestions() {
    const QString text = QApplication::clipboard()->text();
    const QuestionSheet sheet = readQuestionSheet(text);
    if (!sheet.problem.isEmpty()) {
        dialogs().notice(
            QStringLiteral("El portapapeles no tiene preguntas: copie en la hoja de "
                           "cálculo las filas de las preguntas y vuelva a "
                           "intentarlo."));
        return;
    }
    preview(sheet, QStringLiteral("el portapapeles"));
}

void QuestionTransfer::preview(const QuestionSheet& sheet, const QString& source) {
    QString folder;
    if (!folderAvailable(&folder)) {
        return;
    }
    const CardImport plan(folder, {});
    auto* dialog = new SheetPreview(
        sheet, source, folder, roundFileName(RoundKind::Normal, plan.nextNumber(RoundKind::Normal)),
        window_);
    connect(dialog, &SheetPreview::importRequested, this, [this, sheet](const QString& target) {
        guarded([this, &sheet, &target] { importInto(sheet, target); });
        Q_EMIT done();
    });
    connect(dialog, &QDialog::rejected, this, &QuestionTransfer::done);
    // Window-modal: the board keeps its keys while the operator reads the preview.
    dialog->open();
}

void QuestionTransfer::importInto(const QuestionSheet& sheet, const QString& folder) {
    if (!QDir().mkpath(normalizeSeparators(folder))) {
        throw FileError(QStringLiteral("No se pudo crear la carpeta \"%1\"; no se importó "
                                       "ninguna pregunta.")
                            .arg(shownPath(folder)));
    }
    CardImport import(folder, sheet.rows);
    const bool inForce = QFileInfo(normalizeSeparators(folder)) ==
                         QFileInfo(normalizeSeparators(board_.roundFolder()));
    try {
        runInSlices(
            window_, QStringLiteral("Importando %1…").arg(questionCount(import.total())),
            import.total(), [&import] { return import.step(); },
            [&import] { return import.done(); }, false);
    } catch (const FileError& e) {
        if (inForce && import.done() > 0) {
            Q_EMIT cardsAdded();
        }
        throw FileError(errorMessage(e) + QStringLiteral(". ") + importNote(import, folder));
    }
    QString note = importNote(import, folder);
    if (sheet.refusedCount() > 0) {
        note += sheet.refusedCount() == 1
                    ? QStringLiteral(" La fila rechazada no se importó.")
                    : QStringLiteral(" Las %1 filas rechazadas no se importaron.")
                          .arg(sheet.refusedCount());
    }
    if (!inForce) {
        note += QStringLiteral(" Para jugarlas, elija esa carpeta con \"Carpeta\".");
    }
    dialogs().notice(note);
    if (inForce) {
        Q_EMIT cardsAdded();
    }
}

void QuestionTransfer::exportFile() {
    QString folder;
    if (!folderAvailable(&folder)) {
        return;
    }
    const QString start = lastFolder_.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : lastFolder_;
    const QString path = dialogs().saveFile(
        QStringLiteral("Exportar preguntas"), start, QStringLiteral("preguntas.csv"),
        QStringLiteral("Hoja de cálculo CSV (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    SheetExport sheet(folder);
    if (!runInSlices(
            window_, QStringLiteral("Exportando %1…").arg(questionCount(sheet.total())),
            sheet.total(), [&sheet] { return sheet.step(); }, [&sheet] { return sheet.done(); },
            true)) {
        return;
    }
    writeWholeFile(path, sheet.bytes());
    dialogs().notice(QStringLiteral("Se exportaron %1 a \"%2\".")
                         .arg(questionCount(sheet.done()), QDir::toNativeSeparators(path)));
}

void QuestionTransfer::printSheet() {
    QString folder;
    if (!folderAvailable(&folder)) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Hoja del presentador"));
    if (!dialogs().print(printer)) {
        return;
    }
    HostSheet sheet(folder, board_.settings().title, QDate::currentDate(), &printer);
    const bool printed = runInSlices(
        window_, QStringLiteral("Preparando la hoja del presentador…"), sheet.total(),
        [&sheet] { return sheet.step(); }, [&sheet] { return sheet.done(); }, true);
    if (!printed) {
        printer.abort();
        return;
    }
    sheet.finish();
    dialogs().notice(QStringLiteral("La hoja del presentador tiene %1 en %2.")
                         .arg(questionCount(sheet.done()), pageCount(sheet.pages())));
}

}  // namespace velta
