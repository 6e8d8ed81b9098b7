// The command bar of the control window: a twin for every key of the board, pressing the
// board's own button, and the commands that act on this window alone (key list, balance,
// "Monitor Dual").
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "board/BoardStyle.h"
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

KeyButton* TFConfig::makeTwin(const QString& name, QChar key, int x) {
    auto* twin = new KeyButton(name, QStringLiteral("&") + key, QString(), commandBar_);
    twin->move(x, kBarY);
    twin->setCaptionColour(Qt::white);
    if (KeyButton* original = board_.command(key)) {
        twin->setToolTip(original->toolTip());
        twin->setEnabled(original->isEnabled());
    }
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

// A twin runs nothing of its own: it presses the board's button, which runs the command
// even while that button is disabled, and the board gives the keyboard back to this window.
void TFConfig::bindToBoard(KeyButton* twin, QChar key) {
    connect(twin, &QAbstractButton::clicked, this,
            [this, key] { guarded([this, key] { board_.command(key)->press(); }); });
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

    struct Twin {
        const char* name;
        char key;
        int x;
    };
    const Twin toBoard[] = {
        {"SpeedButton14", 'm', 8},    {"SpeedButton9", 'a', 36},   {"SpeedButton3", 's', 62},
        {"SpeedButton105", 'v', 88},  {"SpeedButton1", 'd', 114},  {"SpeedButton4", '1', 148},
        {"SpeedButton5", '2', 172},   {"SpeedButton6", '3', 196},  {"SpeedButton7", '4', 220},
        {"SpeedButton8", '5', 244},   {"SpeedButton2", 'x', 278},  {"SpeedButton37", 'h', 304},
        {"SpeedButton13", 'z', 338},  {"SpeedButton10", 'c', 420}, {"SpeedButton15", 'r', 566},
        {"SpeedButton17", 'n', 592},  {"SpeedButton19", 'f', 618}, {"SpeedButton33", 'j', 650},
        {"SpeedButton110", 'g', 734}, {"SpeedButton16", 'e', 768},
    };
    for (const Twin& t : toBoard) {
        bindToBoard(makeTwin(QLatin1String(t.name), QLatin1Char(t.key), t.x), QLatin1Char(t.key));
    }
    // The menu row is the board's alone, and this window is already open.
    keys_->keyFor('m')->setEnabled(false);
    KeyButton* openHere = makeTwin(QStringLiteral("SpeedButton34"), 't', 676);
    openHere->setEnabled(false);

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
    KeyButton* balanceKey = makeTwin(QStringLiteral("SpeedButton108"), 'b', 504);
    connect(balanceKey, &QAbstractButton::clicked, balance, &QAbstractButton::click);

    bindHere(makeTwin(QStringLiteral("SpeedButton36"), 'k', 702), &TFConfig::showKeyList);

    // Undo and redo act on the game for both windows; in a text field the keys undo typing.
    KeyButton* undo =
        makeButton(QStringLiteral("SpeedButtonDeshacer"), QStringLiteral("Deshacer"),
                   QRect(800, kBarY, 72, 22),
                   QStringLiteral("Deshacer el último comando del juego (Ctrl+Z); Ctrl+Y lo "
                                  "vuelve a hacer"));
    connect(undo, &QAbstractButton::clicked, this, [this] {
        guarded([this] { board_.undo(); });
        parkFocus();
    });
    keys_->setUndo([this] { guarded([this] { board_.undo(); }); },
                   [this] { guarded([this] { board_.redo(); }); });
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
