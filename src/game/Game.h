#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <deque>
#include <optional>

#include "content/RoundFiles.h"
#include "game/GameRules.h"
#include "game/GameSnapshot.h"
#include "game/GameState.h"

namespace velta {

// The game in progress as typed values: the card on the board, the view, the uncovered
// rows, the pot, the scores, the last award, the strikes, the enabled commands, what fast
// money shows and what the operator types for it. It changes only through its own methods,
// each of which emits the signal of its kind of change and then `changed`. The board's
// labels, the control window's mirrors, the crash-safe save and undo follow it; none of them
// keeps a copy of their own.
class Game : public QObject {
    Q_OBJECT
  public:
    // How many commands undo can take back.
    static constexpr int kUndoSteps = 30;

    // `saved`: the commands whose enabled state the game changes and keeps, in the order
    // they are saved; `enabledAtStart`: those of them on before the first card.
    Game(const QString& saved, const QString& enabledAtStart, QObject* parent = nullptr);

    const QString& savedCommands() const { return saved_; }

    // The card on the board.
    bool hasCard() const { return cardNumber_ > 0; }
    RoundKind cardKind() const { return cardKind_; }
    int cardNumber() const { return cardNumber_; }
    const RoundCard& card() const { return card_; }
    QString cardPath() const { return cardPath_; }
    // The answer line of row 1..5 split into its text and points ("" and "0" for a row
    // left blank).
    std::pair<QString, QString> rowAnswer(int row) const;

    const GameState& state() const { return state_; }
    bool gameView() const { return gameView_; }
    bool uncovered(int row) const { return uncovered_.at(row - 1); }
    // Nothing while the pot is empty (the board shows "00").
    std::optional<qint64> pot() const { return pot_; }
    // Nothing for a side no points have been written to since the game began ("00").
    std::optional<qint64> leftScore() const { return left_; }
    std::optional<qint64> rightScore() const { return right_; }
    qint64 lastAward() const { return lastAward_; }
    game::Side lastSide() const { return lastSide_; }
    // A command the game does not keep is on unless switched off since the last restore.
    bool commandEnabled(QChar command) const {
        return saved_.contains(command) ? enabled_.contains(command)
                                        : !unsavedOff_.contains(command);
    }

    // Fast money on the board: slots 1..10, the order the total counts up to, the panel.
    QString shownAnswer(int slot) const { return shownAnswers_.at(slot - 1); }
    QString shownScore(int slot) const { return shownScores_.at(slot - 1); }
    int highestScoreShown() const { return highestScoreShown_; }
    bool fastMoneyBoardShown() const { return fastMoneyBoardShown_; }
    // The operator's fast-money panel on the control window: the answers and points typed
    // in slots 1..10 before "»" shows them, and whether the panel is open. Saved with the
    // game; undo and redo leave them as typed.
    QString typedAnswer(int slot) const { return typedAnswers_.at(slot - 1); }
    QString typedScore(int slot) const { return typedScores_.at(slot - 1); }
    bool fastMoneyPanelOpen() const { return fastMoneyPanelOpen_; }

    // The texts the audience sees for the numbers.
    static QString shown(const std::optional<qint64>& value);

    // Round flow.
    void putUpCard(RoundKind kind, int number, const RoundCard& card, const QString& path);
    void setRoundNumber(int number);
    void setExtraRoundNumber(int number);
    void countQuestion(int step);
    void setEasyMode(bool on);
    void setMultiplier(bool doublePoints, bool triplePoints);
    // The editor's card: the next S, V or F (R for a tie-breaker) puts up the one after
    // the card before it. Names that are no card's re-target nothing.
    void setPendingCard(const QString& fileName);
    // A new rounds folder or theme: counting starts again from its first card.
    void restartRounds();
    void setGameView(bool game);

    // Reveals. Uncovering recounts the pot while it is open; the points of the row must be
    // checked by the caller, as a bad number throws while the pot is counted.
    void setUncovered(int row, bool uncovered);
    void strike();
    void setCountdown(int seconds);

    // Scores.
    void setPot(std::optional<qint64> pot);
    // The pot times the multiplier to one side; the pot then closes and empties.
    void award(game::Side side, int multiplier);
    void setScores(std::optional<qint64> left, std::optional<qint64> right);
    // The last award to the other side; false when the rules refuse it.
    bool moveLastAward(game::Side to);
    void swapScores();
    void clearLastAward();

    void setCommandEnabled(QChar command, bool enabled);

    // Fast money.
    void setFastMoneyBoardShown(bool shown);
    void showFastMoneyAnswer(int slot, const QString& text);
    void showFastMoneyScore(int slot, const QString& text);
    // The board total, in the pot's place, counts every score up to the highest order shown
    // so far; returns it.
    qint64 countFastMoney(int order, const QList<qint64>& scores);
    void clearFastMoney();
    // As the operator types; nothing changes on the board.
    void typeFastMoneyAnswer(int slot, const QString& text);
    void typeFastMoneyScore(int slot, const QString& text);
    void setFastMoneyPanelOpen(bool open);

    // The game as it is saved.
    GameSnapshot snapshot() const;
    // Back to a saved game; the card is the one read again for it, or nothing when it is
    // gone (the board then stays on the cover with the saved scores and counters).
    void restore(const GameSnapshot& snapshot, std::optional<RoundCard> card, const QString& path);

    // Undo: a command that changed the game can be taken back, and done again, up to
    // kUndoSteps. Commands mark their bounds with Step; changes outside a command (timer
    // ticks) are not steps of their own.
    class Step {
      public:
        explicit Step(Game& game);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        Game& game_;
    };
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    bool undo();
    bool redo();

  Q_SIGNALS:
    void cardShown();
    void rowRevealed(int row, bool uncovered);
    void potChanged();
    void scoresChanged();
    void strikesChanged();
    void viewChanged();
    void commandsChanged();
    void countdownChanged();
    void fastMoneyChanged();
    // The operator's fast-money panel: typed in, opened or closed.
    void fastMoneyTyped();
    // A whole game put back (a crash restored, undo or redo): every view shows it anew.
    void restored();
    // After any change of the above.
    void changed();

  private:
    struct Moment {
        GameSnapshot snapshot;
        RoundCard card;
        QString path;
    };
    // The game as undo takes it back: all of the snapshot but the operator's panel.
    GameSnapshot undoable() const;
    Moment moment() const;
    void apply(const Moment& m);
    qint64 rowPoints(int row) const;
    void recountPot();
    void emitChanged();

    const QString saved_;
    GameState state_;
    RoundKind cardKind_ = RoundKind::Normal;
    int cardNumber_ = 0;
    RoundCard card_;
    QString cardPath_;
    bool gameView_ = false;
    std::array<bool, 5> uncovered_{};
    std::optional<qint64> pot_;
    std::optional<qint64> left_;
    std::optional<qint64> right_;
    qint64 lastAward_ = 0;
    game::Side lastSide_ = game::Side::None;
    QString enabled_;
    QString unsavedOff_;
    std::array<QString, 10> shownAnswers_;
    std::array<QString, 10> shownScores_;
    int highestScoreShown_ = 0;
    bool fastMoneyBoardShown_ = false;
    std::array<QString, 10> typedAnswers_;
    std::array<QString, 10> typedScores_;
    bool fastMoneyPanelOpen_ = false;

    // Counts the changes, so a command that changed nothing is known without comparing.
    quint64 revision_ = 0;
    int stepDepth_ = 0;
    quint64 stepRevision_ = 0;
    std::optional<Moment> stepStart_;
    std::deque<Moment> undo_;
    std::deque<Moment> redo_;
};

}  // namespace velta
