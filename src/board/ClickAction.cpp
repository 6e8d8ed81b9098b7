#include "board/ClickAction.h"

#include <QMouseEvent>
#include <QWidget>

namespace velta {

ClickAction::ClickAction(QWidget* target, std::function<void()> action)
    : QObject(target), action_(std::move(action)) {
    target->installEventFilter(this);
}

void ClickAction::attach(QWidget* target, std::function<void()> action) {
    new ClickAction(target, std::move(action));
}

bool ClickAction::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            action_();
            return true;
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        default:
            return false;
    }
}

}  // namespace velta
