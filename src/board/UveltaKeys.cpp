// Key routing and the window's own controls: every letter or digit typed while the focus
// rests on a control that takes no text presses the key button with that accelerator.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWindow>

#include "board/Uvelta.h"
#include "platform/Guard.h"

namespace velta {

namespace {

// The letter or digit a key event carries, lower case; a null char for anything else.
QChar commandKey(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return {};
    }
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return QChar('a' + (key - Qt::Key_A));
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return QChar('0' + (key - Qt::Key_0));
    }
    return {};
}

bool takesText(const QWidget* w) {
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->isEditable();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(w)) {
        return !line->isReadOnly();
    }
    return qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

}  // namespace

KeyButton* TForm1::keyButtonFor(QChar key) const {
    const QChar wanted = key.toLower();
    for (KeyButton* button : keyButtons_) {
        if (button->accelerator() == wanted && button->isEnabled() && button->isVisible()) {
            return button;
        }
    }
    return nullptr;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        return routeClick(watched, static_cast<QMouseEvent*>(event)) ||
               QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return QWidget::eventFilter(watched, event);
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Alt + letter is ours, not a menu shortcut's.
        if ((keyEvent->modifiers() & Qt::AltModifier) && !commandKey(keyEvent).isNull()) {
            event->accept();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    return routeKey(watched, keyEvent) || QWidget::eventFilter(watched, event);
}

bool TForm1::routeKey(QObject* watched, QKeyEvent* event) {
    const QChar key = commandKey(event);
    if (key.isNull()) {
        return false;
    }
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (!alt && takesText(qobject_cast<QWidget*>(watched))) {
        return false;
    }
    KeyButton* button = keyButtonFor(key);
    if (!button) {
        return alt;
    }
    button->click();
    return true;
}

// Clicks that act like keys: a row cover reveals its row, a score box awards the pot to
// its side, the key list's " X " closes it.
bool TForm1::routeClick(QObject* watched, QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return false;
    }
    for (int i = 0; i < 5; ++i) {
        if (watched == rows[i].cover) {
            guarded([this, i] { RevealOrHide(i + 1); });
            return true;
        }
    }
    if (watched == Panel3 || watched == Image10 || watched == Label19) {
        SpeedButton13->click();
        return true;
    }
    if (watched == Panel4 || watched == Image11 || watched == Label20) {
        SpeedButton10->click();
        return true;
    }
    if (watched == Label65) {
        Panel14->hide();
        parkFocus();
        return true;
    }
    return false;
}

void TForm1::parkFocus() {
    if (control_ && control_->isShown()) {
        control_->parkFocus();
    } else {
        Button3->setFocus(Qt::OtherFocusReason);
    }
}

// A press on the background drags the window; near its edges it resizes it, since the
// window has no frame of its own.
void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !windowHandle()) {
        QWidget::mousePressEvent(event);
        return;
    }
    parkFocusAndCancelStrike();
    const QPoint pos = mapFromGlobal(event->globalPosition().toPoint());
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

}  // namespace velta
