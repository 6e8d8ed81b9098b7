// The menu row, the key list, the cover/game switch, leaving the game and the window's
// maximise and fit-to-monitor controls; and the wiring of every key button to its command.
#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>

#include "board/BoardStyle.h"
#include "board/DragPanel.h"
#include "board/Uvelta.h"
#include "editing/GameSettings.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

namespace {

const char* const kKeyListLines[] = {
    "S = Siguiente - Comienza el juego y también sirve para avanzar a la siguiente pregunta",
    "1 a 5 = Descubre las respuestas disponibles",
    "X = Espantosa X (error!) - Se acumulan hasta 3 equis para el robo de puntos",
    "H = Hacer pregunta y dar 5 segundos para contestar, de lo contrario muestra la X",
    "A = Anterior - regresar pregunta (se activa cuando se haya iniciado el juego)",
    "D = Detiene el sonido",
    "Z = Ganador lado IZQUIERDO asigna puntos",
    "C = Ganador lado DERECHO asigna puntos",
    "R = Ronda extra para desempate ",
    "N = No existe la respuesta en el tablero (en pregunta inicial o robo de puntos, se usa en "
    "lugar de la X)  ",
    "M = Muestra el menú, cuando éste se oculta automáticamente",
    "F = Fácil, modo de 1 pregunta - Inicia y avanza el juego (desactiva la tecla S)",
    "T = Tablero de Control - Cambiar título, portada, preguntas del juego, efectos de sonido, "
    "etc.",
    "J = Cambiar la versión del juego",
    "V = Volver a preguntar (reemplazar por la siguiente pregunta)",
    "B = Balancear marcador - Reasignar puntos (cuando ya se asignaron a un equipo)",
    "G = Regresar a la portada o al juego",
    "K = Keys - Teclas rápidas del juego",
    "E = Exit - Cerrar el juego",
};

QPushButton* panelButton(const QString& name, const QString& text, const QString& hint, int x,
                         QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setGeometry(x, 2, 30, 22);
    return b;
}

}  // namespace

void TForm1::buildReassignPanel() {
    Panel20 = new QWidget(this);
    Panel20->setObjectName(QStringLiteral("Panel20"));
    Panel20->setGeometry(454, 618, 292, 26);
    Label64 = new QLabel(QStringLiteral("Reasignar puntos "), Panel20);
    Label64->setObjectName(QStringLiteral("Label64"));
    Label64->setGeometry(2, 2, 127, 22);
    Label64->setFont(tahoma(11, true));
    Button4 = panelButton(QStringLiteral("Button4"), QStringLiteral("<<"), QString(), 130, Panel20);
    Button5 = panelButton(QStringLiteral("Button5"), QStringLiteral(">>"), QString(), 162, Panel20);
    Button6 = panelButton(QStringLiteral("Button6"), QStringLiteral("><"),
                          QStringLiteral("Intercambiar marcadores"), 194, Panel20);
    Button7 = panelButton(QStringLiteral("Button7"), QStringLiteral("[  ]"),
                          QStringLiteral("Asignar puntos manualmente"), 226, Panel20);
    Button8 = panelButton(QStringLiteral("Button8"), QStringLiteral("X"),
                          QStringLiteral("Cerrar esta opción"), 258, Panel20);
    Panel20->hide();

    Panel21 = new QLabel(QStringLiteral("Puntos sin asignar"), this);
    Panel21->setObjectName(QStringLiteral("Panel21"));
    Panel21->setGeometry(454, 594, 160, 22);
    Panel21->setAlignment(Qt::AlignCenter);
    Panel21->setFont(tahoma(13, true));
    Panel21->hide();
}

void TForm1::buildKeyList() {
    auto* keyList = new DragPanel(QStringLiteral("Panel14"), this);
    Panel14 = keyList;
    Panel14->setGeometry(304, 390, 523, 265);
    setBackground(Panel14, palette().color(QPalette::Button).lighter(104));
    auto* title = new QLabel(QStringLiteral("Teclas del Juego"), Panel14);
    title->setObjectName(QStringLiteral("Label66"));
    title->setGeometry(6, 2, 300, 18);
    title->setFont(tahoma(11, true));
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label65 = new QLabel(QStringLiteral(" X "), Panel14);
    Label65->setObjectName(QStringLiteral("Label65"));
    Label65->setGeometry(500, 2, 20, 18);
    Label65->setFont(tahoma(11, true));
    Label65->setCursor(Qt::PointingHandCursor);
    ListBox2 = new QListWidget(Panel14);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(4, 20, 515, 243);
    ListBox2->setFont(tahoma(13));
    ListBox2->setFocusPolicy(Qt::NoFocus);
    setTextColour(ListBox2, QPalette::Text, QColor(0x80, 0x80, 0x80));
    for (const char* line : kKeyListLines) {
        auto* item = new QListWidgetItem(QString::fromUtf8(line), ListBox2);
        item->setToolTip(item->text());
    }
    Panel14->hide();
}

