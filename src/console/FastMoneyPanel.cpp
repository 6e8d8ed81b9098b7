#include "console/FastMoneyPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "board/FastMoneyBoard.h"
#include "board/Uvelta.h"
#include "game/GameRules.h"
#include "platform/Guard.h"
#include "sound/Sound.h"

namespace velta {

namespace {

const int kAnswerButtons[] = {75, 76, 77, 78, 79, 90, 91, 92, 93, 94};
const int kScoreButtons[] = {81, 82, 83, 84, 85, 95, 96, 97, 98, 99};

const QString kShowOnBoard = QStringLiteral("Mostrar en el tablero");
const QString kHideOnBoard = QStringLiteral("Ocultar en el tablero");

}  // namespace

FastMoneyPanel::FastMoneyPanel(TForm1& board, QWidget* parent)
    : DragPanel(QStringLiteral("Panel18"), parent), board_(board) {
    resize(814, 300);
    addTitleBar(QStringLiteral("Label60"), QStringLiteral(" Dinero rápido"), 24, 13,
                QStringLiteral("Label67"), [this] {
                    setOpen(false);
                    guarded([this] { board_.hideBoardPanel(); });
                    Q_EMIT done();
                });
    infoIcon(QStringLiteral("Image24"),
             QStringLiteral("1) Haz la primera pregunta y da clic en Tiempo 1\n"
                            "2) Anota las respuestas y puntajes, muéstralos con el boton >> "
                            "correspondiente\n"
                            "3) Oculta el panel cuando pase el segundo jugador\n"
                            "4) Repite desde el punto 1 con Tiempo 2\n"
                            "5) Clic en Detener cuando contestan todo antes que acabe el tiempo\n"
                            "6) Clic en Limpiar para comenzar un nuevo Dinero Rápido"),
             this, QPoint(770, 4));
    buildSlots();
    buildButtons();
    hide();
    followGame();
    connect(&board_.game(), &Game::restored, this, &FastMoneyPanel::followGame);
}

void FastMoneyPanel::buildSlots() {
    const auto showButton = [this](int number, const QString& hint, const QRect& geometry) {
        auto* b = new QPushButton(QStringLiteral("\u00BB"), this);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
        b->setToolTip(hint);
        b->setGeometry(geometry);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    for (int slot = 0; slot < 10; ++slot) {
        const int x = slot < 5 ? 8 : 410;
        const int y = 56 + (slot % 5) * 34;
        if (slot % 5 == 0) {
            auto* player = new QLabel(
                slot < 5 ? QStringLiteral("Jugador 1") : QStringLiteral("Jugador 2"), this);
            player->setGeometry(x, 30, 200, 22);
            player->setFont(tahoma(13, true));
        }
        answers_[slot] = new QLineEdit(this);
        answers_[slot]->setObjectName(QLatin1String(kFastMoneyAnswerNames[slot]));
        answers_[slot]->setGeometry(x, y, 250, 28);
        answers_[slot]->setFont(tahoma(16));
        auto* answerShow =
            showButton(kAnswerButtons[slot], QStringLiteral("Mostrar esta respuesta en el juego"),
                       QRect(x + 252, y, 28, 28));
        scores_[slot] = new QLineEdit(this);
        scores_[slot]->setObjectName(QLatin1String(kFastMoneyScoreNames[slot]));
        scores_[slot]->setGeometry(x + 288, y, 64, 28);
        scores_[slot]->setFont(tahoma(16));
        scores_[slot]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* scoreShow =
            showButton(kScoreButtons[slot], QStringLiteral("Mostrar este puntaje en el juego"),
                       QRect(x + 354, y, 28, 28));
        connect(scores_[slot], &QLineEdit::textChanged, this, &FastMoneyPanel::recount);
        connect(answers_[slot], &QLineEdit::textChanged, this, [this, slot](const QString& text) {
            board_.game().typeFastMoneyAnswer(slot + 1, text);
        });
        connect(scores_[slot], &QLineEdit::textChanged, this, [this, slot](const QString& text) {
            board_.game().typeFastMoneyScore(slot + 1, text);
        });
        connect(answerShow, &QPushButton::clicked, this, [this, slot] {
            const Game::Step step(board_.game());
            guarded([this, slot] { showAnswer(slot + 1); });
        });
        connect(scoreShow, &QPushButton::clicked, this, [this, slot] {
            const Game::Step step(board_.game());
            guarded([this, slot] { showScore(slot + 1); });
        });
    }
}

void FastMoneyPanel::buildButtons() {
    const auto button = [this](const QString& name, const QString& caption, const QString& hint,
                               int x, std::function<void()> action) {
        auto* b = commandButton(name, caption, hint, this, QRect(x, 232, 112, 30));
        connect(b, &QPushButton::clicked, this, [this, action] {
            {
                const Game::Step step(board_.game());
                guarded(action);
            }
            Q_EMIT done();
        });
        return b;
    };
    button(QStringLiteral("SpeedButton86"), QStringLiteral("Tiempo 1"),
           QStringLiteral("Tiempo del jugador 1"), 8, [this] { board_.startFastMoneyClock(20); });
    button(QStringLiteral("SpeedButton87"), QStringLiteral("Tiempo 2"),
           QStringLiteral("Tiempo del jugador 2"), 124, [this] { board_.startFastMoneyClock(25); });
    button(QStringLiteral("SpeedButton88"), QStringLiteral("Detener"),
           QStringLiteral("Detener contador"), 240, [this] { board_.StopClock(); });
    boardSwitch_ = button(QStringLiteral("SpeedButton89"), kShowOnBoard,
                          QStringLiteral("Ocultar el tablero de Dinero Rápido en el juego"), 356,
                          [this] { board_.ToggleBoardPanel(); });
    boardSwitch_->resize(150, 30);
    button(QStringLiteral("SpeedButton100"), QStringLiteral("Duplicado"),
           QStringLiteral("Respuesta duplicada, dar otra"), 510,
           [] { PlayEffect(effects::kPass); });
    button(QStringLiteral("SpeedButton101"), QStringLiteral("Limpiar"),
           QStringLiteral("Limpiar todos los valores"), 626, [this] { clearAll(); });

    auto* totalLabel = new QLabel(QStringLiteral("Total"), this);
    totalLabel->setGeometry(606, 270, 80, 24);
    totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_ = new QLineEdit(QStringLiteral("0"), this);
    total_->setObjectName(QStringLiteral("Edit4"));
    total_->setGeometry(690, 266, 116, 30);
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_->setFont(tahoma(18, true));
    total_->setToolTip(QStringLiteral("Total de puntos acumulados"));
    clock_ = new QLabel(QStringLiteral("00"), this);
    clock_->setObjectName(QStringLiteral("Label62"));
    clock_->setGeometry(742, 224, 64, 40);
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock_->setFont(tahoma(30, true));
    setTextColour(clock_, QPalette::WindowText, QColor(0x1B, 0x7A, 0x3A));
}

QStringList FastMoneyPanel::scores() const {
    QStringList texts;
    for (const QLineEdit* s : scores_) {
        texts << s->text();
    }
    return texts;
}

// Typing a score recounts this panel's total only: the board shows nothing until "»". A
// score that is no whole number is marked and the total stays as it was.
void FastMoneyPanel::recount() {
    QList<qint64> values;
    bool countable = true;
    for (QLineEdit* field : scores_) {
        const auto value = game::fastMoneyScore(field->text());
        field->setStyleSheet(value ? QString() : QStringLiteral("background: #F8C8C8;"));
        countable = countable && value;
        values << value.value_or(0);
    }
    if (countable) {
        total_->setText(QString::number(game::fastMoneyTotal(values, 10)));
    }
}

// After a "»" the keyboard goes to the next field the operator types in: the slot's score
// after its answer, the next slot's answer after a score.
void FastMoneyPanel::showAnswer(int slot) {
    board_.showFastMoneyAnswer(slot, answers_.at(slot - 1)->text());
    scores_.at(slot - 1)->setFocus(Qt::OtherFocusReason);
}

void FastMoneyPanel::showScore(int slot) {
    QLineEdit* next = slot < 10 ? answers_.at(slot) : scores_.at(slot - 1);
    next->setFocus(Qt::OtherFocusReason);
    board_.showFastMoneyScore(slot, scores_.at(slot - 1)->text(), scores());
}

void FastMoneyPanel::ToggleFastMoney() {
    const bool open = !isVisible();
    board_.openFastMoney(open);
    setOpen(open);
    if (open) {
        raise();
    }
}

void FastMoneyPanel::setOpen(bool open) {
    setVisible(open);
    board_.game().setFastMoneyPanelOpen(open);
}

void FastMoneyPanel::clearAll() {
    for (int slot = 0; slot < 10; ++slot) {
        answers_[slot]->clear();
        scores_[slot]->clear();
    }
    board_.ClearFastMoney();
}

// Undo and redo leave the operator's panel as it is, so only a saved game put back changes
// a field here: the one being typed in keeps its cursor.
void FastMoneyPanel::followGame() {
    const auto follow = [](QLineEdit* field, const QString& text) {
        if (field->text() != text) {
            field->setText(text);
        }
    };
    const Game& game = board_.game();
    for (int slot = 0; slot < 10; ++slot) {
        follow(answers_[slot], game.typedAnswer(slot + 1));
        follow(scores_[slot], game.typedScore(slot + 1));
    }
    setVisible(game.fastMoneyPanelOpen());
}

void FastMoneyPanel::setClock(const QString& text) {
    clock_->setText(text);
}

void FastMoneyPanel::setBoardPanelShown(bool shown) {
    boardSwitch_->setText(shown ? kHideOnBoard : kShowOnBoard);
}

}  // namespace velta
