#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "board/ControlLink.h"
#include "board/GameState.h"
#include "board/ImageBox.h"
#include "board/KeyButton.h"
#include "content/RoundFiles.h"

class QListWidget;

namespace velta {

// One answer row of the board: cover, answer text, points, bar picture and its key.
struct AnswerRow {
    QLabel* cover = nullptr;
    QLabel* answer = nullptr;
    QLabel* points = nullptr;
    ImageBox* bar = nullptr;
    KeyButton* key = nullptr;
};

// Values the control window keeps in its own fields and check boxes; the board holds them
// while there is no control window to hold them.
struct BoardOptions {
    bool multipliersInNormal = true;  // "Puntos dobles y triples en modo Normal"
    bool accumulateInEasy = false;    // "Acumular puntos en el modo Fácil"
    bool hideQuestion = false;        // "Ocultar preguntas en tablero del juego"
    bool hideScores = false;          // "Ocultar la puntajes en el tablero del juego"
    QString coverPath;                // the cover field
    QString framePath;                // the frame field
};

// The board window the audience sees: the cover screen, then the game with the question,
// the five answer rows, the pot and the two team scores. It owns the game; the operator
// drives it with one key per command.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    TForm1();
    ~TForm1() override;

    // False when another copy of the program was already running: this one has told the
    // operator and must end without showing a window.
    bool isSingleInstance() const { return singleInstance_; }

    // Runs once after the cover's first paint (the program loads its sounds then).
    void setAfterFirstPaint(std::function<void()> hook) { afterFirstPaint_ = std::move(hook); }
    // True once the pictures hidden behind the cover screen are in place (right after the
    // cover's first paint).
    bool picturesReady() const { return picturesReady_; }

    QString roundFolder() const;
    const BoardOptions& options() const { return options_; }
    BoardOptions& options() { return options_; }
    GameState& state() { return state_; }
    const RoundCard& card() const { return card_; }

    // The control window, once it exists; null while there is none.
    void setControlLink(ControlLink* link) { control_ = link; }

    // Round flow.
    void NextQuestion();
    void PreviousQuestion();
    void ReplaceQuestion();
    void EasyNext();
    void ExtraRound();
    void SetPendingQuestion();

    // Reveal, strikes and the timed question.
    void RevealOrHide(int row);
    void Strike();
    void NotOnBoard();
    void TimedQuestion();

    // Scores.
    void AssignLeft();
    void AssignRight();
    void BalanceScores();
    void MoveToLeft();
    void MoveToRight();
    void SwapScores();
    void EnterScores();

    // Keys, menu and window.
    void toggleMenu();
    void showKeyList();
    void toggleCoverOrGame();
    void exitGame();
    void maximize();
    void fitToMonitor();
    void storeTeamNames(QLineEdit* edited);

    // Timer ticks (tests call them directly).
    void splashTick();
    void blinkTick();
    void menuAutoHideTick();
    void autoStrikeTick();
    void countdownTick();
    void noticeTick();

    bool gameViewShowing() const;

    // The first enabled, visible key button whose accelerator is the letter or digit.
    KeyButton* keyButtonFor(QChar key) const;
    // The board's focus sink, which holds the keyboard focus between commands.
    void parkFocus();

    // Applying settings (start-up, the settings area, versions and themes use them).
    void applyTitle(const QString& text);
    // False when the name is not in the colour table (nothing changes then).
    bool applyTitleColour(const QString& name);
    bool applyBackgroundColour(const QString& name);
    void setTeamNameFontSizes(int shortPoints, int longPoints, int longFrom);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Layout of every element, with its component name as object name.
    void buildWindow();
    void buildStage();
    void buildBoard();
    void buildScoreBoxes();
    void buildKeyRow();
    void buildCorner();
    void buildTimers();
    QTimer* makeTimer(const QString& name, int interval, bool active);
    KeyButton* makeKey(const QString& name, const QString& caption, int x, const QString& hint);

    // Start-up: while the window is created, and when it is first shown.
    void CreateBoardWindow();
    void ShowBoardWindow();
    void loadStartPictures();
    void loadHiddenPictures();
    void readTeamNames();
    void readTitle();
    void readCover();
    void readFrame();
    void readOptionMarkers();

    // Key routing and window controls.
    bool routeKey(QObject* watched, class QKeyEvent* event);
    bool routeClick(QObject* watched, class QMouseEvent* event);
    void introTick();
    void firstStartThemeTick();
    void connectCommands();
    void buildReassignPanel();
    void buildKeyList();

    // Round flow steps.
    enum class Advance { Next, Previous, Replace, Easy };
    void openCommand(Advance how);
    void PutUpCard(Advance how);
    void coverAllRows();
    void showCoversAndTeams();
    void enableCardKeys();
    void readCard(RoundKind kind, int number);
    void ClearRoundMarks();
    void applyPointsSchedule(Advance how);
    void setRowsInUse(const RoundCard& card);
    void startSplash(ImageBox* picture);
    void showPicture(ImageBox* box, const QString& path, const std::function<QImage()>& builtIn);
    void showStrikePicture(const QString& path, const std::function<QImage()>& builtIn);
    void recomputePot();
    void assign(bool left);
    void setScores(const QString& left, const QString& right);
    void moveLastAward(bool toLeft);
    void mirrorScores();
    void parkFocusAndCancelStrike();
    void setKeyEnabled(KeyButton* key, QChar letter, bool enabled);
    bool closeRequested();

