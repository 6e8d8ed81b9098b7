#pragma once

#include <QDialog>
#include <QString>

#include "content/QuestionSheet.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace velta {

// What an import would write, before anything is written: every row of the sheet with its
// question, answers, points and total, and "Lista" or the reason it is refused. The
// operator imports the ready rows into the rounds folder, or into a new folder named here,
// or cancels and nothing is written.
class SheetPreview : public QDialog {
    Q_OBJECT
  public:
    // `folder` is the rounds folder in force; `next` the file the first new card would take.
    SheetPreview(const QuestionSheet& sheet, const QString& source, const QString& folder,
                 const QString& next, QWidget* parent);

    const QuestionSheet& sheet() const { return sheet_; }
    // The folder the operator chose: the rounds folder, or the new one beside it.
    QString targetFolder() const;

  Q_SIGNALS:
    // "Importar N preguntas" with a usable target.
    void importRequested(const QString& folder);

  private:
    void fillTable();
    void confirm();

    QuestionSheet sheet_;
    QString folder_;
    QTableWidget* table_;
    QLabel* counts_;
    QRadioButton* intoFolder_;
    QRadioButton* intoNew_;
    QLineEdit* newName_;
    QLabel* nameProblem_;
    QPushButton* import_;
};

}  // namespace velta
