#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "board/ImageBox.h"
#include "board/KeyButton.h"
#include "board/Uvelta.h"

namespace velta::test {

// The board's controls as a test sees them: each found by its component name, the name the
// window definitions give it. `->` reaches the board itself.
struct BoardView {
    explicit BoardView(TForm1& board);

    TForm1* operator->() const { return &board; }
    operator TForm1&() const { return board; }

    TForm1& board;

    struct Row {
        QLabel* cover;
        QLabel* answer;
        QLabel* points;
        ImageBox* bar;
        KeyButton* key;
    };
    std::array<Row, 5> rows;

    QLabel* Label18;
    QWidget* Panel22;
    KeyButton* SpeedButton77;
    KeyButton* SpeedButton11;
    KeyButton* SpeedButton12;
    QWidget* Panel16;
    QLabel* Panel9;
    QWidget* Panel17;
    ImageBox* Image17;
    QLabel* Label22;
    QPushButton* Button3;
    QLineEdit* ETotal;
    QLineEdit* EModo;
    ImageBox* Image2;
    ImageBox* Image13;
    ImageBox* Image15;
    QLineEdit* Edit16;
    QLineEdit* Edit17;
    QWidget* Panel1;
    QWidget* Panel2;
    ImageBox* Image12;
    QLabel* Label17;
    QWidget* Panel3;
    ImageBox* Image10;
    QLabel* Label19;
    QWidget* Panel4;
    ImageBox* Image11;
    QLabel* Label20;
    QWidget* Panel5;
    QLabel* Panel11;
    QLabel* Label53;
    QWidget* Panel18;
    QWidget* Panel20;
    QLabel* Label64;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QLabel* Panel21;
    QWidget* Panel14;
    ImageBox* Image4;
    QLabel* Label16;
    ImageBox* Image1;
    ImageBox* Image3;
    KeyButton* SpeedButton14;
    KeyButton* SpeedButton9;
    KeyButton* SpeedButton3;
    KeyButton* SpeedButton79;
    KeyButton* SpeedButton1;
    KeyButton* SpeedButton2;
    KeyButton* SpeedButton37;
    KeyButton* SpeedButton13;
    KeyButton* SpeedButton10;
    KeyButton* SpeedButton81;
    KeyButton* SpeedButton15;
    KeyButton* SpeedButton17;
    KeyButton* SpeedButton19;
    KeyButton* SpeedButton34;
    KeyButton* SpeedButton33;
    KeyButton* SpeedButton36;
    KeyButton* SpeedButton84;
    KeyButton* SpeedButton16;
    KeyButton* SpeedButton76;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    QTimer* Timer7;
    QTimer* Timer9;
    QTimer* Timer10;
    QTimer* Timer11;
    QTimer* Timer12;
    QTimer* Timer13;
    QTimer* Timer14;
    QTimer* Timer15;
    QListWidget* ListBox2;
    QLabel* Label65;
};

}  // namespace velta::test
