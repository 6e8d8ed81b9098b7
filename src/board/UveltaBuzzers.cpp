// The face-off buttons on the board: L arms and clears them, the USB buttons' keys press
// them, and the first press flashes the winning team's score box with its name and rings.
#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/CommandTable.h"
#include "board/Uvelta.h"
#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "platform/Guard.h"
#include "sound/Sound.h"

namespace velta {

namespace {

// The flash blinks this often, this many times (three seconds).
constexpr int kFlashBlinkMs = 250;
constexpr int kFlashBlinks = 12;

// The score boxes' own colours: the left team green, the right team purple.
const QColor kTeamColours[2] = {QColor(10, 130, 85), QColor(125, 35, 165)};
const QColor kTeamLights[2] = {QColor(120, 255, 160), QColor(230, 150, 255)};

}  // namespace

void TForm1::followBuzzers() {
    // A new card is a new face-off.
    connect(game_, &Game::cardShown, buzzers_, &Buzzers::clear);
    connect(game_, &Game::restored, buzzers_, &Buzzers::clear);
    connect(buzzers_, &Buzzers::decided, this, [this] { guarded([this] { showBuzzerWinner(); }); });
    connect(buzzers_, &Buzzers::changed, this, [this] {
        if (!buzzers_->armed()) {
            hideBuzzerWinner();
        }
    });
}

void TForm1::toggleBuzzers() {
    if (game_->hasCard() || buzzers_->armed()) {
        buzzers_->toggle();
    }
}

bool TForm1::pressBuzzerButton(int key) {
    if (!buzzers_->armed()) {
        return false;
    }
    const RoomSettings& room = settingsStore_->room();
    if ((key != room.leftButtonKey && key != room.rightButtonKey) || isCommandKey(key)) {
        return false;
    }
    buzzers_->pressButton(key == room.leftButtonKey ? 0 : 1);
    return true;
}

void TForm1::showBuzzerWinner() {
    const auto& winner = buzzers_->faceOff().winner();
    if (!winner) {
        return;
    }
    const int team = winner->team == 0 ? 0 : 1;
    const QString teamName = team == 0 ? settings_.leftTeamName : settings_.rightTeamName;
    if (!buzzerFlash_) {
        buzzerFlash_ = new QLabel(ui_->stage);
        buzzerFlash_->setObjectName(QStringLiteral("LabelPulsador"));
        buzzerFlash_->setAlignment(Qt::AlignCenter);
        buzzerFlash_->setWordWrap(true);
        buzzerFlash_->setFont(tahoma(20, true));
        buzzerFlash_->setAttribute(Qt::WA_TransparentForMouseEvents);
        buzzerFlashTimer_ = new QTimer(this);
        buzzerFlashTimer_->setInterval(kFlashBlinkMs);
        connect(buzzerFlashTimer_, &QTimer::timeout, this, [this] {
            if (--buzzerFlashesLeft_ <= 0) {
                hideBuzzerWinner();
                return;
            }
            buzzerFlash_->setVisible(!buzzerFlash_->isVisible());
        });
    }
    const QWidget* box = team == 0 ? ui_->leftScoreBox : ui_->rightScoreBox;
    buzzerFlash_->setGeometry(box->geometry().adjusted(-6, -30, 6, 30));
    buzzerFlash_->setStyleSheet(
        QStringLiteral("background-color: %1; color: white; border: 4px solid %2;")
            .arg(kTeamColours[team].name(), kTeamLights[team].name()));
    buzzerFlash_->setText(winner->player.isEmpty() ? teamName
                                                   : teamName + QLatin1Char('\n') + winner->player);
    buzzerFlash_->show();
    buzzerFlash_->raise();
    buzzerFlash_->repaint();
    buzzerFlashesLeft_ = kFlashBlinks;
    buzzerFlashTimer_->start();
    PlayEffect(effects::kBuzzer);
    const QString line =
        QStringLiteral("Cara a cara: primero %1").arg(teamName) +
        (winner->player.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(winner->player));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

void TForm1::hideBuzzerWinner() {
    if (buzzerFlash_) {
        buzzerFlashTimer_->stop();
        buzzerFlash_->hide();
    }
}

}  // namespace velta
