// How the operator reaches the commands: every key button bound the same way, the clicks
// that act like keys, the timers, the focus sink, and presses on the window's background.
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "board/BoardUi.h"
#include "board/ClickAction.h"
#include "board/CommandTable.h"
#include "board/FastMoneyClock.h"
#include "board/KeyRouter.h"
#include "board/Uvelta.h"
#include "platform/Guard.h"
#include "sound/Sound.h"

namespace velta {

void TForm1::setControlLink(ControlLink* link) {
    control_ = link ? link : &noControl_;
}

KeyButton* TForm1::command(QChar key) const {
    return keys_->keyFor(key);
}

// A command runs through the guard as one step of undo, and then hands the keyboard back
// to the focus sink; only the open reassign panel keeps the focus it took. Anything else,
// a team name the focus fell to when the panel closed included, gives it back.
void TForm1::bindKey(QAbstractButton* button, std::function<void()> command) {
    connect(button, &QAbstractButton::clicked, this,
            [this, command = std::move(command)] { runStep(command); });
}

void TForm1::runStep(const std::function<void()>& command) {
    {
        const Game::Step step(*game_);
        guarded(command);
    }
    if (!(ui_->reassignPanel->isVisible() &&
          ui_->reassignPanel->isAncestorOf(QApplication::focusWidget()))) {
        parkFocus();
    }
}

void TForm1::run(QChar key) {
    if (const Command* c = findCommand(key)) {
        runStep([this, c] { c->run(*this); });
    }
}

void TForm1::connectCommands() {
    keepPressesOffTheBackground();
    const auto bind = [this](QAbstractButton* button, void (TForm1::*command)()) {
        bindKey(button, [this, command] { (this->*command)(); });
    };
    for (const Command& c : commandTable()) {
        bindKey(keys_->keyFor(QLatin1Char(c.letter)), [this, &c] { c.run(*this); });
    }
    bind(ui_->maximiseButton, &TForm1::maximize);
    bind(ui_->fitButton, &TForm1::fitToMonitor);
    bindKey(ui_->minimiseButton, [this] { showMinimized(); });
    bindKey(ui_->closeButton, [this] { close(); });
    bind(ui_->toLeftButton, &TForm1::MoveToLeft);
    bind(ui_->toRightButton, &TForm1::MoveToRight);
    bind(ui_->swapButton, &TForm1::SwapScores);
    bind(ui_->enterScoresButton, &TForm1::EnterScores);
    bindKey(ui_->closeReassignButton, [this] { ui_->reassignPanel->hide(); });

    // Clicks that act like keys: a row cover presses its row's key (in any state, as the
    // reveal itself checks the key), a score box presses Z or C (only while enabled), the
    // rest (the key list's " X ") have their own.
    for (int i = 0; i < 5; ++i) {
        ClickAction::attach(ui_->rows[i].cover, [this, i] { run(QChar('1' + i)); });
    }
    for (QWidget* w : {ui_->leftScoreBox, static_cast<QWidget*>(ui_->leftScorePicture),
                       static_cast<QWidget*>(ui_->leftScore)}) {
        ClickAction::attach(w, [this] { command('z')->click(); });
    }
    for (QWidget* w : {ui_->rightScoreBox, static_cast<QWidget*>(ui_->rightScorePicture),
                       static_cast<QWidget*>(ui_->rightScore)}) {
        ClickAction::attach(w, [this] { command('c')->click(); });
    }

    const auto tick = [this](QTimer* timer, void (TForm1::*handler)()) {
        connect(timer, &QTimer::timeout, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    tick(ui_->splashTimer, &TForm1::splashTick);
    tick(ui_->blinkTimer, &TForm1::blinkTick);
    tick(ui_->menuAutoHideTimer, &TForm1::menuAutoHideTick);
    tick(ui_->firstStartThemeTimer, &TForm1::firstStartThemeTick);
    // The strike the timed question adds is a step of its own, taken back like a key's.
    connect(ui_->autoStrikeTimer, &QTimer::timeout, this, [this] {
        const Game::Step step(*game_);
        guarded([this] { autoStrikeTick(); });
    });
    tick(ui_->countdownTimer, &TForm1::countdownTick);
    tick(ui_->acceptedThemeTimer, &TForm1::acceptedThemeTick);
    tick(ui_->introTimer, &TForm1::introTick);
    tick(ui_->noticeTimer, &TForm1::noticeTick);
    tick(ui_->winnerBlinkTimer, &TForm1::winnerBlinkTick);
    connect(ui_->fastMoneyClockTimer, &QTimer::timeout, this,
            [this] { guarded([this] { fastMoneyClock_->tick(); }); });
    connect(fastMoneyClock_, &FastMoneyClock::secondShown, this,
            [this](int seconds) { guarded([this, seconds] { showClockSecond(seconds); }); });
    connect(fastMoneyClock_, &FastMoneyClock::finished, this,
            [this] { guarded([this] { clockRanOut(); }); });
    connect(ui_->fastMoney, &FastMoneyBoard::closeRequested, this, [this] {
        guarded([this] { hideBoardPanel(); });
        parkFocus();
    });

    connect(ui_->cover, &ImageBox::clicked, this, [this] {
        if (!game_->commandEnabled('a')) {
            const Game::Step step(*game_);
            guarded([this] { NextQuestion(); });
        }
    });
    connect(ui_->nextArrow, &ImageBox::clicked, this, [this] {
        const Game::Step step(*game_);
        guarded([this] { state().EasyMode ? EasyNext() : NextQuestion(); });
    });
    keys_->setUndo([this] { guarded([this] { undo(); }); },
                   [this] { guarded([this] { redo(); }); });
    keys_->setButtons([this](int key) { return pressBuzzerButton(key); });
    connect(ui_->leftTeamName, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { storeTeamNames(ui_->leftTeamName); }); });
    connect(ui_->rightTeamName, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { storeTeamNames(ui_->rightTeamName); }); });
}

