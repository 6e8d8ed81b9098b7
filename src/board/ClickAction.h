#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace velta {

// Makes a plain control (a label, a panel) act on a left press, as a button does: the
// press runs the action once and goes no further, and a double click counts as one click,
// so it neither runs the action twice nor reaches the window behind.
class ClickAction : public QObject {
  public:
    static void attach(QWidget* target, std::function<void()> action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ClickAction(QWidget* target, std::function<void()> action);

    std::function<void()> action_;
};

}  // namespace velta
