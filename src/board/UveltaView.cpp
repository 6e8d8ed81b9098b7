// The board as a view of the game: each kind of change of the game shows on the labels,
// keys and panels it concerns, and on the control window's copies of them.
#include "board/BoardUi.h"
#include "board/CommandTable.h"
#include "board/KeyRouter.h"
#include "board/Uvelta.h"

namespace velta {

void TForm1::followGame() {
    connect(game_, &Game::cardShown, this, &TForm1::showCardOnBoard);
    connect(game_, &Game::rowRevealed, this, &TForm1::showRow);
    connect(game_, &Game::potChanged, this,
            [this] { ui_->pot->setText(Game::shown(game_->pot())); });
    connect(game_, &Game::scoresChanged, this, &TForm1::showScores);
    connect(game_, &Game::commandsChanged, this, &TForm1::showCommands);
    connect(game_, &Game::viewChanged, this, [this] {
        ui_->frame->setVisible(game_->gameView());
        ui_->nextArrow->setVisible(game_->gameView());
    });
    connect(game_, &Game::fastMoneyChanged, this, &TForm1::showFastMoney);
    connect(game_, &Game::restored, this, &TForm1::showRestoredGame);
}

// The card put up: its question, every row covered with its "0", the rows it leaves out of
// use hidden, and the control window following.
void TForm1::showCardOnBoard() {
    for (AnswerRow& row : ui_->rows) {
        row.answer->clear();
        row.points->setText(QStringLiteral("0"));
        row.cover->show();
    }
    ui_->leftTeamName->show();
    ui_->rightTeamName->show();
    if (!game_->hasCard()) {
        ui_->question->setText(QStringLiteral("?"));
        return;
    }
    ui_->question->setText(game_->card().question);
    setRowsInUse(game_->card());
}

void TForm1::showRow(int n, bool uncovered) {
    AnswerRow& row = ui_->rows[n - 1];
    if (uncovered) {
        const auto [text, points] = game_->rowAnswer(n);
        row.answer->setText(text);
        row.points->setText(points);
        QFont f = row.answer->font();
        f.setPointSize(text.size() <= 30 ? 24 : 18);
        row.answer->setFont(f);
        row.cover->hide();
    } else {
        row.points->setText(QStringLiteral("0"));
        row.cover->show();
    }
}

void TForm1::showScores() {
    const QString left = Game::shown(game_->leftScore());
    const QString right = Game::shown(game_->rightScore());
    ui_->leftScore->setText(left);
    ui_->rightScore->setText(right);
    ui_->lastAwardField->setText(QString::number(game_->lastAward()));
    switch (game_->lastSide()) {
        case game::Side::Left:
            ui_->lastSideField->setText(QStringLiteral("EIzq"));
            break;
        case game::Side::Right:
            ui_->lastSideField->setText(QStringLiteral("EDer"));
            break;
        case game::Side::None:
            ui_->lastSideField->clear();
            break;
    }
}

void TForm1::showCommands() {
    for (const Command& c : commandTable()) {
        keys_->keyFor(QLatin1Char(c.letter))->setEnabled(game_->commandEnabled(c.letter));
    }
}

// N is not kept with the game: it is on except while a strike picture is up.
void TForm1::setNotOnBoardKey(bool enabled) {
    game_->setCommandEnabled('n', enabled);
}

void TForm1::showFastMoney() {
    for (int slot = 1; slot <= 10; ++slot) {
        ui_->fastMoney->setAnswer(slot, game_->shownAnswer(slot));
        ui_->fastMoney->setScore(slot, game_->shownScore(slot));
    }
    if (game_->fastMoneyBoardShown() == ui_->fastMoney->isHidden()) {
        ui_->fastMoney->setVisible(game_->fastMoneyBoardShown());
        if (game_->fastMoneyBoardShown()) {
            ui_->fastMoney->raise();
        }
    }
}

}  // namespace velta
