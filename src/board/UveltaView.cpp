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
            [this] { ui_->Label17->setText(Game::shown(game_->pot())); });
    connect(game_, &Game::scoresChanged, this, &TForm1::showScores);
    connect(game_, &Game::commandsChanged, this, &TForm1::showCommands);
    connect(game_, &Game::viewChanged, this, [this] {
        ui_->Image13->setVisible(game_->gameView());
        ui_->Image15->setVisible(game_->gameView());
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
    ui_->Edit16->show();
    ui_->Edit17->show();
    if (!game_->hasCard()) {
        ui_->Label16->setText(QStringLiteral("?"));
        return;
    }
    ui_->Label16->setText(game_->card().question);
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
    ui_->Label19->setText(left);
    ui_->Label20->setText(right);
    ui_->ETotal->setText(QString::number(game_->lastAward()));
    switch (game_->lastSide()) {
        case game::Side::Left:
            ui_->EModo->setText(QStringLiteral("EIzq"));
            break;
        case game::Side::Right:
            ui_->EModo->setText(QStringLiteral("EDer"));
            break;
        case game::Side::None:
            ui_->EModo->clear();
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
        ui_->Panel18->setAnswer(slot, game_->shownAnswer(slot));
        ui_->Panel18->setScore(slot, game_->shownScore(slot));
    }
    if (game_->fastMoneyBoardShown() == ui_->Panel18->isHidden()) {
        ui_->Panel18->setVisible(game_->fastMoneyBoardShown());
        if (game_->fastMoneyBoardShown()) {
            ui_->Panel18->raise();
        }
    }
}

}  // namespace velta
