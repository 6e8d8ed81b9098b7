#pragma once

#include <QWidget>

#include "board/Uvelta.h"

class QLabel;
class QPushButton;
class QTimer;

namespace velta {

// The control window's reassign menu " Reasignar puntos" (Panel20) with its notice "Puntos
// sin asignar" (Panel21): it moves, swaps or re-enters the scores by pressing the board's
// own buttons, so the audience sees nothing of it.
class ReassignMenu : public QObject {
    Q_OBJECT
  public:
    ReassignMenu(TForm1& board, QWidget* window);

    // Balance: the menu's texts from the board, then the menu toggled, or the notice when
    // nothing was awarded yet. Nothing while the board shows the cover.
    void balance();
    void hide();
    void noticeTick();

  Q_SIGNALS:
    // A command of the menu ran; the window gives the keyboard back to the game.
    void done();

  private:
    void addRow(int row, const QString& buttonName, const QString& caption,
                const QString& labelName, const QString& text, std::function<void()> action);

    TForm1& board_;
    QWidget* menu_;                   // Panel20
    QLabel* notice_;                  // Panel21
    QTimer* noticeTimer_;             // Timer15
    QPushButton* toLeft_ = nullptr;   // Button4
    QPushButton* toRight_ = nullptr;  // Button5
    QLabel* leftText_ = nullptr;      // Label3
    QLabel* rightText_ = nullptr;     // Label4
};

}  // namespace velta
