#include "board/DragPanel.h"

#include <QMouseEvent>

namespace velta {

DragPanel::DragPanel(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void DragPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grab_ = event->position().toPoint();
        event->accept();
    }
}

void DragPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !parentWidget()) {
        return;
    }
    const QPoint wanted = mapToParent(event->position().toPoint() - grab_);
    const QSize room = parentWidget()->size() - size();
    move(qBound(0, wanted.x(), qMax(0, room.width())),
         qBound(0, wanted.y(), qMax(0, room.height())));
    event->accept();
}

void DragPanel::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    event->accept();
}

}  // namespace velta
