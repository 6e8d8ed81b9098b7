#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "content/QuestionSheet.h"

class QWidget;

namespace velta {

class TForm1;

// The question editor's way in and out of the rounds folder: "Importar…" a spreadsheet,
// "Pegar preguntas" copied from one, "Exportar…" the folder as a spreadsheet and "Imprimir
// hoja…" for the host. An import is previewed before anything is written; a long transfer
// goes in slices on the event loop behind a progress box, so the board keeps answering.
class QuestionTransfer : public QObject {
    Q_OBJECT
  public:
    // The buttons go into `panel`; dialogs open over `window`.
    QuestionTransfer(TForm1& board, QWidget* panel, QWidget* window);

    void importFile();
    void pasteQuestions();
    void exportFile();
    void printSheet();

  Q_SIGNALS:
    // New cards were written into the rounds folder in force.
    void cardsAdded();
    // An operation ended: the window gives the keyboard back to the game.
    void done();

  private:
    void preview(const QuestionSheet& sheet, const QString& source);
    void importInto(const QuestionSheet& sheet, const QString& folder);
    bool folderAvailable(QString* folder) const;

    TForm1& board_;
    QWidget* window_;
    QString lastFolder_;  // where the last spreadsheet was opened or saved
};

// Runs `step` until it returns false, a slice of a few tens of milliseconds at a time with
// the event loop turning between slices, behind a progress box over `window` once it takes
// long. False when the operator cancelled (only with `cancellable`).
bool runInSlices(QWidget* window, const QString& label, int total,
                 const std::function<bool()>& step, const std::function<int()>& done,
                 bool cancellable);

}  // namespace velta
