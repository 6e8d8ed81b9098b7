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
    ui_->Panel20 = new QWidget(this);
    ui_->Panel20->setObjectName(QStringLiteral("Panel20"));
    ui_->Panel20->setGeometry(454, 618, 292, 26);
    ui_->Label64 = new QLabel(QStringLiteral("Reasignar puntos "), ui_->Panel20);
    ui_->Label64->setObjectName(QStringLiteral("Label64"));
    ui_->Label64->setGeometry(2, 2, 127, 22);
    ui_->Label64->setFont(tahoma(11, true));
    ui_->Button4 =
        panelButton(QStringLiteral("Button4"), QStringLiteral("<<"), QString(), 130, ui_->Panel20);
    ui_->Button5 =
        panelButton(QStringLiteral("Button5"), QStringLiteral(">>"), QString(), 162, ui_->Panel20);
    ui_->Button6 = panelButton(QStringLiteral("Button6"), QStringLiteral("><"),
                               QStringLiteral("Intercambiar marcadores"), 194, ui_->Panel20);
    ui_->Button7 = panelButton(QStringLiteral("Button7"), QStringLiteral("[  ]"),
                               QStringLiteral("Asignar puntos manualmente"), 226, ui_->Panel20);
    ui_->Button8 = panelButton(QStringLiteral("Button8"), QStringLiteral("X"),
                               QStringLiteral("Cerrar esta opción"), 258, ui_->Panel20);
    ui_->Panel20->hide();

    ui_->Panel21 = new QLabel(QStringLiteral("Puntos sin asignar"), this);
    ui_->Panel21->setObjectName(QStringLiteral("Panel21"));
    ui_->Panel21->setGeometry(454, 594, 160, 22);
    ui_->Panel21->setAlignment(Qt::AlignCenter);
    ui_->Panel21->setFont(tahoma(13, true));
    ui_->Panel21->hide();
}

void TForm1::buildKeyList() {
    auto* keyList = new KeyListPanel(this, KeyListPanel::boardLines());
    ui_->Panel14 = keyList;
    keyList->move(304, 390);
    keyList->hide();
    connect(keyList, &KeyListPanel::closeRequested, this,
            [this] { guarded([this] { closeKeyList(); }); });
}

// The board's bank panel stays shown far below the window: the audience never sees it,
// and its keys play whenever the board has the keyboard.
void TForm1::buildSoundBankPanel() {
    ui_->Panel15 = new SoundBankPanel(*bank_, *keys_, this);
    ui_->Panel15->move(kSoundBankAway);
    connect(ui_->Panel15, &SoundBankPanel::done, this, &TForm1::parkFocus);
    connect(ui_->Panel15, &SoundBankPanel::closeRequested, this, [this] {
        ui_->Panel15->move(kSoundBankAway);
        parkFocus();
    });
}

void TForm1::toggleMenu() {
    setBackground(ui_->Panel5, backgroundColour_);
    setBackground(ui_->Panel17, backgroundColour_);
    ui_->Panel11->hide();
    ui_->Panel5->setVisible(!ui_->Panel5->isVisible());
    if (ui_->Panel5->isVisible()) {
        ui_->Panel5->raise();
    }
}

void TForm1::menuAutoHideTick() {
    ui_->Timer3->stop();
    toggleMenu();
}

void TForm1::showKeyList() {
    ui_->Panel14->show();
    ui_->Panel14->raise();
}

void TForm1::reshowKeyList() {
    if (ui_->Panel14->isVisible()) {
        showKeyList();
    }
}

void TForm1::closeKeyList() {
    ui_->Panel14->hide();
    parkFocusAndCancelStrike();
}

void TForm1::toggleCoverOrGame() {
    const bool toGame = !gameViewShowing();
    game_->setGameView(toGame);
    ui_->Image2->setVisible(!toGame);
    for (QWidget* w : {ui_->Panel1, static_cast<QWidget*>(ui_->Edit16),
                       static_cast<QWidget*>(ui_->Edit17), ui_->Panel2, ui_->Panel3, ui_->Panel4}) {
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
    ui_->Timer9->stop();
    ui_->Timer10->stop();
    event->accept();
}

void TForm1::maximize() {
    if (fitAvailable_) {
        if (fitCounter_ < 3) {
            fitToMonitor();
        }
        if (fitCounter_ == 2 && ui_->Panel22->x() > 600) {
            ui_->Panel22->move(ui_->Panel22->x() - 90, ui_->Panel22->y());
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
    ui_->Timer11->start();
}

bool TForm1::themeButtonShown() const {
    return command('j')->isVisible();
}

void TForm1::cancelAutomaticStrike() {
    ui_->Timer9->stop();
}

void TForm1::storeTeamNames(QLineEdit* edited) {
    settingsStore_->setTeamNames(ui_->Edit16->text(), ui_->Edit17->text());
    QFont f = edited->font();
    f.setPointSize(edited->text().size() <= 23 ? 16 : 11);
    edited->setFont(f);
    edited->setSelection(0, 1);
    parkFocusAndCancelStrike();
}

}  // namespace velta
