#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "board/FastMoneyBoard.h"
#include "board/ImageBox.h"
#include "board/KeyButton.h"

namespace velta {

class SoundBankPanel;

// One answer row of the board: cover, answer text, points, bar picture and its key.
struct AnswerRow {
    QLabel* cover = nullptr;
    QLabel* answer = nullptr;
    QLabel* points = nullptr;
    ImageBox* bar = nullptr;
    KeyButton* key = nullptr;
};

// The board window's controls, each named after its component in the window definitions.
// Only the board's own sources see them; tests and the other window find a control by its
// object name.
struct BoardUi {
    // Window level
    QLabel* Label18 = nullptr;           // title
    QWidget* Panel22 = nullptr;          // window buttons
    KeyButton* SpeedButton77 = nullptr;  // minimise
    KeyButton* SpeedButton11 = nullptr;  // maximise
    KeyButton* SpeedButton12 = nullptr;  // close
    QWidget* Panel16 = nullptr;          // stage
    QLabel* Panel9 = nullptr;            // loading notice
    QWidget* Panel17 = nullptr;          // corner panel
    ImageBox* Image17 = nullptr;         // corner logo
    QLabel* Label22 = nullptr;           // version
    QPushButton* Button3 = nullptr;      // focus sink
    QLineEdit* ETotal = nullptr;         // points of the last award, from the game
    QLineEdit* EModo = nullptr;          // side of the last award: "EIzq", "EDer" or empty

    // Stage
    ImageBox* Image2 = nullptr;   // cover
    ImageBox* Image13 = nullptr;  // frame
    ImageBox* Image15 = nullptr;  // next button picture
    QLineEdit* Edit16 = nullptr;  // left team name
    QLineEdit* Edit17 = nullptr;  // right team name
    QWidget* Panel1 = nullptr;    // board
    QWidget* Panel2 = nullptr;    // pot box
    ImageBox* Image12 = nullptr;
    QLabel* Label17 = nullptr;  // pot
    QWidget* Panel3 = nullptr;  // left score box
    ImageBox* Image10 = nullptr;
    QLabel* Label19 = nullptr;  // left score
    QWidget* Panel4 = nullptr;  // right score box
    ImageBox* Image11 = nullptr;
    QLabel* Label20 = nullptr;          // right score
    QWidget* Panel5 = nullptr;          // menu cover
    QLabel* Panel11 = nullptr;          // menu hint
    QLabel* Label53 = nullptr;          // countdown
    FastMoneyBoard* Panel18 = nullptr;  // fast-money board
    QWidget* Panel20 = nullptr;         // reassign panel
    QLabel* Label64 = nullptr;
    QPushButton* Button4 = nullptr;  // <<
    QPushButton* Button5 = nullptr;  // >>
    QPushButton* Button6 = nullptr;  // ><
    QPushButton* Button7 = nullptr;  // [  ]
    QPushButton* Button8 = nullptr;  // X
    QLabel* Panel21 = nullptr;       // "Puntos sin asignar"
    QWidget* Panel14 = nullptr;      // key list

    SoundBankPanel* Panel15 = nullptr;  // sound bank, kept out of view

    // Board
    ImageBox* Image4 = nullptr;  // board background
    QLabel* Label16 = nullptr;   // question
    ImageBox* Image1 = nullptr;  // round splash
    ImageBox* Image3 = nullptr;  // points splash
    std::array<AnswerRow, 5> rows;

    // The key row is built from the command table; its buttons are found by their letter.
    KeyButton* SpeedButton76 = nullptr;  // fit to monitor, hidden

    // Timers
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer7 = nullptr;
    QTimer* Timer9 = nullptr;
    QTimer* Timer10 = nullptr;
    QTimer* Timer11 = nullptr;
    QTimer* Timer12 = nullptr;
    QTimer* Timer13 = nullptr;
    QTimer* Timer14 = nullptr;
    QTimer* Timer15 = nullptr;
};

}  // namespace velta
