// Team scores: awarding the pot with Z and C, and the reassign panel of B.
#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/Uvelta.h"
#include "game/GameRules.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "sound/Sound.h"

namespace velta {

namespace {
const QString kLeftSide = QStringLiteral("EIzq");
const QString kRightSide = QStringLiteral("EDer");

game::Side sideOf(const QString& mark) {
    if (mark == kLeftSide) {
        return game::Side::Left;
    }
    return mark == kRightSide ? game::Side::Right : game::Side::None;
}

enum class Entry { Valid, NotAScore, TooLarge };

// A typed score: a whole number from 0 to the largest the board takes. Digits too many for
// any number are too large as well.
Entry checkEntry(const QString& text) {
    try {
        const qint64 value = toInt64(text);
        if (value < 0) {
            return Entry::NotAScore;
        }
        return value > game::kLargestEnteredScore ? Entry::TooLarge : Entry::Valid;
    } catch (const ConversionError&) {
        return isDigits(text) ? Entry::TooLarge : Entry::NotAScore;
    }
}
}  // namespace

void TForm1::AssignLeft() {
    assign(true);
}
void TForm1::AssignRight() {
    assign(false);
}

void TForm1::assign(bool left) {
    ui_->Panel21->hide();
    if (ui_->Label17->text() == QLatin1String("00")) {
        return;
    }
    if (!gameViewShowing()) {
        return;
    }
    (left ? ui_->SpeedButton13 : ui_->SpeedButton10)->setEnabled(false);
    ui_->Timer2->stop();
    PlayEffect(effects::kRoundWon);
    const int multiplier = game::awardMultiplier({state_.DoublePoints, state_.TriplePoints},
                                                 settings_.multipliersInNormal);
    const qint64 pot = toInt64(ui_->Label17->text());
    const game::Scores after =
        game::award({toInt64(ui_->Label19->text()), toInt64(ui_->Label20->text())}, pot, multiplier,
                    left ? game::Side::Left : game::Side::Right);
    ui_->ETotal->setText(QString::number(pot * multiplier));
    // Only the awarded side's label is written: the other keeps its text ("00" stays "00").
    QLabel* score = left ? ui_->Label19 : ui_->Label20;
    score->setText(QString::number(left ? after.left : after.right));
    mirrorScores();
    state_.PotOpen = false;
    ui_->Label17->setText(QStringLiteral("00"));
    ui_->EModo->setText(left ? kLeftSide : kRightSide);
}

// Every change of the scores shows on the control window's mirrors too.
void TForm1::setScores(const QString& left, const QString& right) {
    ui_->Label19->setText(left);
    ui_->Label20->setText(right);
    mirrorScores();
}

void TForm1::pressReassign(Reassign button) {
    switch (button) {
        case Reassign::ToLeft:
            ui_->Button4->click();
            break;
        case Reassign::ToRight:
            ui_->Button5->click();
            break;
        case Reassign::Swap:
            ui_->Button6->click();
            break;
        case Reassign::Enter:
            ui_->Button7->click();
            break;
    }
}

QString TForm1::lastAwardPoints() const {
    return ui_->ETotal->text();
}

QString TForm1::leftScore() const {
    return ui_->Label19->text();
}

QString TForm1::rightScore() const {
    return ui_->Label20->text();
}

void TForm1::BalanceScores() {
    setBackground(ui_->Panel20, backgroundColour_);
    setBackground(ui_->Panel21, backgroundColour_);
    const QColor nameColour = ui_->Edit16->palette().color(QPalette::Text);
    setTextColour(ui_->Label64, QPalette::WindowText, nameColour);
    setTextColour(ui_->Panel21, QPalette::WindowText, nameColour);
    ui_->Button4->setToolTip(QStringLiteral("Reasignar ") + ui_->ETotal->text() +
                             QStringLiteral(" puntos a ") + ui_->Edit16->text());
    ui_->Button5->setToolTip(QStringLiteral("Reasignar ") + ui_->ETotal->text() +
                             QStringLiteral(" puntos a ") + ui_->Edit17->text());
    if (!gameViewShowing() || ui_->Label16->text() == QLatin1String("?")) {
        return;
    }
    if (ui_->ETotal->text() == QLatin1String("0")) {
        ui_->Panel21->show();
        ui_->Panel21->raise();
        ui_->Timer15->start();
        return;
    }
    if (ui_->Panel20->isVisible()) {
        ui_->Panel20->hide();
    } else {
        ui_->Panel21->hide();
        ui_->Panel20->show();
        ui_->Panel20->raise();
        ui_->Button4->setFocus();
    }
}

void TForm1::noticeTick() {
    ui_->Timer15->stop();
    ui_->Panel21->hide();
}

void TForm1::MoveToLeft() {
    moveLastAward(true);
}
void TForm1::MoveToRight() {
    moveLastAward(false);
}

// Moves the last award to the other side: refused when it is already there or when the
// giving team has fewer points than the award.
void TForm1::moveLastAward(bool toLeft) {
    const qint64 award = toInt64(ui_->ETotal->text());
    const qint64 left = toInt64(ui_->Label19->text());
    const qint64 right = toInt64(ui_->Label20->text());
    const auto moved = game::moveAward({left, right}, award, sideOf(ui_->EModo->text()),
                                       toLeft ? game::Side::Left : game::Side::Right);
    if (!moved) {
        return;
    }
    setScores(QString::number(moved->left), QString::number(moved->right));
    ui_->EModo->setText(toLeft ? kLeftSide : kRightSide);
}

void TForm1::mirrorScores() {
    control_->setLeftScore(ui_->Label19->text());
    control_->setRightScore(ui_->Label20->text());
}

void TForm1::SwapScores() {
    setScores(ui_->Label20->text(), ui_->Label19->text());
    ui_->EModo->clear();
}

void TForm1::EnterScores() {
    // Asks until the answer is a whole number of 0 or more; cancelling offers the current
    // score, which stands when it is itself a whole number. A typed score above the largest
    // the board takes is refused with a word to the operator.
    const auto askScore = [](const QString& team, const QString& current) {
        for (;;) {
            const std::optional<QString> typed =
                dialogs().textInput(QStringLiteral("Puntos para.."), team, current);
            const QString answer = typed.value_or(current);
            const Entry entry = checkEntry(answer);
            if (entry == Entry::Valid || (!typed && entry == Entry::TooLarge)) {
                return answer;
            }
            if (entry == Entry::TooLarge) {
                dialogs().notice(
                    QStringLiteral("El marcador %1 pasa del máximo de %2; escriba otro.")
                        .arg(elided(answer.trimmed()))
                        .arg(game::kLargestEnteredScore));
            }
        }
    };
    const QString left = askScore(ui_->Edit16->text(), ui_->Label19->text());
    const QString right = askScore(ui_->Edit17->text(), ui_->Label20->text());
    setScores(left, right);
}

}  // namespace velta
