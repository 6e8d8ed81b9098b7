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
// A score as typed: "00" stands for a side with nothing written to it yet.
std::optional<qint64> shownScore(const QString& text) {
    return text.trimmed() == QLatin1String("00") ? std::nullopt
                                                 : std::optional<qint64>(toInt64(text));
}
}  // namespace

void TForm1::AssignLeft() {
    assign(true);
}
void TForm1::AssignRight() {
    assign(false);
}

void TForm1::assign(bool left) {
    ui_->unassignedNotice->hide();
    if (!game_->pot() || !gameViewShowing()) {
        return;
    }
    game_->setCommandEnabled(left ? 'z' : 'c', false);
    ui_->blinkTimer->stop();
    PlayEffect(effects::kRoundWon);
    const int multiplier = game::awardMultiplier({state().DoublePoints, state().TriplePoints},
                                                 settings_.multipliersInNormal);
    game_->award(left ? game::Side::Left : game::Side::Right, multiplier);
}

void TForm1::pressReassign(Reassign button) {
    switch (button) {
        case Reassign::ToLeft:
            ui_->toLeftButton->click();
            break;
        case Reassign::ToRight:
            ui_->toRightButton->click();
            break;
        case Reassign::Swap:
            ui_->swapButton->click();
            break;
        case Reassign::Enter:
            ui_->enterScoresButton->click();
            break;
    }
}

void TForm1::BalanceScores() {
    setBackground(ui_->reassignPanel, backgroundColour_);
    setBackground(ui_->unassignedNotice, backgroundColour_);
    const QColor nameColour = ui_->leftTeamName->palette().color(QPalette::Text);
    setTextColour(ui_->reassignCaption, QPalette::WindowText, nameColour);
    setTextColour(ui_->unassignedNotice, QPalette::WindowText, nameColour);
    const QString award = QString::number(game_->lastAward());
    ui_->toLeftButton->setToolTip(QStringLiteral("Reasignar ") + award +
                                  QStringLiteral(" puntos a ") + ui_->leftTeamName->text());
    ui_->toRightButton->setToolTip(QStringLiteral("Reasignar ") + award +
                                   QStringLiteral(" puntos a ") + ui_->rightTeamName->text());
    if (!gameViewShowing() || !game_->hasCard()) {
        return;
    }
    if (game_->lastAward() == 0) {
        ui_->unassignedNotice->show();
        ui_->unassignedNotice->raise();
        ui_->noticeTimer->start();
        return;
    }
    if (ui_->reassignPanel->isVisible()) {
        ui_->reassignPanel->hide();
    } else {
        ui_->unassignedNotice->hide();
        ui_->reassignPanel->show();
        ui_->reassignPanel->raise();
        ui_->toLeftButton->setFocus();
    }
}

void TForm1::noticeTick() {
    ui_->noticeTimer->stop();
    ui_->unassignedNotice->hide();
}

void TForm1::MoveToLeft() {
    game_->moveLastAward(game::Side::Left);
}
void TForm1::MoveToRight() {
    game_->moveLastAward(game::Side::Right);
}

void TForm1::SwapScores() {
    game_->swapScores();
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
    const QString left = askScore(ui_->leftTeamName->text(), Game::shown(game_->leftScore()));
    const QString right = askScore(ui_->rightTeamName->text(), Game::shown(game_->rightScore()));
    game_->setScores(shownScore(left), shownScore(right));
}

}  // namespace velta
