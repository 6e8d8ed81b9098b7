#pragma once

#include <QImage>
#include <QString>

namespace velta {

// What the board writes into the control window. The control window implements it; while
// there is none, the board talks to NullControlLink and plays the same.
class ControlLink {
  public:
    virtual ~ControlLink() = default;

    virtual bool isShown() const = 0;
    // Shows the control window and gives its focus sink the keyboard focus (key T).
    virtual void open() = 0;
    // Before the program ends: unsaved typing in the question editor is offered for saving.
    virtual void confirmUnsavedQuestion() = 0;
    // The theme dialog (key J, and by itself on a first start).
    virtual void openThemes() = 0;
    // A while after a theme was accepted: the control window opens on question 1.
    virtual void themeAccepted() = 0;
    // Gives the control window's focus sink the keyboard focus.
    virtual void parkFocus() = 0;
    // "Sincronizar con el juego".
    virtual bool syncWithGame() const = 0;

    // The relay field: the round file the board has put up.
    virtual void setRoundRelay(const QString& fileName) = 0;
    // Bold and underlined answer field and numbered button for a revealed row (1..5).
    virtual void setRevealMark(int row, bool revealed) = 0;
    // Plain style for all five rows; hides the reassign menu and the notice.
    virtual void clearRoundMarks() = 0;

    // The picture box and the countdown of the host view.
    virtual void showPicture(const QImage& picture) = 0;
    virtual void hidePicture() = 0;
    virtual void setCountdown(const QString& text) = 0;

    // Fast money: the clock's copy and the caption of the board panel's switch.
    virtual void setFastMoneyClock(const QString& text) = 0;
};

// The board's link while no control window exists: never shown, and every write is dropped.
class NullControlLink : public ControlLink {
  public:
    bool isShown() const override { return false; }
    void open() override {}
    void confirmUnsavedQuestion() override {}
    void openThemes() override {}
    void themeAccepted() override {}
    void parkFocus() override {}
    bool syncWithGame() const override { return false; }
    void setRoundRelay(const QString&) override {}
    void setRevealMark(int, bool) override {}
    void clearRoundMarks() override {}
    void showPicture(const QImage&) override {}
    void hidePicture() override {}
    void setCountdown(const QString&) override {}
    void setFastMoneyClock(const QString&) override {}
};

}  // namespace velta
