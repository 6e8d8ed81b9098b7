#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include "content/RoundFiles.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace velta {

class QuestionExplorer;
class QuestionPanel;
class TForm1;

// The question editor of the control window: browse, search, edit, add, remove and list the
// questions of the rounds folder, one card at a time in the question's fields, which also
// show the host the card on the board.
//
// Typed text is never lost nor saved into the wrong file without the operator deciding:
// "Guardar" writes the card being edited (its folder, kind and number are fixed when it was
// shown), every change of card asks first while there is unsaved typing, and a card the
// board puts up meanwhile waits beside the typing instead of replacing it.
class QuestionEditor : public QObject {
    Q_OBJECT
  public:
    // The fields and buttons go into `panel`, the explorer and its place into `window`.
    QuestionEditor(TForm1& board, QWidget* panel, QWidget* window);

    QuestionPanel* fields() const { return fields_; }

    void previousQuestion();
    void nextQuestion();
    void saveQuestion();
    void newQuestion();
    void removeQuestion();
    void toggleExplorer();
    void selectFamily(bool extra);
    void pickFromExplorer(int number);
    void showListing();
    void copyListing();
    void backToEditing();

    // When the operator leaves the program, changes folder, loads a version or accepts a
    // theme: unsaved typing is offered for saving first ("Sí" saves it into its own card).
    // False when "Sí" was answered and the card could not be saved: the typing stays, and
    // whatever was about to replace it must not go on.
    bool confirmUnsavedQuestion();
    // Question 1 of the series in the rounds folder in force.
    void restart();
    // The window was shown: a window showing no question shows the card on the board, or
    // question 1 when the board has none up.
    void windowShown(const QString& boardCard);
    // The board put up `fileName` and the window follows it.
    void followBoard(const QString& fileName);

  Q_SIGNALS:
    // An operation ended: the window gives the keyboard back to the game.
    void done();

  private:
    struct Card {
        QString folder;
        RoundKind kind = RoundKind::Normal;
        int number = 0;
    };

    void buildButtons(QWidget* panel);
    bool showQuestion(int number);
    // `following`: the board put the card up, and a card that reads badly is reported once
    // the board's command is over.
    void loadCard(const Card& card, const QString& fileName, bool following = false);
    // False when the card was refused: it stays as typed, the reason said.
    bool save();
    // True when the change of card may go on: nothing was typed, the operator said "No",
    // or the typing was saved.
    bool askToSave(const QString& question);
    void showSeries(RoundKind kind);
    // The typing the banner protects was saved or dropped: the banner goes and the fields
    // show the board's card again.
    void typingSettled();
    void dropHeldCard();
    bool folderAvailable();
    void reopenExplorer();
    void holdBoardCard(const QString& fileName);
    void releaseBoardCard(bool keep);

    TForm1& board_;
    QuestionPanel* fields_ = nullptr;
    QuestionExplorer* explorer_ = nullptr;
    QPlainTextEdit* listing_ = nullptr;
    QPushButton* listButton_ = nullptr;  // "Listar preguntas"
    QPushButton* copyButton_ = nullptr;  // "Copiar a memoria"
    QPushButton* backButton_ = nullptr;  // "Editar preguntas"
    QLabel* copyAdvice_ = nullptr;
    QLabel* exploreAdvice_ = nullptr;  // "Seleccionar o buscar pregunta"
    QLabel* editAdvice_ = nullptr;
    QCheckBox* extras_ = nullptr;  // "Rondas extras"
    QWidget* heldBanner_ = nullptr;
    QLabel* heldText_ = nullptr;

    int currentNumber_ = 0;
    RoundKind kind_ = RoundKind::Normal;
    RoundKind explorerKind_ = RoundKind::Normal;  // the series the explorer lists
    int editState_ = 0;  // 1 while the fields hold typing not saved yet, else 0
    Card editing_;       // the card the fields hold; number 0 while they hold none
    QString heldCard_;   // a card the board put up while the fields held unsaved typing
    QString reportedFolder_;
    QSet<QString> reportedCards_;  // cards with a bad answer line 1 or 2, said once each
};

}  // namespace velta
