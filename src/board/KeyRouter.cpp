#include "board/KeyRouter.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "board/KeyButton.h"

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
    if (const auto* text = qobject_cast<const QTextEdit*>(w)) {
        return !text->isReadOnly();
    }
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w)) {
        return !plain->isReadOnly();
    }
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

}  // namespace

KeyRouter::KeyRouter(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

KeyRouter::~KeyRouter() {
    qApp->removeEventFilter(this);
}

void KeyRouter::add(KeyButton* key) {
    keys_ << key;
}

void KeyRouter::setUndo(std::function<void()> undo, std::function<void()> redo) {
    undo_ = std::move(undo);
    redo_ = std::move(redo);
}

void KeyRouter::setButtons(std::function<bool(int key)> buttons) {
    buttons_ = std::move(buttons);
}

KeyButton* KeyRouter::enabledKeyFor(QChar key) const {
    const QChar wanted = key.toLower();
    for (KeyButton* button : keys_) {
        if (button->accelerator() == wanted && button->isEnabled() && button->isVisible()) {
            return button;
        }
    }
    return nullptr;
}

KeyButton* KeyRouter::keyFor(QChar key) const {
    const QChar wanted = key.toLower();
    for (KeyButton* button : keys_) {
        if (button->accelerator() == wanted) {
            return button;
        }
    }
    return nullptr;
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) {
        return false;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (undo_ && event->type() == QEvent::KeyPress && !takesText(widget) &&
        (keyEvent->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
        (keyEvent->key() == Qt::Key_Z || keyEvent->key() == Qt::Key_Y)) {
        (keyEvent->key() == Qt::Key_Z ? undo_ : redo_)();
        return true;
    }
    if (buttons_ && event->type() == QEvent::KeyPress && !keyEvent->isAutoRepeat() &&
        !(keyEvent->modifiers() & ~Qt::KeypadModifier) && !takesText(widget) &&
        buttons_(keyEvent->key())) {
        return true;
    }
    const QChar key = commandKey(keyEvent);
    if (key.isNull()) {
        return false;
    }
    const bool alt = keyEvent->modifiers() & Qt::AltModifier;
    if (event->type() == QEvent::ShortcutOverride) {
        // Alt + letter is ours, not a menu shortcut's.
        if (alt) {
            event->accept();
            return true;
        }
        return false;
    }
    if (!alt && takesText(widget)) {
        return false;
    }
    KeyButton* button = enabledKeyFor(key);
    if (!button) {
        return alt;
    }
    button->click();
    return true;
}

}  // namespace velta
