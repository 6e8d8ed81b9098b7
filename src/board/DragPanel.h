#pragma once

#include <functional>

#include <QPoint>
#include <QWidget>

namespace velta {

// A floating panel the operator drags by its background within its window.
class DragPanel : public QWidget {
    Q_OBJECT
  public:
    DragPanel(const QString& name, QWidget* parent);

  protected:
    // The console's panel look: a light panel under a dark title bar across its top, with a
    // " X " at the bar's right end that runs `close`. The panel has its width by now.
    void addTitleBar(const QString& titleName, const QString& text, int height, int pixels,
                     const QString& closeName, std::function<void()> close);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint grab_;
    bool dragging_ = false;
};

}  // namespace velta
