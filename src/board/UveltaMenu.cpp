// The menu row, the key list, the reassign panel's place, the sound bank's place, the
// cover/game switch, leaving the game and the window's maximise control.
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/KeyListPanel.h"
#include "board/SoundBankPanel.h"
#include "board/TipStyle.h"
#include "board/Uvelta.h"
#include "editing/SettingsStore.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "sound/Sound.h"

namespace velta {

namespace {

const QPoint kSoundBankAway(380, 9390);

QPushButton* panelButton(const QString& name, const QString& text, const QString& hint, int x,
                         QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setToolTipDuration(kTipDurationMs);
    b->setGeometry(x, 2, 30, 22);
    return b;
}

}  // namespace

void TForm1::buildReassignPanel() {
    ui_->reassignPanel = new QWidget(this);
    ui_->reassignPanel->setObjectName(QStringLiteral("Panel20"));
    ui_->reassignPanel->setGeometry(454, 618, 292, 26);
    ui_->reassignCaption = new QLabel(QStringLiteral("Reasignar puntos "), ui_->reassignPanel);
    ui_->reassignCaption->setObjectName(QStringLiteral("Label64"));
    ui_->reassignCaption->setGeometry(2, 2, 127, 22);
    ui_->reassignCaption->setFont(tahoma(11, true));
    ui_->toLeftButton = panelButton(QStringLiteral("Button4"), QStringLiteral("<<"), QString(), 130,
                                    ui_->reassignPanel);
    ui_->toRightButton = panelButton(QStringLiteral("Button5"), QStringLiteral(">>"), QString(),
                                     162, ui_->reassignPanel);
    ui_->swapButton =
        panelButton(QStringLiteral("Button6"), QStringLiteral("><"),
                    QStringLiteral("Intercambiar marcadores"), 194, ui_->reassignPanel);
    ui_->enterScoresButton =
        panelButton(QStringLiteral("Button7"), QStringLiteral("[  ]"),
                    QStringLiteral("Asignar puntos manualmente"), 226, ui_->reassignPanel);
    ui_->closeReassignButton =
        panelButton(QStringLiteral("Button8"), QStringLiteral("X"),
                    QStringLiteral("Cerrar esta opción"), 258, ui_->reassignPanel);
    ui_->reassignPanel->hide();

    ui_->unassignedNotice = new QLabel(QStringLiteral("Puntos sin asignar"), this);
    ui_->unassignedNotice->setObjectName(QStringLiteral("Panel21"));
    ui_->unassignedNotice->setGeometry(454, 594, 160, 22);
    ui_->unassignedNotice->setAlignment(Qt::AlignCenter);
    ui_->unassignedNotice->setFont(tahoma(13, true));
    ui_->unassignedNotice->hide();
}

void TForm1::buildKeyList() {
    auto* keyList = new KeyListPanel(this, KeyListPanel::boardLines());
    ui_->keyList = keyList;
    keyList->move(304, 390);
    keyList->hide();
    connect(keyList, &KeyListPanel::closeRequested, this,
            [this] { guarded([this] { closeKeyList(); }); });
}

// The board's bank panel stays shown far below the window: the audience never sees it,
// and its keys play whenever the board has the keyboard.
void TForm1::buildSoundBankPanel() {
    ui_->soundBank = new SoundBankPanel(*bank_, *keys_, this);
    ui_->soundBank->move(kSoundBankAway);
    connect(ui_->soundBank, &SoundBankPanel::done, this, &TForm1::parkFocus);
    connect(ui_->soundBank, &SoundBankPanel::closeRequested, this, [this] {
        ui_->soundBank->move(kSoundBankAway);
        parkFocus();
    });
}

void TForm1::toggleMenu() {
    setBackground(ui_->menuCover, backgroundColour_);
    setBackground(ui_->corner, backgroundColour_);
    ui_->menuHint->hide();
    ui_->menuCover->setVisible(!ui_->menuCover->isVisible());
    if (ui_->menuCover->isVisible()) {
        ui_->menuCover->raise();
    }
}

void TForm1::menuAutoHideTick() {
    ui_->menuAutoHideTimer->stop();
    toggleMenu();
}

void TForm1::showKeyList() {
    ui_->keyList->show();
    ui_->keyList->raise();
}

void TForm1::reshowKeyList() {
    if (ui_->keyList->isVisible()) {
        showKeyList();
    }
}

void TForm1::closeKeyList() {
    ui_->keyList->hide();
    parkFocusAndCancelStrike();
}

void TForm1::toggleCoverOrGame() {
    const bool toGame = !gameViewShowing();
    game_->setGameView(toGame);
    ui_->cover->setVisible(!toGame);
    for (QWidget* w : {ui_->board, static_cast<QWidget*>(ui_->leftTeamName),
                       static_cast<QWidget*>(ui_->rightTeamName), ui_->potBox, ui_->leftScoreBox,
                       ui_->rightScoreBox}) {
        w->setVisible(toGame);
    }
}

void TForm1::exitGame() {
    control_->confirmUnsavedQuestion();
    if (dialogs().ask(QStringLiteral("¿Desea salir del juego?"))) {
        close();
    }
}

// Every way of leaving (E, the close button, the desktop) offers the editor's unsaved
// question for saving first.
void TForm1::closeEvent(QCloseEvent* event) {
    guarded([this] { control_->confirmUnsavedQuestion(); });
    ui_->autoStrikeTimer->stop();
    ui_->countdownTimer->stop();
    event->accept();
}

void TForm1::maximize() {
    if (fitAvailable_) {
        if (fitCounter_ < 3) {
            fitToMonitor();
        }
        if (fitCounter_ == 2 && ui_->windowButtons->x() > 600) {
            ui_->windowButtons->move(ui_->windowButtons->x() - 90, ui_->windowButtons->y());
            buttonsRightMargin_ += 90;
        }
        if (fitCounter_ < 3) {
            ++fitCounter_;
        }
        return;
    }
    if (isMaximized()) {
        showNormal();
        if (QScreen* s = screen()) {
            move(s->availableGeometry().center() - rect().center());
        }
    } else {
        showMaximized();
    }
}

void TForm1::openControlWindow() {
    control_->open();
}

void TForm1::openThemes() {
    control_->openThemes();
}

void TForm1::armThemeTimer() {
    ui_->acceptedThemeTimer->start();
}

bool TForm1::themeButtonShown() const {
    return command('j')->isVisible();
}

void TForm1::cancelAutomaticStrike() {
    ui_->autoStrikeTimer->stop();
}

void TForm1::storeTeamNames(QLineEdit* edited) {
    settingsStore_->setTeamNames(ui_->leftTeamName->text(), ui_->rightTeamName->text());
    QFont f = edited->font();
    f.setPointSize(edited->text().size() <= 23 ? 16 : 11);
    edited->setFont(f);
    edited->setSelection(0, 1);
    parkFocusAndCancelStrike();
}

}  // namespace velta
