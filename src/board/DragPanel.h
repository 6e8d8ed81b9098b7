#pragma once

#include <QPoint>
#include <QWidget>

namespace velta {

// A floating panel the operator drags by its background within its window.
class DragPanel : public QWidget {
    Q_OBJECT
  public:
    DragPanel(const QString& name, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint grab_;
    bool dragging_ = false;
};

}  // namespace velta
