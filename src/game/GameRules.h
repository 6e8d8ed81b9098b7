#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace velta::game {

// The rules of the game as plain functions on values. The board keeps its numbers as text
// in its labels: it converts them, asks a rule, and writes the answer back.

// Questions advanced with S and F are counted; the first, fifth, ninth ... start a game.
bool startsGame(int questionCount);

// What the points schedule gives the question with this count: in a game of four, the
// third counts double and the fourth triple, while the option is on.
struct Schedule {
    bool doublePoints = false;
    bool triplePoints = false;
};
Schedule scheduleFor(int questionCount, bool multipliersInNormal);

// The factor an award is multiplied by, checked at the moment of the award: the option may
// have been switched off since the question was put up.
int awardMultiplier(const Schedule& schedule, bool multipliersInNormal);

// Strikes on one card count 1, 2, 3 and then start again at 1.
int nextStrikeCount(int count);

// The largest points one answer may carry (a question's answers add up to 100), and the
// largest score the operator may type. With them no sum of the game comes near the limits
// of its 64-bit numbers.
inline constexpr qint64 kLargestPoints = 99999;
inline constexpr qint64 kLargestEnteredScore = 999999999;

// The pot: the points of the rows in play added up.
qint64 potSum(const QList<qint64>& points);

enum class Side { None, Left, Right };

struct Scores {
    qint64 left = 0;
    qint64 right = 0;
    bool operator==(const Scores& other) const {
        return left == other.left && right == other.right;
    }
};

// The scores after an award of the pot times the multiplier to one side.
Scores award(Scores scores, qint64 pot, int multiplier, Side to);

// The scores after the last award moves to the other side. Nothing when it already lies on
// that side, or when the giving team has fewer points than the award.
std::optional<Scores> moveAward(Scores scores, qint64 award, Side awardedTo, Side to);

// Fast money: two players' ten scores, in the order of their slots (player 1's five, then
// player 2's), aim at a joint total of 200.
inline constexpr qint64 kFastMoneyTarget = 200;

// A fast-money score as typed: an empty field counts 0; otherwise digits only, at most the
// points one answer may carry. Nothing for any other text: the console marks it and the
// board's total never counts it.
std::optional<qint64> fastMoneyScore(const QString& text);

// The board's running total: every score of the orders 1 to the highest one shown so far,
// whether or not its own "»" was pressed. Each score counts at most the points one answer
// may carry, so ten of them never come near the limits of the sum.
qint64 fastMoneyTotal(const QList<qint64>& scores, int highestShown);

// What a shown score sounds like: a miss for a score of 0, the win once the total reaches
// the target, a bell otherwise.
enum class FastMoneyCue { Bell, Miss, Win };
FastMoneyCue fastMoneyCue(qint64 shownScore, qint64 boardTotal);

}  // namespace velta::game
