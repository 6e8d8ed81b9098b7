// The game's rules without a window: the points schedule of a game of four questions, the
// award's multiplier, the strike count and moving the last award.
#include <QtTest>

#include "UnitHelpers.h"
#include "game/GameRules.h"

using namespace velta::game;
using velta::test::columns;
using velta::test::row;

Q_DECLARE_METATYPE(velta::game::Side)
Q_DECLARE_METATYPE(velta::game::FastMoneyCue)

class GameRulesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void schedule_data();
    void schedule();
    void multiplierAtTheAward_data();
    void multiplierAtTheAward();
    void strikesCountToThreeAndStartAgain();
    void potAndAwardSums();
    void movingTheLastAward_data();
    void movingTheLastAward();
    void fastMoneyTotals_data();
    void fastMoneyTotals();
};

void GameRulesTest::schedule_data() {
    columns<int, bool, bool, bool, bool>("count", "option", "starts", "doubled", "tripled");
    QTest::newRow("first question") << 1 << true << true << false << false;
    QTest::newRow("second") << 2 << true << false << false << false;
    QTest::newRow("third doubles") << 3 << true << false << true << false;
    QTest::newRow("fourth triples") << 4 << true << false << false << true;
    QTest::newRow("fifth starts the next game") << 5 << true << true << false << false;
    QTest::newRow("seventh doubles") << 7 << true << false << true << false;
    QTest::newRow("eighth triples") << 8 << true << false << false << true;
    QTest::newRow("ninth starts a game") << 9 << true << true << false << false;
    QTest::newRow("third, option off") << 3 << false << false << false << false;
    QTest::newRow("fourth, option off") << 4 << false << false << false << false;
    // A stepped back before the first card of a jumped-ahead game: as the count says.
    QTest::newRow("count 0 triples") << 0 << true << false << false << true;
}

void GameRulesTest::schedule() {
    QFETCH(int, count);
    QFETCH(bool, option);
    QFETCH(bool, starts);
    QFETCH(bool, doubled);
    QFETCH(bool, tripled);
    QCOMPARE(startsGame(count), starts);
    const Schedule s = scheduleFor(count, option);
    QCOMPARE(s.doublePoints, doubled);
    QCOMPARE(s.triplePoints, tripled);
}

void GameRulesTest::multiplierAtTheAward_data() {
    columns<bool, bool, bool, int>("doubled", "tripled", "option", "factor");
    QTest::newRow("plain") << false << false << true << 1;
    QTest::newRow("double") << true << false << true << 2;
    QTest::newRow("triple") << false << true << true << 3;
    QTest::newRow("double, option switched off since") << true << false << false << 1;
    QTest::newRow("triple, option switched off since") << false << true << false << 1;
}

void GameRulesTest::multiplierAtTheAward() {
    QFETCH(bool, doubled);
    QFETCH(bool, tripled);
    QFETCH(bool, option);
    QFETCH(int, factor);
    QCOMPARE(awardMultiplier({doubled, tripled}, option), factor);
}

void GameRulesTest::strikesCountToThreeAndStartAgain() {
    int count = 0;
    QList<int> seen;
    for (int i = 0; i < 7; ++i) {
        count = nextStrikeCount(count);
        seen << count;
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 1, 2, 3, 1}));
}

// The pot adds the rows in play and the award goes to one side. Sums past 32 bits stay
// exact: five answers of the largest points, tripled, onto a score already past 2^31.
void GameRulesTest::potAndAwardSums() {
    QCOMPARE(potSum({}), 0);
    QCOMPARE(potSum({40, 0, 15, 0, 0}), 55);
    QCOMPARE(award({10, 20}, 45, 3, Side::Left), (Scores{145, 20}));
    QCOMPARE(award({10, 20}, 45, 1, Side::Right), (Scores{10, 65}));
    const qint64 pot = potSum(QList<qint64>(5, kLargestPoints));
    QCOMPARE(pot, Q_INT64_C(499995));
    const qint64 past32Bits = Q_INT64_C(2147483000);
    QCOMPARE(award({past32Bits, 0}, pot, 3, Side::Left), (Scores{past32Bits + 1499985, 0}));
    QCOMPARE(*moveAward({past32Bits, 0}, past32Bits, Side::Left, Side::Right),
             (Scores{0, past32Bits}));
}

void GameRulesTest::movingTheLastAward_data() {
    columns<int, int, int, Side, Side, bool, int, int>("left", "right", "award", "awardedTo", "to",
                                                       "moves", "leftAfter", "rightAfter");
    row("right's award to the left", 10, 60, 45, Side::Right, Side::Left, true, 55, 15);
    row("left's award to the right", 50, 0, 50, Side::Left, Side::Right, true, 0, 50);
    row("already on the left", 60, 0, 45, Side::Left, Side::Left, false, 60, 0);
    row("giver has fewer points", 0, 30, 45, Side::None, Side::Left, false, 0, 30);
    row("after a swap, either way", 45, 0, 45, Side::None, Side::Right, true, 0, 45);
}

void GameRulesTest::movingTheLastAward() {
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, award);
    QFETCH(Side, awardedTo);
    QFETCH(Side, to);
    QFETCH(bool, moves);
    QFETCH(int, leftAfter);
    QFETCH(int, rightAfter);
    const auto moved = moveAward({left, right}, award, awardedTo, to);
    QCOMPARE(moved.has_value(), moves);
    if (moved) {
        QCOMPARE(*moved, (Scores{leftAfter, rightAfter}));
    }
}

// Player 1 scores 30, 25, 0, 40, 10 and player 2 begins with 50 and 45.
void GameRulesTest::fastMoneyTotals_data() {
    columns<int, qint64, FastMoneyCue>("highestShown", "total", "cue");
    QTest::newRow("order 1") << 1 << qint64(30) << FastMoneyCue::Bell;
    QTest::newRow("order 2") << 2 << qint64(55) << FastMoneyCue::Bell;
    QTest::newRow("order 3, a zero") << 3 << qint64(55) << FastMoneyCue::Miss;
    QTest::newRow("order 4") << 4 << qint64(95) << FastMoneyCue::Bell;
    QTest::newRow("order 5") << 5 << qint64(105) << FastMoneyCue::Bell;
    QTest::newRow("order 6") << 6 << qint64(155) << FastMoneyCue::Bell;
    QTest::newRow("order 7 reaches 200") << 7 << qint64(200) << FastMoneyCue::Win;
    QTest::newRow("all ten, the empty ones 0") << 10 << qint64(200) << FastMoneyCue::Win;
}

void GameRulesTest::fastMoneyTotals() {
    QFETCH(int, highestShown);
    QFETCH(qint64, total);
    QFETCH(FastMoneyCue, cue);
    const QList<qint64> scores{30, 25, 0, 40, 10, 50, 45, 0, 0, 0};
    QCOMPARE(fastMoneyTotal(scores, highestShown), total);
    QCOMPARE(fastMoneyCue(scores[highestShown - 1], total), cue);
}

QTEST_APPLESS_MAIN(GameRulesTest)
#include "tst_gamerules.moc"
