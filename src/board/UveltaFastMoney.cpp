// Fast money on the board: the panel the audience sees, filled slot by slot from the
// control window, the running total, the winner picture and the clock.
#include "art/Art.h"
#include "board/BoardTimers.h"
#include "board/BoardUi.h"
#include "board/FastMoneyClock.h"
#include "board/Uvelta.h"
#include "game/GameRules.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

namespace {

// The scores the board total counts, slots 1 to `counted`; the others count 0. A score the
// console marks as wrong stops the count, naming its slot.
QList<qint64> fastMoneyValues(const QStringList& scores, int counted) {
    QList<qint64> values;
    for (int k = 0; k < scores.size(); ++k) {
        const std::optional<qint64> value = game::fastMoneyScore(scores[k]);
        if (k < counted && !value) {
            throw std::runtime_error(
                QStringLiteral("El puntaje %1 de Dinero rápido (\"%2\") no es un número entero "
                               "de 0 a %3; el total no cambió.")
                    .arg(k + 1)
                    .arg(elided(scores[k].trimmed()))
                    .arg(game::kLargestPoints)
                    .toStdString());
        }
        values << value.value_or(0);
    }
    return values;
}

}  // namespace

void TForm1::openFastMoney(bool open) {
    game_->setScores(0, 0);
    if (open) {
        ShowBoardPanel();
    } else {
        hideBoardPanel();
    }
}

void TForm1::ShowBoardPanel() {
    game_->setFastMoneyBoardShown(true);
    ui_->fastMoney->raise();
}

void TForm1::hideBoardPanel() {
    game_->setFastMoneyBoardShown(false);
}

// Hidden, the board's answer area goes too until the next card puts it up.
void TForm1::ToggleBoardPanel() {
    if (game_->fastMoneyBoardShown()) {
        hideBoardPanel();
        ui_->board->hide();
        ui_->stage->repaint();
    } else {
        ShowBoardPanel();
    }
}

void TForm1::showFastMoneyAnswer(int slot, const QString& text) {
    game_->showFastMoneyAnswer(slot, text);
    ui_->fastMoney->raise();
    PlayEffect(effects::kAnswer);
}

void TForm1::showFastMoneyScore(int slot, const QString& text, const QStringList& scores) {
    game_->showFastMoneyScore(slot, text);
    Cuenta(scores, slot);
}

// The board total counts every score up to the highest order shown so far, so showing an
// earlier slot again never lowers it. A score that is no whole number from 0 to the most
// an answer carries stops the count before anything changes but the copied text.
void TForm1::Cuenta(const QStringList& scores, int order) {
    const QList<qint64> values = fastMoneyValues(scores, qMax(order, game_->highestScoreShown()));
    ShowBoardPanel();
    const qint64 total = game_->countFastMoney(order, values);
    const game::FastMoneyCue cue = game::fastMoneyCue(values.value(order - 1), total);
    if (cue == game::FastMoneyCue::Win) {
        switchOn(ui_->winnerBlinkTimer);
        showPicture(ui_->fastMoney->winner(),
                    mediaPath(QStringLiteral("Imagen\\Pictures\\ganador.bmp")),
                    art::fastMoneyWinner);
        ui_->fastMoney->winner()->show();
        ui_->fastMoney->winner()->raise();
        setTimerInterval(ui_->splashTimer, 3000);
        switchOn(ui_->splashTimer);
        PlayEffect(effects::kRoundWon);
    } else {
        PlayEffect(cue == game::FastMoneyCue::Miss ? effects::kWrong : effects::kBell1);
    }
}

void TForm1::winnerBlinkTick() {
    if (!ui_->splashTimer->isActive()) {
        return;
    }
    ImageBox* winner = ui_->fastMoney->winner();
    winner->setVisible(!winner->isVisible());
}

void TForm1::startFastMoneyClock(int seconds) {
    ShowBoardPanel();
    fastMoneyClock_->start(seconds);
}

void TForm1::setClocks(const QString& text) {
    ui_->fastMoney->setClock(text);
    Q_EMIT fastMoneyClockShown(text);
}

void TForm1::showClockSecond(int seconds) {
    setClocks(QString::number(seconds));
    PlayEffect(effects::kSecond);
}

void TForm1::clockRanOut() {
    setClocks(QString());
    PlayEffect(effects::kBell2);
}

void TForm1::StopClock() {
    StopEffects();
    fastMoneyClock_->stop();
    setClocks(QString());
    PlayEffect(effects::kBell2);
}

void TForm1::stopFastMoneyClock() {
    fastMoneyClock_->stop();
    setClocks(QString());
}

// The board total goes back to "00", the empty pot, so Z and C still find a number there.
void TForm1::ClearFastMoney() {
    game_->clearFastMoney();
}

}  // namespace velta
