// The command bar of the control window: a twin for every key of the board, pressing the
// board's own button, and the commands that act on this window alone (key list, balance,
// "Monitor Dual").
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <map>

#include "board/BoardStyle.h"
#include "board/CommandTable.h"
#include "board/KeyButton.h"
#include "board/KeyListPanel.h"
#include "board/KeyRouter.h"
#include "board/Uvelta.h"
#include "console/ReassignMenu.h"
#include "console/SettingsArea.h"
#include "console/UConfig.h"
#include "platform/Guard.h"

namespace velta {

namespace {
constexpr int kBarY = 7;
}  // namespace

KeyButton* TFConfig::makeTwin(const Command& command) {
    const QChar key = QLatin1Char(command.letter);
    auto* twin = new KeyButton(QLatin1String(command.twinName), QStringLiteral("&") + key,
                               QString::fromUtf8(command.hint), commandBar_);
    twin->move(command.twinX, kBarY);
    twin->setCaptionColour(Qt::white);
    const Game& game = board_.game();
    twin->setEnabled(command.twin != TwinRole::Off && game.commandEnabled(key));
    keys_->add(twin);
    return twin;
}

KeyButton* TFConfig::makeButton(const QString& name, const QString& caption, const QRect& geometry,
                                const QString& hint) {
    auto* button = new KeyButton(name, caption, hint, commandBar_);
    button->setGeometry(geometry);
    button->setCaptionColour(Qt::white);
    return button;
}

void TFConfig::bindHere(KeyButton* button, void (TFConfig::*command)()) {
    connect(button, &QAbstractButton::clicked, this, [this, command] {
        {
            const Game::Step step(board_.game());
            guarded([this, command] { (this->*command)(); });
        }
        parkFocus();
    });
}

void TFConfig::buildCommandBar() {
    commandBar_ = new QWidget(this);
    commandBar_->setObjectName(QStringLiteral("Panel1"));
    commandBar_->setGeometry(0, 558, 881, 39);
    setBackground(commandBar_, QColor(0x2F, 0x3B, 0x4C));

    // A twin runs the board's command (the same guard, one step of undo), and the board
    // gives the keyboard back to this window; B and K open this window's own panels.
    std::map<char, KeyButton*> twins;
    for (const Command& c : commandTable()) {
        KeyButton* twin = makeTwin(c);
        twins[c.letter] = twin;
        if (c.twin == TwinRole::RunsTheBoards) {
            const QChar key = QLatin1Char(c.letter);
            connect(twin, &QAbstractButton::clicked, this, [this, key] { board_.run(key); });
        }
    }

    leftPoints_ = makeButton(QStringLiteral("SpeedButton103"), QStringLiteral("Puntos"),
                             QRect(362, kBarY, 52, 22), QString());
    rightPoints_ = makeButton(QStringLiteral("SpeedButton104"), QStringLiteral("Puntos"),
                              QRect(444, kBarY, 52, 22), QString());
    connect(leftPoints_, &QAbstractButton::clicked, this, [this] { keys_->keyFor('z')->click(); });
    connect(rightPoints_, &QAbstractButton::clicked, this, [this] { keys_->keyFor('c')->click(); });

    KeyButton* balance = makeButton(
        QStringLiteral("SpeedButton102"), QStringLiteral("\u2696"), QRect(530, kBarY, 26, 22),
        QStringLiteral(
            "Balancear marcador - Reasignar puntos (cuando ya se asignaron)  [Tecla B]"));
    bindHere(balance, &TFConfig::balanceScores);
    connect(twins['b'], &QAbstractButton::clicked, balance, &QAbstractButton::click);
    bindHere(twins['k'], &TFConfig::showKeyList);

    // Undo and redo act on the game for both windows; in a text field the keys undo typing.
    // The button shows the undo arrow, its tool-tip says what it does.
    KeyButton* undo = makeButton(
        QStringLiteral("SpeedButtonDeshacer"), QStringLiteral("\u21B6"), QRect(828, kBarY, 50, 22),
        QStringLiteral("Deshacer el último comando del juego (Ctrl+Z); Ctrl+Y lo "
                       "vuelve a hacer"));
    connect(undo, &QAbstractButton::clicked, this, [this] {
        guarded([this] { board_.undo(); });
        parkFocus();
    });
    keys_->setUndo([this] { guarded([this] { board_.undo(); }); },
                   [this] { guarded([this] { board_.redo(); }); });
    keys_->setButtons([this](int key) { return board_.pressBuzzerButton(key); });
}

// The "Puntos" hints and the captions over the score mirrors name the teams as typed here.
void TFConfig::updatePointsHints() {
    leftTeamCaption_->setText(settings_->leftTeamName());
    rightTeamCaption_->setText(settings_->rightTeamName());
    leftPoints_->setToolTip(QStringLiteral("Asignar puntos a ") + settings_->leftTeamName() +
                            QStringLiteral(" [Tecla Z]"));
    rightPoints_->setToolTip(QStringLiteral("Asignar puntos a ") + settings_->rightTeamName() +
                             QStringLiteral(" [Tecla C]"));
}

void TFConfig::balanceScores() {
    reassign_->balance();
}

void TFConfig::showKeyList() {
    keyList_->show();
    keyList_->raise();
}

void TFConfig::dualMonitor() {
    QScreen* own = screen();
    QScreen* audience = nullptr;
    for (QScreen* monitor : QGuiApplication::screens()) {
        if (monitor != own) {
            audience = monitor;
            break;
        }
    }
    if (board_.isVisible() && audience) {
        board_.showOnMonitor(audience);
        return;
    }
    board_.showOnMonitor(nullptr);
    close();
}

}  // namespace velta
