#pragma once

#include <QAbstractButton>
#include <QColor>

namespace velta {

// One command of the key row: a flat 23 x 22 button captioned "&" + its key letter. The
// letter is the accelerator the window's key routing matches; a key or a click acts only
// while the button is enabled and visible, while press() (the other window's twin, the
// timers) runs the command in any state.
class KeyButton : public QAbstractButton {
    Q_OBJECT
  public:
    KeyButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent);

    // The caption as written, "&s"; the accelerator is the letter after '&' (none if
    // the caption has no '&').
    QString caption() const { return caption_; }
    QChar accelerator() const { return accelerator_; }
    void setCaptionColour(const QColor& colour);

    // Runs the command whatever the button's state.
    void press();

    QSize sizeHint() const override { return {23, 22}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString caption_;
    QChar accelerator_;
    QColor captionColour_;
    bool hovered_ = false;
};

}  // namespace velta
