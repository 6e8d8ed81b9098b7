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
    if (!gameViewShowing() || ui_->Label16->text() == QLatin1String("?")) {
        return;
    }
    AnswerRow& row = ui_->rows[n - 1];
    if (!row.key->isEnabled()) {
        PlayEffect(effects::kAnswer);
        return;
    }
    if (row.cover->isVisible()) {
        PlayEffect(effects::kAnswer);
        const QString line = card_.answerLines.value(n - 1);
        if (n >= 3 && line.isEmpty()) {
            return;
        }
        // Rows 1 and 2 always show; one left blank on the card (an empty line, or the ","
        // of a blank answer) is an empty answer worth nothing.
        const auto [text, points] =
            line.size() > 1 ? SplitAnswerLine(line) : std::pair{QString(), QStringLiteral("0")};
        // Points that are no whole number, or more than an answer can carry, stop the reveal
        // before the row changes: it stays covered with its "0", so the pot still adds up
        // the other rows.
        if (state_.PotOpen) {
            checkPoints(points, n);
        }
        row.answer->setText(text);
        row.points->setText(points);
        QFont f = row.answer->font();
        f.setPointSize(text.size() <= 30 ? 24 : 18);
        row.answer->setFont(f);
        if (state_.PotOpen) {
            recomputePot();
        }
        row.cover->hide();
        if (control_->syncWithGame()) {
            control_->setRevealMark(n, true);
        }
    } else {
        row.points->setText(QStringLiteral("0"));
        if (state_.PotOpen) {
            recomputePot();
        }
        row.cover->show();
        if (control_->syncWithGame()) {
            control_->setRevealMark(n, false);
        }
    }
}

void TForm1::checkPoints(const QString& points, int row) const {
    const QString where = QStringLiteral("\"%1\", línea %2 (respuesta %3): ")
                              .arg(shownPath(cardPath_))
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

void TForm1::recomputePot() {
    QList<qint64> points;
    for (const AnswerRow& row : ui_->rows) {
        points << toInt64(row.points->text());
    }
    ui_->Label17->setText(QString::number(game::potSum(points)));
}

void TForm1::showStrikePicture(const QString& path, const std::function<QImage()>& builtIn) {
    ui_->SpeedButton2->setEnabled(false);
    ui_->Timer2->stop();
    showPicture(ui_->Image1, path, builtIn);
    ui_->Image1->show();
    ui_->Image1->raise();
    setTimerInterval(ui_->Timer1, 1000);
    switchOn(ui_->Timer1);
    if (control_->syncWithGame()) {
        control_->showPicture(ui_->Image1->image());
    }
    PlayEffect(effects::kWrong);
}

void TForm1::Strike() {
    if (!gameViewShowing()) {
        return;
    }
    state_.StrikeCount = game::nextStrikeCount(state_.StrikeCount);
    showStrikePicture(
        mediaPath(QStringLiteral("Imagen\\Pictures\\equis%1.bmp").arg(state_.StrikeCount)),
        [count = state_.StrikeCount] { return art::strikeMarks(count); });
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
    state_.CountdownValue = 5;
    switchOn(ui_->Timer10);
    ui_->Timer9->start();
}

void TForm1::countdownTick() {
    const QString digits = QString::number(state_.CountdownValue);
    ui_->Label53->setText(digits);
    ui_->Label53->repaint();
    if (control_->syncWithGame()) {
        control_->setCountdown(digits);
    }
    if (state_.CountdownValue == 0) {
        ui_->Timer10->stop();
        state_.CountdownValue = 5;
        ui_->Label53->clear();
        control_->setCountdown(QString());
    }
    --state_.CountdownValue;
}

void TForm1::autoStrikeTick() {
    ui_->Timer9->stop();
    Strike();
}

}  // namespace velta
