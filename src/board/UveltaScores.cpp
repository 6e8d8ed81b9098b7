// Team scores: awarding the pot with Z and C, and the reassign panel of B.
#include "board/BoardStyle.h"
#include "board/Uvelta.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "sound/Sound.h"

namespace velta {

namespace {
const QString kLeftSide = QStringLiteral("EIzq");
const QString kRightSide = QStringLiteral("EDer");

bool isWholeNumber(const QString& text) {
    try {
        return toInt(text) >= 0;
    } catch (const ConversionError&) {
        return false;
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
    Panel21->hide();
    if (Label17->text() == QLatin1String("00")) {
        return;
    }
    if (!gameViewShowing()) {
        return;
    }
    (left ? SpeedButton13 : SpeedButton10)->setEnabled(false);
    Timer2->stop();
    PlayEffect(effects::kRoundWon);
    int multiplier = 1;
    if (state_.DoublePoints && options_.multipliersInNormal) {
        multiplier = 2;
    } else if (state_.TriplePoints && options_.multipliersInNormal) {
        multiplier = 3;
    }
    const int award = toInt(Label17->text()) * multiplier;
    ETotal->setText(QString::number(award));
    QLabel* score = left ? Label19 : Label20;
    score->setText(QString::number(toInt(score->text()) + award));
    state_.PotOpen = false;
    Label17->setText(QStringLiteral("00"));
    if (control_) {
        left ? control_->setLeftScore(score->text()) : control_->setRightScore(score->text());
    }
    EModo->setText(left ? kLeftSide : kRightSide);
}

void TForm1::setScores(const QString& left, const QString& right) {
    Label19->setText(left);
    Label20->setText(right);
}

void TForm1::BalanceScores() {
    setBackground(Panel20, backgroundColour_);
    setBackground(Panel21, backgroundColour_);
    const QColor nameColour = Edit16->palette().color(QPalette::Text);
    setTextColour(Label64, QPalette::WindowText, nameColour);
    setTextColour(Panel21, QPalette::WindowText, nameColour);
    Button4->setToolTip(QStringLiteral("Reasignar ") + ETotal->text() +
                        QStringLiteral(" puntos a ") + Edit16->text());
    Button5->setToolTip(QStringLiteral("Reasignar ") + ETotal->text() +
                        QStringLiteral(" puntos a ") + Edit17->text());
    if (!gameViewShowing() || Label16->text() == QLatin1String("?")) {
        return;
    }
    if (ETotal->text() == QLatin1String("0")) {
        Panel21->show();
        Panel21->raise();
        Timer15->start();
        return;
    }
    if (Panel20->isVisible()) {
        Panel20->hide();
    } else {
        Panel21->hide();
        Panel20->show();
        Panel20->raise();
        Button4->setFocus();
    }
}

void TForm1::noticeTick() {
    Timer15->stop();
    Panel21->hide();
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
    const int award = toInt(ETotal->text());
    const int left = toInt(Label19->text());
    const int right = toInt(Label20->text());
    const QString& side = toLeft ? kLeftSide : kRightSide;
    if ((toLeft ? right : left) < award || EModo->text() == side) {
        return;
    }
    const int shift = toLeft ? award : -award;
    setScores(QString::number(left + shift), QString::number(right - shift));
    mirrorScores();
    EModo->setText(side);
}

void TForm1::mirrorScores() {
    if (control_) {
        control_->setLeftScore(Label19->text());
        control_->setRightScore(Label20->text());
    }
}

void TForm1::SwapScores() {
    setScores(Label20->text(), Label19->text());
    mirrorScores();
    EModo->clear();
}

void TForm1::EnterScores() {
    // Asks until the answer is a whole number of 0 or more; cancelling offers the current
    // score, which stands when it is itself valid.
    const auto askScore = [](const QString& team, const QString& current) {
        for (;;) {
            const QString answer = dialogs()
                                       .textInput(QStringLiteral("Puntos para.."), team, current)
                                       .value_or(current);
            if (isWholeNumber(answer)) {
                return answer;
            }
        }
    };
    const QString left = askScore(Edit16->text(), Label19->text());
    const QString right = askScore(Edit17->text(), Label20->text());
    setScores(left, right);
    mirrorScores();
}

}  // namespace velta
