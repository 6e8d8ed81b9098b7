#pragma once

#include <QImage>
#include <QWidget>
#include <array>

class QLabel;

namespace velta {

class ImageBox;
class KeyButton;

// Component names of each slot's fields, in slot order, the same on both windows.
inline const char* const kFastMoneyAnswerNames[] = {"Edit33", "Edit35", "Edit37", "Edit39",
                                                    "Edit41", "Edit44", "Edit46", "Edit48",
                                                    "Edit50", "Edit52"};
inline const char* const kFastMoneyScoreNames[] = {"Edit34", "Edit36", "Edit38", "Edit40",
                                                   "Edit42", "Edit43", "Edit45", "Edit47",
                                                   "Edit49", "Edit51"};

// One slot of the fast-money board: big lettering on a glossy bar, so the audience reads
// it from the back of the room. Long answers shrink to fit.
class FastMoneySlot : public QWidget {
    Q_OBJECT
  public:
    FastMoneySlot(const QString& name, bool score, QWidget* parent);

    void setText(const QString& text);
    QString text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString text_;
    bool score_;
    QImage bar_;
};

// The board's fast-money panel Panel18: player 1's answers and scores on the left, player
// 2's scores and answers on the right (the two score columns meet in the middle), the
// clock, the winner picture and a close button.
class FastMoneyBoard : public QWidget {
    Q_OBJECT
  public:
    explicit FastMoneyBoard(QWidget* parent);

    // Slots 1..10 as the table of the round numbers them.
    void setAnswer(int slot, const QString& text);
    void setScore(int slot, const QString& text);
    QString answer(int slot) const;
    QString score(int slot) const;
    void clear();
    void setClock(const QString& text);
    ImageBox* winner() const { return winner_; }
    // Painted after the cover's first paint, with the board's own background.
    ImageBox* background() const { return background_; }

  Q_SIGNALS:
    void closeRequested();

  private:
    std::array<FastMoneySlot*, 10> answers_{};
    std::array<FastMoneySlot*, 10> scores_{};
    QLabel* clock_;         // Label62
    ImageBox* winner_;      // Image22
    ImageBox* background_;  // Image23
};

}  // namespace velta
