#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velta {

struct RoundCard;

// The question's fields in the control window: the file-name label, the question, five
// answers with their points and the total. They show the host the card on the board while
// the window follows the game; the numbered buttons "1.-" to "5.-" uncover the answers on
// the board, and a revealed answer is marked bold and underlined.
class QuestionPanel : public QWidget {
    Q_OBJECT
  public:
    explicit QuestionPanel(QWidget* parent);

    // Shows the card of `fileName`: the file-name label takes the name, then the fields the
    // card. Rows 3 to 5 are filled in turn, up to the first answer line left empty; points
    // show as stored, so saving again writes them unchanged.
    void showCard(const QString& fileName, const RoundCard& card);
    void showFileName(const QString& fileName);
    QString fileName() const;
    bool questionEmpty() const;
    void focusQuestion();

    void setRevealMark(int row, bool revealed);
    void clearMarks();

    QString question() const;
    QString answer(int row) const;
    QString points(int row) const;
    QStringList answers() const;
    QStringList allPoints() const;
    void setAnswer(int row, const QString& text);
    bool marked(int row) const;
    // The first answer row (1..5) whose points the board could not add up, with the reason
    // in `why`; 0 when every row can be stored.
    int badPoints(QString* why) const;

  Q_SIGNALS:
    // A numbered button "n.-" was pressed (1..5).
    void revealPressed(int row);
    // The operator typed in the question, an answer or a points field.
    void edited();

  private:
    void recomputeTotal();

    QLabel* fileName_;     // Label32
    QLineEdit* question_;  // Edit1
    std::array<QLineEdit*, 5> answers_{};
    std::array<QLineEdit*, 5> points_{};
    std::array<QPushButton*, 5> revealButtons_{};  // SB1..SB5
    QLineEdit* total_;                             // Edit14
    QLabel* sumWarning_;
};

}  // namespace velta