void TForm1::connectCommands() {
    const auto bind = [this](QAbstractButton* button, auto command) {
        connect(button, &QAbstractButton::clicked, this, [this, command] {
            guarded([this, command] { (this->*command)(); });
            // Only the open reassign panel keeps the focus it took. Anything else, a team
            // name the focus fell to when the panel closed included, gives it back.
            if (!(Panel20->isVisible() && Panel20->isAncestorOf(QApplication::focusWidget()))) {
                parkFocus();
            }
        });
    };
    bind(SpeedButton14, &TForm1::toggleMenu);
    bind(SpeedButton9, &TForm1::PreviousQuestion);
    bind(SpeedButton3, &TForm1::NextQuestion);
    bind(SpeedButton79, &TForm1::ReplaceQuestion);
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] {
        guarded([] { StopAllSound(); });
        parkFocus();
    });
    for (int i = 0; i < 5; ++i) {
        connect(rows[i].key, &QAbstractButton::clicked, this,
                [this, i] { guarded([this, i] { RevealOrHide(i + 1); }); });
    }
    bind(SpeedButton2, &TForm1::Strike);
    bind(SpeedButton37, &TForm1::TimedQuestion);
    bind(SpeedButton13, &TForm1::AssignLeft);
    bind(SpeedButton10, &TForm1::AssignRight);
    bind(SpeedButton81, &TForm1::BalanceScores);
    bind(SpeedButton15, &TForm1::ExtraRound);
    bind(SpeedButton17, &TForm1::NotOnBoard);
    bind(SpeedButton19, &TForm1::EasyNext);
    bind(SpeedButton36, &TForm1::showKeyList);
    bind(SpeedButton84, &TForm1::toggleCoverOrGame);
    bind(SpeedButton16, &TForm1::exitGame);
    bind(SpeedButton11, &TForm1::maximize);
    bind(SpeedButton76, &TForm1::fitToMonitor);
    bind(Button4, &TForm1::MoveToLeft);
    bind(Button5, &TForm1::MoveToRight);
    bind(Button6, &TForm1::SwapScores);
    bind(Button7, &TForm1::EnterScores);
    connect(Button8, &QPushButton::clicked, this, [this] {
        Panel20->hide();
        parkFocus();
    });

    const auto tick = [this](QTimer* timer, auto handler) {
        connect(timer, &QTimer::timeout, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    tick(Timer1, &TForm1::splashTick);
    tick(Timer2, &TForm1::blinkTick);
    tick(Timer3, &TForm1::menuAutoHideTick);
    tick(Timer9, &TForm1::autoStrikeTick);
    tick(Timer10, &TForm1::countdownTick);
    tick(Timer15, &TForm1::noticeTick);

    connect(Image2, &ImageBox::clicked, this, [this] {
        if (!SpeedButton9->isEnabled()) {
            guarded([this] { NextQuestion(); });
        }
    });
    connect(Image15, &ImageBox::clicked, this,
            [this] { guarded([this] { state_.EasyMode ? EasyNext() : NextQuestion(); }); });
    connect(Image13, &ImageBox::clicked, this, [this] { parkFocusAndCancelStrike(); });
    connect(ERondaF1, &QLineEdit::textChanged, this,
            [this] { guarded([this] { SetPendingQuestion(); }); });
    connect(Edit16, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { storeTeamNames(Edit16); }); });
    connect(Edit17, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { storeTeamNames(Edit17); }); });
}

void TForm1::toggleMenu() {
    setBackground(Panel5, backgroundColour_);
    setBackground(Panel17, backgroundColour_);
    Panel11->hide();
    Panel5->setVisible(!Panel5->isVisible());
    if (Panel5->isVisible()) {
        Panel5->raise();
    }
}

void TForm1::menuAutoHideTick() {
    Timer3->stop();
    toggleMenu();
}

void TForm1::showKeyList() {
    Panel14->show();
    Panel14->raise();
}

void TForm1::toggleCoverOrGame() {
    const bool toGame = !Image13->isVisible();
    Image2->setVisible(!toGame);
    for (QWidget* w :
         {static_cast<QWidget*>(Image13), static_cast<QWidget*>(Image15), Panel1,
          static_cast<QWidget*>(Edit16), static_cast<QWidget*>(Edit17), Panel2, Panel3, Panel4}) {
        w->setVisible(toGame);
    }
}

void TForm1::exitGame() {
    if (dialogs().ask(QStringLiteral("¿Desea salir del juego?"))) {
        close();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    Timer9->stop();
    Timer10->stop();
    event->accept();
}

void TForm1::maximize() {
    if (fitAvailable_) {
        if (fitCounter_ < 3) {
            fitToMonitor();
        }
        if (fitCounter_ == 2 && Panel22->x() > 600) {
            Panel22->move(Panel22->x() - 90, Panel22->y());
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

void TForm1::storeTeamNames(QLineEdit* edited) {
    writeLinesFile(programPath(kTeamsFile), {Edit16->text(), Edit17->text()});
    QFont f = edited->font();
    f.setPointSize(edited->text().size() <= 23 ? 16 : 11);
    edited->setFont(f);
    edited->setSelection(0, 1);
    parkFocusAndCancelStrike();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        guarded([this] { maximize(); });
    }
}

}  // namespace velta
