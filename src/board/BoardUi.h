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

// The board window's controls, each member named for its role; the comment gives its
// component name in the window definitions, which is its object name. Only the board's own
// sources see these members; tests and the other window find a control by its object name.
struct BoardUi {
    // Window level
    QLabel* title = nullptr;              // Label18
    QWidget* windowButtons = nullptr;     // Panel22
    KeyButton* minimiseButton = nullptr;  // SpeedButton77: minimise
    KeyButton* maximiseButton = nullptr;  // SpeedButton11: maximise
    KeyButton* closeButton = nullptr;     // SpeedButton12: close
    QWidget* stage = nullptr;             // Panel16
    QLabel* loadingNotice = nullptr;      // Panel9
    QWidget* corner = nullptr;            // Panel17: corner panel
    ImageBox* cornerLogo = nullptr;       // Image17
    QLabel* version = nullptr;            // Label22
    QPushButton* focusSink = nullptr;     // Button3
    QLineEdit* lastAwardField = nullptr;  // ETotal: points of the last award, from the game
    QLineEdit* lastSideField = nullptr;   // EModo: side of the last award: "EIzq", "EDer" or empty

    // Stage
    ImageBox* cover = nullptr;                   // Image2
    ImageBox* frame = nullptr;                   // Image13
    ImageBox* nextArrow = nullptr;               // Image15: next button picture
    QLineEdit* leftTeamName = nullptr;           // Edit16
    QLineEdit* rightTeamName = nullptr;          // Edit17
    QWidget* board = nullptr;                    // Panel1
    QWidget* potBox = nullptr;                   // Panel2
    ImageBox* potPicture = nullptr;              // Image12
    QLabel* pot = nullptr;                       // Label17
    QWidget* leftScoreBox = nullptr;             // Panel3
    ImageBox* leftScorePicture = nullptr;        // Image10
    QLabel* leftScore = nullptr;                 // Label19
    QWidget* rightScoreBox = nullptr;            // Panel4
    ImageBox* rightScorePicture = nullptr;       // Image11
    QLabel* rightScore = nullptr;                // Label20
    QWidget* menuCover = nullptr;                // Panel5
    QLabel* menuHint = nullptr;                  // Panel11
    QLabel* countdown = nullptr;                 // Label53
    FastMoneyBoard* fastMoney = nullptr;         // Panel18: fast-money board
    QWidget* reassignPanel = nullptr;            // Panel20
    QLabel* reassignCaption = nullptr;           // Label64
    QPushButton* toLeftButton = nullptr;         // Button4: <<
    QPushButton* toRightButton = nullptr;        // Button5: >>
    QPushButton* swapButton = nullptr;           // Button6: ><
    QPushButton* enterScoresButton = nullptr;    // Button7: [  ]
    QPushButton* closeReassignButton = nullptr;  // Button8: X
    QLabel* unassignedNotice = nullptr;          // Panel21: "Puntos sin asignar"
    QWidget* keyList = nullptr;                  // Panel14

    SoundBankPanel* soundBank = nullptr;  // Panel15: sound bank, kept out of view

    // Board
    ImageBox* boardBackground = nullptr;  // Image4
    QLabel* question = nullptr;           // Label16
    ImageBox* roundSplash = nullptr;      // Image1: the round splash and the strike pictures
    ImageBox* pointsSplash = nullptr;     // Image3
    std::array<AnswerRow, 5> rows;

    // The key row is built from the command table; its buttons are found by their letter.
    KeyButton* fitButton = nullptr;  // SpeedButton76: fit to monitor, hidden

    // Timers
    QTimer* splashTimer = nullptr;           // Timer1
    QTimer* blinkTimer = nullptr;            // Timer2
    QTimer* menuAutoHideTimer = nullptr;     // Timer3
    QTimer* firstStartThemeTimer = nullptr;  // Timer7
    QTimer* autoStrikeTimer = nullptr;       // Timer9
    QTimer* countdownTimer = nullptr;        // Timer10
    QTimer* acceptedThemeTimer = nullptr;    // Timer11
    QTimer* introTimer = nullptr;            // Timer12
    QTimer* fastMoneyClockTimer = nullptr;   // Timer13
    QTimer* winnerBlinkTimer = nullptr;      // Timer14
    QTimer* noticeTimer = nullptr;           // Timer15
};

}  // namespace velta
