#pragma once

#include <QColor>
#include <QImage>
#include <QSet>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "board/ControlLink.h"
#include "content/RoundFiles.h"
#include "editing/GameSettings.h"
#include "game/Game.h"
#include "game/GameSnapshot.h"

class QAbstractButton;
class QLabel;
class QScreen;
class QTimer;
class QLineEdit;

namespace velta {

class Buzzers;
class FastMoneyClock;
class ImageBox;
class KeyButton;
class KeyRouter;
class SettingsStore;
class SoundBank;
struct BoardUi;

// The board window the audience sees: the cover screen, then the game with the question,
// the five answer rows, the pot and the two team scores. It owns the game; the operator
// drives it with one key per command, on this window or through the control window's twins.
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
    // The game in progress: every view of it (this window's labels, the control window,
    // the crash-safe save) follows its signals.
    Game& game() const { return *game_; }
    const GameState& state() const { return game_->state(); }
    // The face-off buttons, armed by L for the card on the board.
    Buzzers& buzzers() const { return *buzzers_; }
    // Key L: arms the buttons while a card is up, or clears them.
    void toggleBuzzers();
    // A key typed on either window outside a text field: true when it pressed an armed
    // face-off button.
    bool pressBuzzerButton(int key);
    // The operator's sound bank: one for both windows, played by the keys of either.
    SoundBank& soundBank() const { return *bank_; }

    // The settings as the board shows them. Whatever changes a setting does it through the
    // store, which the board follows with applySettings: it shows whatever differs from what
    // it shows, and a picture just chosen again.
    const GameSettings& settings() const { return settings_; }
    SettingsStore& settingsStore() const { return *settingsStore_; }
    void applySettings(const GameSettings& wanted, ChosenPicture chosen = ChosenPicture::None);

    // The control window; null gives the board back its silent stand-in.
    void setControlLink(ControlLink* link);

    // The command button of a key ('s', 'x', '1' ...), whatever its state.
    KeyButton* command(QChar key) const;
    // Runs the command of a key as its button does, whatever the button's state: the
    // control window's twins and the host view's answer buttons run the board's commands.
    void run(QChar key);

    // Round flow.
    void NextQuestion();
    void PreviousQuestion();
    void ReplaceQuestion();
    void EasyNext();
    void ExtraRound();
    // The editor hands over the card it shows: the next S, V or F (R for an extra card)
    // puts it up.
    void setPendingCard(const QString& fileName);

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

    // The reassign panel's buttons, pressed from the control window's own panel.
    enum class Reassign { ToLeft, ToRight, Swap, Enter };
    void pressReassign(Reassign button);
    // Stops the strike the timed question would add.
    void cancelAutomaticStrike();

    // Fast money. The operator types in the control window's panel, which the game keeps;
    // these show it on the board. Slots are numbered 1..10 (player 1's five, then player 2's).
    void openFastMoney(bool open);
    void ShowBoardPanel();
    void ToggleBoardPanel();
    void hideBoardPanel();
    void showFastMoneyAnswer(int slot, const QString& text);
    // Copies the score, then counts the board total up to the highest slot shown so far
    // from `scores`, the ten scores as the operator typed them.
    void showFastMoneyScore(int slot, const QString& text, const QStringList& scores);
    void Cuenta(const QStringList& scores, int order);
    void startFastMoneyClock(int seconds);
    void StopClock();
    // The clock stops without its bell (the control window closed).
    void stopFastMoneyClock();
    void ClearFastMoney();

  Q_SIGNALS:
    // What the board shows besides the game itself, for the control window's host view and
    // the room: the fast-money clock ("" once it is put away), the strike picture while it
    // is up, the timed question's countdown ("" once it ends).
    void fastMoneyClockShown(const QString& text);
    void strikePictureShown(const QImage& picture);
    void strikePictureHidden();
    void countdownShown(const QString& text);
    // A card went up with its double (2) or triple (3) splash, shown for `ms`.
    void pointsSplashShown(int multiplier, int ms);

  public:
    // Themes: the dialog (J), and the control window opening a while after "Aceptar".
    void openThemes();
    void armThemeTimer();
    bool themeButtonShown() const;

    // The game in progress, kept so a show picks up where it was after a crash.
    GameSnapshot snapshot() const;
    void restore(const GameSnapshot& snapshot);
    // Ctrl+Z and Ctrl+Y on either window: the last command that changed the game taken
    // back, or done again, silently.
    void undo();
    void redo();

    // Keys, menu and window.
    void openControlWindow();
    void toggleMenu();
    void showKeyList();
    // The key list, when shown, comes to the front again.
    void reshowKeyList();
    void toggleCoverOrGame();
    void exitGame();
    void maximize();
    void fitToMonitor();
    // Puts the board on a monitor (the board's own when null, filling its work area), then
    // fits it there the first time and maximises it every time after.
    void showOnMonitor(QScreen* monitor);