  public:
    // Window level
    QLabel* Label18 = nullptr;           // title
    QWidget* Panel22 = nullptr;          // window buttons
    KeyButton* SpeedButton77 = nullptr;  // minimise
    KeyButton* SpeedButton11 = nullptr;  // maximise
    KeyButton* SpeedButton12 = nullptr;  // close
    QWidget* Panel16 = nullptr;          // stage
    QLabel* Panel9 = nullptr;            // loading notice
    QWidget* Panel17 = nullptr;          // corner panel
    ImageBox* Image17 = nullptr;         // corner logo
    QLabel* Label22 = nullptr;           // version
    QPushButton* Button3 = nullptr;      // focus sink
    QLineEdit* Edit22 = nullptr;         // the rounds folder, kept as text
    QLineEdit* ETotal = nullptr;         // points of the last award
    QLineEdit* EModo = nullptr;          // side of the last award: "EIzq", "EDer" or empty
    QLineEdit* ERondaF1 = nullptr;       // pending question

    // Stage
    ImageBox* Image2 = nullptr;   // cover
    ImageBox* Image13 = nullptr;  // frame
    ImageBox* Image15 = nullptr;  // next button picture
    QLineEdit* Edit16 = nullptr;  // left team name
    QLineEdit* Edit17 = nullptr;  // right team name
    QWidget* Panel1 = nullptr;    // board
    QWidget* Panel2 = nullptr;    // pot box
    ImageBox* Image12 = nullptr;
    QLabel* Label17 = nullptr;  // pot
    QWidget* Panel3 = nullptr;  // left score box
    ImageBox* Image10 = nullptr;
    QLabel* Label19 = nullptr;  // left score
    QWidget* Panel4 = nullptr;  // right score box
    ImageBox* Image11 = nullptr;
    QLabel* Label20 = nullptr;   // right score
    QWidget* Panel5 = nullptr;   // menu cover
    QLabel* Panel11 = nullptr;   // menu hint
    QLabel* Label53 = nullptr;   // countdown
    QWidget* Panel18 = nullptr;  // fast-money board
    QWidget* Panel20 = nullptr;  // reassign panel
    QLabel* Label64 = nullptr;
    QPushButton* Button4 = nullptr;  // <<
    QPushButton* Button5 = nullptr;  // >>
    QPushButton* Button6 = nullptr;  // ><
    QPushButton* Button7 = nullptr;  // [  ]
    QPushButton* Button8 = nullptr;  // X
    QLabel* Panel21 = nullptr;       // "Puntos sin asignar"
    QWidget* Panel14 = nullptr;      // key list
    QListWidget* ListBox2 = nullptr;
    QLabel* Label65 = nullptr;  // the key list's " X "

    // Board
    ImageBox* Image4 = nullptr;  // board background
    QLabel* Label16 = nullptr;   // question
    ImageBox* Image1 = nullptr;  // round splash
    ImageBox* Image3 = nullptr;  // points splash
    std::array<AnswerRow, 5> rows;

    // Key row
    KeyButton* SpeedButton14 = nullptr;  // M
    KeyButton* SpeedButton9 = nullptr;   // A
    KeyButton* SpeedButton3 = nullptr;   // S
    KeyButton* SpeedButton79 = nullptr;  // V
    KeyButton* SpeedButton1 = nullptr;   // D
    KeyButton* SpeedButton2 = nullptr;   // X
    KeyButton* SpeedButton37 = nullptr;  // H
    KeyButton* SpeedButton13 = nullptr;  // Z
    KeyButton* SpeedButton10 = nullptr;  // C
    KeyButton* SpeedButton81 = nullptr;  // B
    KeyButton* SpeedButton15 = nullptr;  // R
    KeyButton* SpeedButton17 = nullptr;  // N
    KeyButton* SpeedButton19 = nullptr;  // F
    KeyButton* SpeedButton34 = nullptr;  // T
    KeyButton* SpeedButton33 = nullptr;  // J
    KeyButton* SpeedButton36 = nullptr;  // K
    KeyButton* SpeedButton84 = nullptr;  // G
    KeyButton* SpeedButton16 = nullptr;  // E
    KeyButton* SpeedButton76 = nullptr;  // fit to monitor, hidden

    // Timers
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer7 = nullptr;
    QTimer* Timer9 = nullptr;
    QTimer* Timer10 = nullptr;
    QTimer* Timer11 = nullptr;
    QTimer* Timer12 = nullptr;
    QTimer* Timer13 = nullptr;
    QTimer* Timer14 = nullptr;
    QTimer* Timer15 = nullptr;

  private:
    bool singleInstance_ = false;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    bool picturesReady_ = false;
    std::function<void()> afterFirstPaint_;
    BoardOptions options_;
    GameState state_;
    RoundCard card_;
    ControlLink* control_ = nullptr;
    int fitCounter_ = 0;
    bool fitAvailable_ = true;
    QList<KeyButton*> keyButtons_;  // in the order keys are matched
    QColor titleColour_;
    QColor backgroundColour_;

    // Paths kept from start-up for the round flow.
    QString doublePicturePath_;
    QString triplePicturePath_;
    QString startPicturePath_;
};

}  // namespace velta
