#include "console/ReassignMenu.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "board/TipStyle.h"
#include "editing/GameSettings.h"
#include "platform/Guard.h"

namespace velta {

ReassignMenu::ReassignMenu(TForm1& board, QWidget* window) : QObject(window), board_(board) {
    menu_ = new QWidget(window);
    menu_->setObjectName(QStringLiteral("Panel20"));
    menu_->setGeometry(440, 380, 260, 172);
    setBackground(menu_, window->palette().color(QPalette::Button));
    menu_->setAutoFillBackground(true);
    auto* title = new QLabel(QStringLiteral(" Reasignar puntos"), menu_);
    title->setObjectName(QStringLiteral("Label2"));
    title->setGeometry(0, 0, 260, 22);
    title->setFont(tahoma(12, true));
    setBackground(title, QColor(0x33, 0x4A, 0x7A));
    setTextColour(title, QPalette::WindowText, Qt::white);

    addRow(0, QStringLiteral("Button4"), QStringLiteral("<<"), QStringLiteral("Label3"),
           QStringLiteral("Asignar"), [this] { board_.pressReassign(TForm1::Reassign::ToLeft); });
    addRow(1, QStringLiteral("Button5"), QStringLiteral(">>"), QStringLiteral("Label4"),
           QStringLiteral("Asignar"), [this] { board_.pressReassign(TForm1::Reassign::ToRight); });
    addRow(2, QStringLiteral("Button6"), QStringLiteral("><"), QStringLiteral("Label5"),
           QStringLiteral("Intercambiar marcadores"),
           [this] { board_.pressReassign(TForm1::Reassign::Swap); });
    addRow(3, QStringLiteral("Button7"), QStringLiteral("[  ]"), QStringLiteral("Label6"),
           QStringLiteral("Ingresar manualmente"),
           [this] { board_.pressReassign(TForm1::Reassign::Enter); });
    addRow(4, QStringLiteral("Button8"), QStringLiteral("X"), QStringLiteral("Label7"),
           QStringLiteral("Ninguna acción"), [this] { menu_->hide(); });
    toLeft_ = menu_->findChild<QPushButton*>(QStringLiteral("Button4"));
    toRight_ = menu_->findChild<QPushButton*>(QStringLiteral("Button5"));
    leftText_ = menu_->findChild<QLabel*>(QStringLiteral("Label3"));
    rightText_ = menu_->findChild<QLabel*>(QStringLiteral("Label4"));
    menu_->hide();

    notice_ = new QLabel(QStringLiteral("Puntos sin asignar"), window);
    notice_->setObjectName(QStringLiteral("Panel21"));
    notice_->setGeometry(440, 530, 180, 22);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setFont(tahoma(13, true));
    setBackground(notice_, QColor(0xFF, 0xF4, 0xC8));
    notice_->hide();

    noticeTimer_ = new QTimer(this);
    noticeTimer_->setObjectName(QStringLiteral("Timer15"));
    noticeTimer_->setInterval(1500);
    connect(noticeTimer_, &QTimer::timeout, this, [this] { guarded([this] { noticeTick(); }); });
}

// A row: the button, and beside it a label that presses it too.
void ReassignMenu::addRow(int row, const QString& buttonName, const QString& caption,
                          const QString& labelName, const QString& text,
                          std::function<void()> action) {
    const int y = 26 + 29 * row;
    auto* button = new QPushButton(caption, menu_);
    button->setObjectName(buttonName);
    button->setGeometry(6, y, 36, 25);
    button->setToolTipDuration(kTipDurationMs);
    auto* label = new QLabel(text, menu_);
    label->setObjectName(labelName);
    label->setGeometry(48, y, 206, 25);
    label->setCursor(Qt::PointingHandCursor);
    const auto run = [this, action] {
        guarded(action);
        Q_EMIT done();
    };
    connect(button, &QPushButton::clicked, this, run);
    ClickAction::attach(label, run);
}

void ReassignMenu::balance() {
    const QString points = QString::number(board_.game().lastAward());
    const GameSettings& s = board_.settings();
    leftText_->setText(points + QStringLiteral(" a ") + s.leftTeamName);
    rightText_->setText(points + QStringLiteral(" a ") + s.rightTeamName);
    toLeft_->setToolTip(QStringLiteral("Reasignar puntos a ") + s.leftTeamName);
    toRight_->setToolTip(QStringLiteral("Reasignar puntos a ") + s.rightTeamName);
    if (!board_.gameViewShowing()) {
        return;
    }
    if (points == QLatin1String("0")) {
        notice_->show();
        notice_->raise();
        noticeTimer_->start();
        return;
    }
    if (menu_->isVisible()) {
        menu_->hide();
    } else {
        notice_->hide();
        menu_->show();
        menu_->raise();
        toLeft_->setFocus();
    }
}

void ReassignMenu::hide() {
    menu_->hide();
    notice_->hide();
}

void ReassignMenu::noticeTick() {
    noticeTimer_->stop();
    notice_->hide();
}

}  // namespace velta
