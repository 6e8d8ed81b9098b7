// Uncovering answers into the pot, strikes and the five-second timed question.
#include "art/Art.h"
#include "board/BoardTimers.h"
#include "board/BoardUi.h"
#include "board/Uvelta.h"
#include "game/GameRules.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

void TForm1::RevealOrHide(int n) {
    parkFocusAndCancelStrike();
    if (!gameViewShowing() || !game_->hasCard()) {
        return;
    }
    if (!ui_->rows[n - 1].key->isEnabled()) {
        PlayEffect(effects::kAnswer);
        return;
    }
    if (!game_->uncovered(n)) {
        PlayEffect(effects::kAnswer);
        if (n >= 3 && game_->card().answerLines.value(n - 1).isEmpty()) {
            return;
        }
        // Points that are no whole number, or more than an answer can carry, stop the reveal
        // before the row changes: it stays covered with its "0", so the pot still adds up
        // the other rows.
        if (state().PotOpen) {
            checkPoints(game_->rowAnswer(n).second, n);
        }
        game_->setUncovered(n, true);
    } else {
        game_->setUncovered(n, false);
    }
}

void TForm1::checkPoints(const QString& points, int row) const {
    const QString where = QStringLiteral("\"%1\", línea %2 (respuesta %3): ")
                              .arg(shownPath(game_->cardPath()))
                              .arg(row + 1)
                              .arg(row);
    qint64 value = 0;
    try {
        value = toInt64(points);
    } catch (const ConversionError& e) {
        if (!isDigits(points)) {
            throw FileError(where + errorMessage(e));
        }
        value = game::kLargestPoints + 1;  // more digits than any number holds
    }
    if (value < 0) {
        throw FileError(
            where +
            QStringLiteral("los puntos %1 no pueden ser negativos.").arg(elided(points.trimmed())));
    }
    if (value > game::kLargestPoints) {
        throw FileError(where + QStringLiteral("los puntos %1 pasan del máximo de %2.")
                                    .arg(elided(points.trimmed()))
                                    .arg(game::kLargestPoints));
    }
}

// While the picture is up, X and N are off on the board and their twins: a double tap
// shows the audience one strike.
void TForm1::showStrikePicture(const QString& path, const std::function<QImage()>& builtIn) {
    game_->setCommandEnabled('x', false);
    setNotOnBoardKey(false);
    ui_->blinkTimer->stop();
    showPicture(ui_->roundSplash, path, builtIn);
    ui_->roundSplash->show();
    ui_->roundSplash->raise();
    setTimerInterval(ui_->splashTimer, 1000);
    switchOn(ui_->splashTimer);
    Q_EMIT strikePictureShown(ui_->roundSplash->image());
    PlayEffect(effects::kWrong);
}

void TForm1::Strike() {
    if (!gameViewShowing()) {
        return;
    }
    game_->strike();
    const int count = state().StrikeCount;
    showStrikePicture(mediaPath(QStringLiteral("Imagen\\Pictures\\equis%1.bmp").arg(count)),
                      [count] { return art::strikeMarks(count); });
}

void TForm1::NotOnBoard() {
    if (!gameViewShowing()) {
        return;
    }
    showStrikePicture(mediaPath(QStringLiteral("Imagen\\Pictures\\noesta.bmp")),
                      art::notOnBoardMark);
}

void TForm1::TimedQuestion() {
    parkFocusAndCancelStrike();
    if (!gameViewShowing()) {
        return;
    }
    game_->setCountdown(5);
    switchOn(ui_->countdownTimer);
    ui_->autoStrikeTimer->start();
}

void TForm1::countdownTick() {
    const QString digits = QString::number(state().CountdownValue);
    ui_->countdown->setText(digits);
    ui_->countdown->repaint();
    Q_EMIT countdownShown(digits);
    if (state().CountdownValue == 0) {
        ui_->countdownTimer->stop();
        ui_->countdown->clear();
        Q_EMIT countdownShown(QString());
        game_->setCountdown(4);
        return;
    }
    game_->setCountdown(state().CountdownValue - 1);
}

void TForm1::autoStrikeTick() {
    ui_->autoStrikeTimer->stop();
    Strike();
}

}  // namespace velta
