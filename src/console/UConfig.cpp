#include "console/UConfig.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "art/Art.h"
#include "board/BoardStyle.h"
#include "board/CommandTable.h"
#include "board/ImageBox.h"
#include "board/KeyButton.h"
#include "board/KeyListPanel.h"
#include "board/KeyRouter.h"
#include "board/SoundBankPanel.h"
#include "board/Uvelta.h"
#include "console/FastMoneyPanel.h"
#include "console/QuestionEditor.h"
#include "console/QuestionPanel.h"
#include "console/ReassignMenu.h"
#include "console/RoomPanel.h"
#include "console/SettingsArea.h"
#include "content/RoundFiles.h"
#include "editing/SettingsStore.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "room/Room.h"
#include "sound/Sound.h"

namespace velta {

namespace {

const QColor kConsoleBackground(0xE4, 0xE8, 0xEE);
const QColor kLeftTeam(0x1B, 0x7A, 0x3A);
const QColor kRightTeam(0x7A, 0x2B, 0x8C);

QLabel* scoreMirror(const QString& name, QWidget* parent, const QRect& geometry,
                    const QColor& colour, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(tahoma(40, true));
    setBackground(l, colour);
    setTextColour(l, QPalette::WindowText, Qt::white);
    return l;
}

}  // namespace

TFConfig::TFConfig(TForm1& board)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      board_(board) {
    setObjectName(QStringLiteral("TFConfig"));
    setWindowTitle(QStringLiteral("VELTA Tablero de Control"));
    // The board ends the program; this window never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(tahoma(11));
    setBackground(this, kConsoleBackground);
    resize(881, 597);
    setMaximumSize(881, 597);

    keys_ = new KeyRouter(this);
    buildMainPanel();
    buildCommandBar();
    buildPanels();
    connect(&board_.game(), &Game::commandsChanged, this, &TFConfig::followCommands);
    connect(&board_.game(), &Game::restored, this, &TFConfig::followCommands);
    // The switch of the board's fast-money panel names what a press does next.
    const auto followBoardPanel = [this] {
        fastMoney_->setBoardPanelShown(board_.game().fastMoneyBoardShown());
    };
    connect(&board_.game(), &Game::fastMoneyChanged, this, followBoardPanel);
    connect(&board_.game(), &Game::restored, this, followBoardPanel);

    focusSink_ = new QPushButton(this);
    focusSink_->setObjectName(QStringLiteral("Button3"));
    focusSink_->setGeometry(0, 32443, 75, 25);

    followBoard();

    if (QScreen* monitor = board_.screen()) {
        move(monitor->availableGeometry().center() - rect().center());
    }
}

TFConfig::~TFConfig() = default;

void TFConfig::buildMainPanel() {
    mainPanel_ = new QWidget(this);
    mainPanel_->setObjectName(QStringLiteral("Panel7"));
    mainPanel_->setGeometry(0, 0, 881, 558);
    setBackground(mainPanel_, kConsoleBackground);

    auto* heading = new QLabel(QStringLiteral("Configuración y control del juego"), mainPanel_);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(8, 2, 400, 20);
    heading->setFont(tahoma(13, true));

    settings_ = new SettingsArea(board_, mainPanel_);
    settings_->move(0, 26);
    connect(settings_, &SettingsArea::done, this, &TFConfig::parkFocus);
    connect(settings_, &SettingsArea::teamNamesEdited, this, &TFConfig::updatePointsHints);
    settings_->optionsGroup()->move(612, 150);
    settings_->showFolderRow()->move(412, 522);

    auto* versions = new QGroupBox(QStringLiteral("Mis versiones"), mainPanel_);
    versions->setObjectName(QStringLiteral("GroupBoxVersiones"));
    versions->setGeometry(600, 84, 278, 60);
    buildVersions(versions);
    folderPointer_ = new ImageBox(QStringLiteral("Image18"), mainPanel_, ImageBox::Fit::Shrink);
    folderPointer_->setGeometry(552, 108, 44, 44);
    folderPointer_->setImage(art::pointer());
    folderPointer_->hide();
    connect(settings_, &SettingsArea::roundFolderAboutToChange, folderPointer_, &QWidget::hide);

    editor_ = new QuestionEditor(board_, mainPanel_, this);
    connect(editor_, &QuestionEditor::done, this, &TFConfig::parkFocus);
    settings_->setFolderChangeCheck([this] { return editor_->confirmUnsavedQuestion(); });
    connect(settings_, &SettingsArea::roundFolderChanged, editor_, &QuestionEditor::restart);
    host_ = editor_->fields();
    connect(host_, &QuestionPanel::revealPressed, this,
            [this](int row) { board_.run(QChar('0' + row)); });

    leftTeamCaption_ = new QLabel(mainPanel_);
    leftTeamCaption_->setObjectName(QStringLiteral("LabelEquipoIzq"));
    leftTeamCaption_->setGeometry(612, 266, 128, 18);
    leftTeamCaption_->setAlignment(Qt::AlignCenter);
    rightTeamCaption_ = new QLabel(mainPanel_);
    rightTeamCaption_->setObjectName(QStringLiteral("LabelEquipoDer"));
    rightTeamCaption_->setGeometry(748, 266, 128, 18);
    rightTeamCaption_->setAlignment(Qt::AlignCenter);
    const Game& game = board_.game();
    leftScore_ = scoreMirror(QStringLiteral("LPtosIzq"), mainPanel_, QRect(612, 284, 128, 58),
                             kLeftTeam, Game::shown(game.leftScore()));
    rightScore_ = scoreMirror(QStringLiteral("LPtosDer"), mainPanel_, QRect(748, 284, 128, 58),
                              kRightTeam, Game::shown(game.rightScore()));
    // The mirrors follow every change of the scores, whatever made it.
    const auto mirror = [this, &game] {
        leftScore_->setText(Game::shown(game.leftScore()));
        rightScore_->setText(Game::shown(game.rightScore()));
    };
    connect(&game, &Game::scoresChanged, this, mirror);
    connect(&game, &Game::restored, this, mirror);

    picture_ = new ImageBox(QStringLiteral("Image1"), mainPanel_, ImageBox::Fit::Shrink);
    picture_->setGeometry(612, 346, 196, 58);
    picture_->hide();
    countdown_ = new QLabel(mainPanel_);
    countdown_->setObjectName(QStringLiteral("Label53"));
    countdown_->setGeometry(812, 346, 64, 58);
    countdown_->setAlignment(Qt::AlignCenter);
    countdown_->setFont(tahoma(44, true));
    setTextColour(countdown_, QPalette::WindowText, QColor(0x1B, 0x7A, 0x3A));

    sync_ = new QCheckBox(QStringLiteral("Sincronizar con el juego"), mainPanel_);
    sync_->setObjectName(QStringLiteral("CheckBox2"));
    sync_->setGeometry(8, 494, 200, 22);
    sync_->setChecked(true);
    sync_->setFocusPolicy(Qt::NoFocus);
    connect(sync_, &QCheckBox::clicked, this, &TFConfig::parkFocus);
    infoIcon(QStringLiteral("Image19"),
             QStringLiteral("Avanzar las preguntas junto con el juego, revelar respuestas y X "
                            "error!"),
             mainPanel_, QPoint(206, 497));

    const auto wideButton = [this](const QString& name, const QString& caption, const QString& hint,
                                   int x) {
        return commandButton(name, caption, hint, mainPanel_, QRect(x, 520, 130, 30));
    };
    auto* fastMoney = wideButton(QStringLiteral("SpeedButton12"), QStringLiteral("Dinero rápido"),
                                 QStringLiteral("Mostrar panel de Dinero Rápido"), 8);
    connect(fastMoney, &QPushButton::clicked, this, [this] {
        guarded([this] { fastMoney_->ToggleFastMoney(); });
        parkFocus();
    });
    auto* bank = wideButton(QStringLiteral("SpeedButton44"), QStringLiteral("Banco de sonidos"),
                            QStringLiteral("Mostrar banco de sonidos personalizable"), 142);
    connect(bank, &QPushButton::clicked, this, [this] {
        guarded([this] { bankPanel_->raise(); });
        parkFocus();
    });
    auto* room = wideButton(QStringLiteral("ButtonSalaPanel"), QStringLiteral("Sala"),
                            QStringLiteral("Mostrar el tablero y la vista del presentador en "
                                           "otros dispositivos de la red del local"),
                            410);
    connect(room, &QPushButton::clicked, this, [this] {
        guarded([this] { roomPanel_->raise(); });
        parkFocus();
    });
    auto* dual = wideButton(
        QStringLiteral("SpeedButton11"), QStringLiteral("Monitor Dual"),
        QStringLiteral("Mostrar juego en pantalla extendida, si se detecta un segundo monitor ahí "
                       "se proyetará el juego"),
        276);
    connect(dual, &QPushButton::clicked, this, [this] {
        guarded([this] { dualMonitor(); });
        parkFocus();
    });
}

void TFConfig::buildPanels() {
    keyList_ = new KeyListPanel(this, KeyListPanel::consoleLines());
    keyList_->move(179, 160);
    keyList_->lower();
    connect(keyList_, &KeyListPanel::closeRequested, this, [this] {
        keyList_->lower();
        parkFocus();
    });

    fastMoney_ = new FastMoneyPanel(board_, this);
    fastMoney_->move(34, 223);
    connect(fastMoney_, &FastMoneyPanel::done, this, &TFConfig::parkFocus);

    // Behind the main panel until its button brings it forward; its keys play either way.
    bankPanel_ = new SoundBankPanel(board_.soundBank(), *keys_, this);
    bankPanel_->move(380, 60);
    bankPanel_->lower();
    connect(bankPanel_, &SoundBankPanel::done, this, &TFConfig::parkFocus);
    connect(bankPanel_, &SoundBankPanel::closeRequested, this, [this] {
        bankPanel_->lower();
        parkFocus();
    });

    // Nothing listens until the operator opens the room, or its settings ask for it at start.
    room_ = new Room(board_.game(), board_.settingsStore(), board_.buzzers(), this);
    connect(&board_, &TForm1::fastMoneyClockShown, room_, &Room::showFastMoneyClock);
    connect(&board_, &TForm1::pointsSplashShown, room_, &Room::showPointsSplash);
    roomPanel_ = new RoomPanel(*room_, board_.settingsStore(), board_.buzzers(), this);
    roomPanel_->move(230, 60);
    roomPanel_->lower();
    connect(roomPanel_, &RoomPanel::done, this, &TFConfig::parkFocus);
    connect(roomPanel_, &RoomPanel::closeRequested, this, [this] {
        roomPanel_->lower();
        parkFocus();
    });
    if (board_.settingsStore().room().openAtStart) {
        roomPanel_->openRoom();
    }

    reassign_ = new ReassignMenu(board_, this);
    connect(reassign_, &ReassignMenu::done, this, &TFConfig::parkFocus);
}

bool TFConfig::isShown() const {
    return isVisible();
}

void TFConfig::open() {
    if (isVisible()) {
        raise();
    } else {
        show();
    }
    activateWindow();
    parkFocus();
}

void TFConfig::confirmUnsavedQuestion() {
    editor_->confirmUnsavedQuestion();
}

void TFConfig::parkFocus() {
    focusSink_->setFocus(Qt::OtherFocusReason);
}

bool TFConfig::syncWithGame() const {
    return sync_->isChecked();
}

// The host view follows the board: the card it puts up, its uncovered rows, its strike
// picture and its countdown, each only while "Sincronizar con el juego" is checked (the
// end of a countdown and of a picture always show).
void TFConfig::followBoard() {
    const Game& game = board_.game();
    connect(&game, &Game::cardShown, this, &TFConfig::followCard);
    connect(&game, &Game::restored, this, &TFConfig::followCard);
    connect(&game, &Game::rowRevealed, this, [this](int row, bool uncovered) {
        if (syncWithGame()) {
            host_->setRevealMark(row, uncovered);
        }
    });
    connect(&board_, &TForm1::strikePictureShown, this, [this](const QImage& picture) {
        if (syncWithGame()) {
            picture_->setImage(picture);
            picture_->show();
        }
    });
    connect(&board_, &TForm1::strikePictureHidden, picture_, &QWidget::hide);
    connect(&board_, &TForm1::countdownShown, this, [this](const QString& text) {
        if (text.isEmpty() || syncWithGame()) {
            countdown_->setText(text);
        }
    });
    connect(&board_, &TForm1::fastMoneyClockShown, fastMoney_, &FastMoneyPanel::setClock);
}

// A new card, or a game put back: the marks start plain and the reassign menu goes; the
// card's rows that are uncovered are marked again.
void TFConfig::followCard() {
    const Game& game = board_.game();
    host_->clearMarks();
    reassign_->hide();
    if (!game.hasCard()) {
        return;
    }
    const QString fileName = roundFileName(game.cardKind(), game.cardNumber());
    if (fileName != boardCard_) {
        boardCard_ = fileName;
        followBoardCard();
    }
    if (!syncWithGame()) {
        return;
    }
    for (int row = 1; row <= 5; ++row) {
        if (game.uncovered(row)) {
            host_->setRevealMark(row, true);
        }
    }
}

// The question editor shows the card the board put up. A card this window cannot read is
// reported once the board's command is over, and only once until a card reads again.
void TFConfig::followBoardCard() {
    if (!isVisible() || !syncWithGame()) {
        return;
    }
    try {
        editor_->followBoard(boardCard_);
        lastFailedCard_.clear();
    } catch (const std::exception& e) {
        if (boardCard_ == lastFailedCard_) {
            return;
        }
        lastFailedCard_ = boardCard_;
        QTimer::singleShot(0, this, [message = errorMessage(e)] { dialogs().error(message); });
    }
}

// The twins of the keys the game switches on and off follow the game, as the board's do.
void TFConfig::followCommands() {
    const Game& game = board_.game();
    for (const Command& c : commandTable()) {
        if (c.twin != TwinRole::Off) {
            keys_->keyFor(QLatin1Char(c.letter))->setEnabled(game.commandEnabled(c.letter));
        }
    }
}

// The settings shown are those in force each time the window is shown: the board may have
// changed them since (team names typed on the board, a version loaded).
void TFConfig::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    settings_->refresh();
    updatePointsHints();
    guarded([this] {
        editor_->windowShown(syncWithGame() ? boardCard_ : QString());
        if (syncWithGame() && !boardCard_.isEmpty() && host_->fileName() != boardCard_) {
            followBoardCard();
        }
    });
    parkFocus();
}

// Closing leaves no fast-money board nor clock behind on the audience's screen.
void TFConfig::closeEvent(QCloseEvent* event) {
    guarded([this] {
        board_.hideBoardPanel();
        StopEffects();
        board_.stopFastMoneyClock();
    });
    event->accept();
}

void TFConfig::mousePressEvent(QMouseEvent* event) {
    parkFocus();
    QWidget::mousePressEvent(event);
}

}  // namespace velta
