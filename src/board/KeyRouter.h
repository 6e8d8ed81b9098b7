#pragma once

#include <QList>
#include <QObject>
#include <functional>

namespace velta {

class KeyButton;

// Routes the letters and digits typed in one window to that window's key buttons. Each
// window makes its own router and adds its key buttons in the order they are matched.
//
// When the focused control takes no text, a letter or digit, with or without Alt and in
// either case, clicks the first added button whose accelerator it is and that is enabled
// and visible; Alt + a letter no button takes is swallowed, so no menu shortcut fires.
class KeyRouter : public QObject {
    Q_OBJECT
  public:
    explicit KeyRouter(QWidget* window);
    ~KeyRouter() override;

    void add(KeyButton* key);
    // What Ctrl+Z and Ctrl+Y do while the focused control takes no text (in a text field
    // they undo and redo the typing, as everywhere).
    void setUndo(std::function<void()> undo, std::function<void()> redo);
    // Offered every plain key pressed while the focused control takes no text, before the
    // commands; returns whether it took the key (the face-off buttons).
    void setButtons(std::function<bool(int key)> buttons);

    // The first enabled, visible button with this accelerator: what a key press clicks.
    KeyButton* enabledKeyFor(QChar key) const;
    // The first button with this accelerator, whatever its state: what the other window's
    // twin presses.
    KeyButton* keyFor(QChar key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QList<KeyButton*> keys_;
    std::function<void()> undo_;
    std::function<void()> redo_;
    std::function<bool(int)> buttons_;
};

}  // namespace velta
