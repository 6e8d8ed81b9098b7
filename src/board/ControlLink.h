#pragma once

#include <QImage>
#include <QString>

namespace velta {

// What the board writes into the control window. The control window implements it; while
// there is none, the board plays the same and these writes are skipped.
class ControlLink {
  public:
    virtual ~ControlLink() = default;

    virtual bool isShown() const = 0;
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
    virtual void setAnswerKeysEnabled(bool key3, bool key4, bool key5) = 0;
    // Keys the board keeps in step: 'a', 'z', 'c', 's', 'f'.
    virtual void setKeyEnabled(QChar key, bool enabled) = 0;

    // The picture box and the countdown of the host view.
    virtual void showPicture(const QImage& picture) = 0;
    virtual void hidePicture() = 0;
    virtual void setCountdown(const QString& text) = 0;

    // Score mirrors.
    virtual void setLeftScore(const QString& text) = 0;
    virtual void setRightScore(const QString& text) = 0;
};

}  // namespace velta