void TForm1::parkFocus() {
    if (control_->isShown()) {
        control_->parkFocus();
    } else {
        ui_->focusSink->setFocus(Qt::OtherFocusReason);
    }
}

void TForm1::parkFocusAndCancelStrike() {
    parkFocus();
    ui_->autoStrikeTimer->stop();
}

// The window's background is the window itself, its stage and the frame picture around
// the game. Presses on anything in front of them (the board, the score boxes, the title,
// the panels) stop there, whether or not that element acts on them.
void TForm1::keepPressesOffTheBackground() {
    QList<QWidget*> elements = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    elements += ui_->stage->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : elements) {
        if (w != ui_->stage && w != ui_->frame) {
            w->setAttribute(Qt::WA_NoMousePropagation);
        }
    }
}

// A press on the background drags the window; near its edges it resizes it, since the
// window has no frame of its own.
void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    parkFocusAndCancelStrike();
    const QPoint pos = mapFromGlobal(event->globalPosition().toPoint());
    if (!windowHandle()) {
        return;
    }
    const int grip = 6;
    Qt::Edges edges;
    if (pos.x() < grip)
        edges |= Qt::LeftEdge;
    if (pos.x() >= width() - grip)
        edges |= Qt::RightEdge;
    if (pos.y() < grip)
        edges |= Qt::TopEdge;
    if (pos.y() >= height() - grip)
        edges |= Qt::BottomEdge;
    if (edges) {
        windowHandle()->startSystemResize(edges);
    } else {
        windowHandle()->startSystemMove();
    }
    event->accept();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        guarded([this] { maximize(); });
    }
}

// The window buttons are anchored to the top-right corner.
void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QWidget* buttons = ui_->windowButtons;
    buttons->move(width() - buttonsRightMargin_ - buttons->width(), buttons->y());
}

}  // namespace velta
