#pragma once

#include <QList>
#include <QStringList>
#include <utility>

#include "board/DragPanel.h"

class QLineEdit;
class QListWidget;

namespace velta {

// The question explorer "Preguntas": every card of the series, one line each ("3.- ¿Qué
// llevas a la playa?"), with a search box that selects every line holding the typed text,
// whatever its case and accents. A click picks a card; each line keeps its card's number,
// so a gap in the numbering never opens the wrong card.
class QuestionExplorer : public DragPanel {
    Q_OBJECT
  public:
    explicit QuestionExplorer(QWidget* parent);

    void fill(const QList<std::pair<int, QString>>& rounds);
    // A card saved with a new question: its line shows it.
    void updateCard(int number, const QString& question);
    // Leaves the search's selection and selects the card's line alone.
    void select(int number);
    void search(const QString& text);
    int count() const;
    QList<int> selectedNumbers() const;

  Q_SIGNALS:
    void picked(int number);
    void closeRequested();

  private:
    QLineEdit* searchBox_;
    QListWidget* list_;
    QStringList keys_;
};

}  // namespace velta
