#pragma once

#include <QString>

namespace velta {

// What the board asks of the control window. Everything the control window shows of the
// game it takes from the game's and the board's signals; these are the requests only.
// The control window implements it; while there is none, the board talks to
// NullControlLink and plays the same.
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
};

}  // namespace velta
