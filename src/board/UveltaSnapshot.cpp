// The game in progress as a snapshot, and the board brought back to one after a crash or
// by undo and redo.
#include "board/BoardUi.h"
#include "board/FastMoneyBoard.h"
#include "board/Uvelta.h"
#include "content/RoundFiles.h"
#include "game/GameSnapshot.h"
#include "platform/Guard.h"

namespace velta {

GameSnapshot TForm1::snapshot() const {
    return game_->snapshot();
}

// Silently: no sound, no splash. A card that changed since is shown with its texts as they
// are now, the saved rows uncovered and the saved pot (what the audience saw); a card that
// is gone leaves the scores and counters on the cover.
void TForm1::restore(const GameSnapshot& s) {
    const RoundKind kind = s.extraCard ? RoundKind::Extra : RoundKind::Normal;
    std::optional<FoundCard> found;
    if (s.cardNumber > 0 && RoundExists(roundFolder(), kind, s.cardNumber)) {
        found = readCardFile(kind, s.cardNumber);
    }
    game_->restore(s, found ? std::optional<RoundCard>(found->card) : std::nullopt,
                   found ? found->path : QString());
    // The board's own sink holds its keyboard too, so the keys play the game whichever window
    // the operator activates next: the restored team names never take it.
    ui_->focusSink->setFocus(Qt::OtherFocusReason);
    parkFocus();
}

void TForm1::undo() {
    if (game_->undo()) {
        parkFocusAndCancelStrike();
    }
}

void TForm1::redo() {
    if (game_->redo()) {
        parkFocusAndCancelStrike();
    }
}

void TForm1::stopSplashes() {
    ui_->splashTimer->stop();
    ui_->blinkTimer->stop();
    ui_->winnerBlinkTimer->stop();
    ui_->autoStrikeTimer->stop();
    ui_->roundSplash->hide();
    ui_->pointsSplash->hide();
    ui_->fastMoney->winner()->hide();
    Q_EMIT strikePictureHidden();
    setNotOnBoardKey(true);
}

// A whole game put back shows as it was: the card with its uncovered rows, the pot, the
// scores, the keys, fast money and the view, with no splash left over from before.
void TForm1::showRestoredGame() {
    stopSplashes();
    ClearRoundMarks();
    showCardOnBoard();
    for (int row = 1; row <= 5; ++row) {
        if (game_->uncovered(row)) {
            showRow(row, true);
        }
    }
    ui_->pot->setText(Game::shown(game_->pot()));
    showScores();
    showCommands();
    const bool game = game_->gameView() && game_->hasCard();
    ui_->cover->setVisible(!game);
    for (QWidget* w :
         {static_cast<QWidget*>(ui_->frame), static_cast<QWidget*>(ui_->nextArrow), ui_->board,
          static_cast<QWidget*>(ui_->leftTeamName), static_cast<QWidget*>(ui_->rightTeamName)}) {
        w->setVisible(game);
    }
    for (QWidget* box : {ui_->potBox, ui_->leftScoreBox, ui_->rightScoreBox}) {
        box->setVisible(game && !settings_.hideScores);
    }
    showFastMoney();
}

}  // namespace velta
