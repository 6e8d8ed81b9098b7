#include "board/DragPanel.h"

#include <QLabel>
#include <QMouseEvent>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"

namespace velta {

DragPanel::DragPanel(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void DragPanel::addTitleBar(const QString& titleName, const QString& text, int height, int pixels,
                            const QString& closeName, std::function<void()> close) {
    setBackground(this, QColor(0xF4, 0xF6, 0xF9));
    auto* title = new QLabel(text, this);
    title->setObjectName(titleName);
    title->setGeometry(0, 0, width(), height);
    title->setFont(tahoma(pixels, true));
    setBackground(title, QColor(0x33, 0x4A, 0x7A));
    setTextColour(title, QPalette::WindowText, Qt::white);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* mark = new QLabel(QStringLiteral(" X "), this);
    mark->setObjectName(closeName);
    mark->setGeometry(width() - 24, (height - 18) / 2, 20, 18);
    mark->setFont(tahoma(11, true));
    setTextColour(mark, QPalette::WindowText, Qt::white);
    mark->setCursor(Qt::PointingHandCursor);
    ClickAction::attach(mark, std::move(close));
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