    // Timer ticks (tests call them directly).
    void splashTick();
    void blinkTick();
    void menuAutoHideTick();
    void autoStrikeTick();
    void countdownTick();
    void noticeTick();
    void winnerBlinkTick();

    bool gameViewShowing() const;
    // Gives the keyboard focus to the focus sink: the control window's while it is shown,
    // else the board's.
    void parkFocus();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
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
    void buildReassignPanel();
    void buildKeyList();
    KeyButton* makeKey(const QString& name, const QString& caption, int x, const QString& hint);
    QTimer* makeTimer(const QString& name, int interval, bool active);
    void buildSoundBankPanel();

    // Start-up: while the window is created, and when it is first shown.
    void CreateBoardWindow();
    void ShowBoardWindow();
    void loadStartPictures();
    void loadHiddenPictures();

    // Settings shown on the board.
    void applyTitle(const QString& text);
    // False when the name is not in the colour table (nothing changes then).
    bool applyTitleColour(const QString& name);
    bool applyBackgroundColour(const QString& name);
    void applyCover(const QString& path);
    void applyFrame(const QString& path);
    void setTeamNameFontSizes(int shortPoints, int longPoints, int longFrom);
    void fitTo(QScreen* monitor);

    // Wiring of the key buttons, clicks and timers to their commands.
    void connectCommands();
    void bindKey(QAbstractButton* button, std::function<void()> command);
    void runStep(const std::function<void()>& command);
    void keepPressesOffTheBackground();
    void introTick();
    void firstStartThemeTick();
    void acceptedThemeTick();
    void storeTeamNames(QLineEdit* edited);
    void closeKeyList();

    // Round flow steps.
    enum class Advance { Next, Previous, Replace, Easy };
    // A card read from its file, ready to go up.
    struct FoundCard {
        int number = 0;
        QString path;
        RoundCard card;
    };
    void advance(Advance how);
    // The first card from `current` on, one `step` (1 or -1) at a time, that can be read.
    // Cards that cannot be read are reported and passed over (`passedOver` is set); a gap in
    // the numbering is reported once and crossed. Nothing when no card is left that way.
    std::optional<FoundCard> findCard(RoundKind kind, int current, int step, bool* passedOver);
    // The card of that number, or nothing once the operator has been told why it cannot be
    // read.
    std::optional<FoundCard> readCardFile(RoundKind kind, int number);
    void reportGap(RoundKind kind, int first, int last);
    void openCommand(Advance how);
    void PutUpCard(Advance how, const FoundCard& found);
    void coverAllRows();
    void enableCardKeys();
    void ClearRoundMarks();
    void applyPointsSchedule(Advance how);
    void setRowsInUse(const RoundCard& card);
    void startSplash(ImageBox* picture);
    void showPicture(ImageBox* box, const QString& path, const std::function<QImage()>& builtIn);
    void showStrikePicture(const QString& path, const std::function<QImage()>& builtIn);
    void setNotOnBoardKey(bool enabled);
    // Throws FileError naming the card and its line unless the points of answer `row` are a
    // whole number from 0 to the largest an answer may carry.
    void checkPoints(const QString& points, int row) const;
    void assign(bool left);
    void parkFocusAndCancelStrike();
    // The views of the game on this window and the control window's mirrors.
    void followGame();
    void showCardOnBoard();
    void showRow(int row, bool uncovered);
    void showScores();
    void showCommands();
    void showFastMoney();
    void showRestoredGame();
    void stopSplashes();
    void followBuzzers();
    void showBuzzerWinner();
    void hideBuzzerWinner();
    void showClockSecond(int seconds);
    void clockRanOut();
    void setClocks(const QString& text);

    std::unique_ptr<BoardUi> ui_;
    KeyRouter* keys_ = nullptr;
    FastMoneyClock* fastMoneyClock_ = nullptr;
    Game* game_ = nullptr;
    Buzzers* buzzers_ = nullptr;
    QLabel* buzzerFlash_ = nullptr;
    QTimer* buzzerFlashTimer_ = nullptr;
    int buzzerFlashesLeft_ = 0;
    SoundBank* bank_ = nullptr;
    SettingsStore* settingsStore_ = nullptr;
    bool singleInstance_ = false;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    bool picturesReady_ = false;
    std::function<void()> afterFirstPaint_;
    GameSettings settings_;
    QSet<QString> reportedGaps_;
    NullControlLink noControl_;
    ControlLink* control_ = &noControl_;
    int fitCounter_ = 0;
    bool fitAvailable_ = true;
    // The window buttons keep this distance to the window's right edge when it is resized.
    int buttonsRightMargin_ = 0;
    QColor titleColour_;
    QColor backgroundColour_;

    // Paths kept from start-up for the round flow.
    QString doublePicturePath_;
    QString triplePicturePath_;
    QString startPicturePath_;
};

}  // namespace velta
