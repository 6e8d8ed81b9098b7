#pragma once

#include <QStringList>
#include <array>

#include "board/DragPanel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velta {

class TForm1;

// The control window's fast-money panel Panel18: the operator types each player's answers
// and scores here and shows them on the board one by one with "»"; "Tiempo 1" and
// "Tiempo 2" run the clock, "Limpiar" empties both panels for the next round. What is typed,
// and whether the panel is open, is written through to the game as it happens, and shown
// again from the game when a saved game is put back.
class FastMoneyPanel : public DragPanel {
    Q_OBJECT
  public:
    FastMoneyPanel(TForm1& board, QWidget* parent);

    // "Dinero rápido": opens or closes fast money on both windows.
    void ToggleFastMoney();
    void setClock(const QString& text);
    void setBoardPanelShown(bool shown);
    QStringList scores() const;

  Q_SIGNALS:
    // A command ended: the window gives the keyboard back to the game.
    void done();

  private:
    void buildSlots();
    void buildButtons();
    void recount();
    void showAnswer(int slot);
    void showScore(int slot);
    void clearAll();
    void setOpen(bool open);
    void followGame();

    TForm1& board_;
    std::array<QLineEdit*, 10> answers_{};
    std::array<QLineEdit*, 10> scores_{};
    QLineEdit* total_ = nullptr;          // Edit4
    QLabel* clock_ = nullptr;             // Label62
    QPushButton* boardSwitch_ = nullptr;  // SpeedButton89
};

}  // namespace velta
