#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <array>

#include "board/ControlLink.h"
#include "board/Uvelta.h"
#include "content/RoundFiles.h"

namespace velta::test {

// A stand-in for the control window: counts the board's requests, and follows the game's
// and the board's signals as the control window's host view does, so a test sees what the
// host would see with "Sincronizar con el juego" checked.
class RecordingControlLink : public ControlLink {
  public:
    bool shown = false;

    QString relay;
    std::array<bool, 5> marks{};  // revealed rows 1..5
    int clearCount = 0;
    QImage picture;
    bool pictureShown = false;
    QString countdown;

    int openCount = 0;  // T

    bool isShown() const override { return shown; }
    void open() override { ++openCount; }
    void confirmUnsavedQuestion() override {}
    void openThemes() override { ++themesCount; }
    void themeAccepted() override {}
    int themesCount = 0;  // J
    void parkFocus() override {}

    void follow(TForm1& board) {
        const Game& game = board.game();
        const auto card = [this, &game] {
            marks.fill(false);
            ++clearCount;
            if (game.hasCard()) {
                relay = roundFileName(game.cardKind(), game.cardNumber());
            }
            for (int row = 1; row <= 5; ++row) {
                marks.at(row - 1) = game.hasCard() && game.uncovered(row);
            }
        };
        QObject::connect(&game, &Game::cardShown, &board, card);
        QObject::connect(&game, &Game::restored, &board, card);
        QObject::connect(&game, &Game::rowRevealed, &board,
                         [this](int row, bool uncovered) { marks.at(row - 1) = uncovered; });
        QObject::connect(&board, &TForm1::strikePictureShown, &board, [this](const QImage& p) {
            picture = p;
            pictureShown = true;
        });
        QObject::connect(&board, &TForm1::strikePictureHidden, &board,
                         [this] { pictureShown = false; });
        QObject::connect(&board, &TForm1::countdownShown, &board,
                         [this](const QString& text) { countdown = text; });
    }
};

}  // namespace velta::test
