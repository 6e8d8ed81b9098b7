// The game in progress as a snapshot, and the board brought back to one after a crash.
#include <QFileInfo>

#include "board/BoardUi.h"
#include "board/FastMoneyBoard.h"
#include "board/KeyRouter.h"
#include "board/Uvelta.h"
#include "content/RoundFiles.h"
#include "game/GameSnapshot.h"

namespace velta {

namespace {

// The command keys whose enabled state the game changes.
const QString kTrackedKeys = QStringLiteral("asfzcx345");

}  // namespace

GameSnapshot TForm1::snapshot() const {
    GameSnapshot s;
    s.gameView = !ui_->Image13->isHidden();
    s.extraCard = shownKind_ == RoundKind::Extra;
    s.cardNumber = shownNumber_;
    s.state = state_;
    for (int i = 0; i < 5; ++i) {
        s.uncovered[i] = ui_->rows[i].cover->isHidden();
    }
    s.pot = ui_->Label17->text();
    s.leftScore = ui_->Label19->text();
    s.rightScore = ui_->Label20->text();
    s.lastAward = ui_->ETotal->text();
    s.lastSide = ui_->EModo->text();
    s.enabledKeys.clear();
    for (const QChar key : kTrackedKeys) {
        if (keys_->keyFor(key)->isEnabled()) {
            s.enabledKeys += key;
        }
    }
    for (int slot = 1; slot <= 10; ++slot) {
        s.shownAnswers[slot - 1] = ui_->Panel18->answer(slot);
        s.shownScores[slot - 1] = ui_->Panel18->score(slot);
    }
    s.highestScoreShown = highestScoreShown_;
    s.fastMoneyBoardShown = !ui_->Panel18->isHidden();
    control_->saveFastMoney(s);
    return s;
}

// Silently: no sound, no splash. A card that changed since is shown with its texts as they
// are now, the saved rows uncovered and the saved pot (what the audience saw); a card that
// is gone leaves the scores and counters on the cover.
void TForm1::restore(const GameSnapshot& s) {
    state_ = s.state;
    const RoundKind kind = s.extraCard ? RoundKind::Extra : RoundKind::Normal;
    bool cardUp = false;
    if (s.cardNumber > 0 && RoundExists(roundFolder(), kind, s.cardNumber)) {
        if (const auto found = readCardFile(kind, s.cardNumber)) {
            ClearRoundMarks();
            coverAllRows();
            showCoversAndTeams();
            shownKind_ = kind;
            shownNumber_ = s.cardNumber;
            showCard(kind, *found);
            for (int i = 0; i < 5; ++i) {
                if (!s.uncovered[i]) {
                    continue;
                }
                const QString line = card_.answerLines.value(i);
                const auto [text, points] = line.size() > 1
                                                ? SplitAnswerLine(line)
                                                : std::pair{QString(), QStringLiteral("0")};
                ui_->rows[i].answer->setText(text);
                ui_->rows[i].points->setText(points);
                ui_->rows[i].cover->hide();
                if (control_->syncWithGame()) {
                    control_->setRevealMark(i + 1, true);
                }
            }
            ui_->Label17->setText(s.pot);
            cardUp = true;
        }
    }
    setScores(s.leftScore, s.rightScore);
    ui_->ETotal->setText(s.lastAward);
    ui_->EModo->setText(s.lastSide);
    for (const QChar key : kTrackedKeys) {
        KeyButton* button = keys_->keyFor(key);
        const bool enabled = s.enabledKeys.contains(key);
        button->setEnabled(enabled);
        control_->setKeyEnabled(key, enabled);
    }
    control_->setAnswerKeysEnabled(s.enabledKeys.contains('3'), s.enabledKeys.contains('4'),
                                   s.enabledKeys.contains('5'));
    const bool game = s.gameView && cardUp;
    ui_->Image2->setVisible(!game);
    for (QWidget* w :
         {static_cast<QWidget*>(ui_->Image13), static_cast<QWidget*>(ui_->Image15), ui_->Panel1,
          static_cast<QWidget*>(ui_->Edit16), static_cast<QWidget*>(ui_->Edit17)}) {
        w->setVisible(game);
    }
    for (QWidget* box : {ui_->Panel2, ui_->Panel3, ui_->Panel4}) {
        box->setVisible(game && !settings_.hideScores);
    }
    for (int slot = 1; slot <= 10; ++slot) {
        ui_->Panel18->setAnswer(slot, s.shownAnswers[slot - 1]);
        ui_->Panel18->setScore(slot, s.shownScores[slot - 1]);
    }
    highestScoreShown_ = s.highestScoreShown;
    if (s.fastMoneyBoardShown) {
        ShowBoardPanel();
        if (!cardUp) {
            ui_->Label17->setText(s.pot);
        }
    } else {
        hideBoardPanel();
    }
    control_->restoreFastMoney(s);
}

}  // namespace velta
