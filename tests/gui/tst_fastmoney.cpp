// Fast money on both windows: the operator's panel on the control window, the board's panel
// the audience reads, the running total with its sounds and the winner, the stage clock
// (ticks driven through a clock of the test's own, never by sleeping) and "Limpiar".
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ConsoleFixture.h"
#include "StartupFixture.h"
#include "art/Art.h"
#include "board/FastMoneyBoard.h"
#include "board/FastMoneyClock.h"
#include "board/ImageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SteadyClock.h"
#include "sound/Sound.h"

using namespace velta;
using velta::test::played;

namespace {

const char* const kConsoleScores[] = {"Edit34", "Edit36", "Edit38", "Edit40", "Edit42",
                                      "Edit43", "Edit45", "Edit47", "Edit49", "Edit51"};
const char* const kScoreShows[] = {
    "SpeedButton81", "SpeedButton82", "SpeedButton83", "SpeedButton84", "SpeedButton85",
    "SpeedButton95", "SpeedButton96", "SpeedButton97", "SpeedButton98", "SpeedButton99"};

// The steady clock the stage clocks read, moved by hand.
qint64 fakeNow = 0;

}  // namespace

class FastMoneyTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void openingAndClosing();
    void runningTotalsOfARound_data();
    void runningTotalsOfARound();
    void scoresShownOutOfOrder();
    void typingRecountsTheConsoleOnly();
    void aScoreThatIsNoNumber_data();
    void aScoreThatIsNoNumber();
    void focusMovesToTheNextField();
    void missingWinnerPicture();
    void clearLeavesAnEmptyPot();
    void clockCountsSecondsOnStage();
    void clockStopsAndStartsAgain();
    void timedQuestionLeavesTheClockAlone();
    void stageClockKeepsTime_data();
    void stageClockKeepsTime();
    void screenshot();

  private:
    void setScore(int slot, const QString& text) {
        f().find<QLineEdit>(kConsoleScores[slot - 1])->setText(text);
    }
    void showScore(int slot) { click(kScoreShows[slot - 1]); }
    QString boardField(const char* name) {
        return board()->findChild<FastMoneySlot*>(QLatin1String(name))->text();
    }
    ImageBox* winner() { return board()->findChild<ImageBox*>(QStringLiteral("Image22")); }
    void advanceTo(qint64 ms) {
        fakeNow = ms;
        QVERIFY(QMetaObject::invokeMethod(board().Timer13, "timeout"));
    }
};

void FastMoneyTest::init() {
    fakeNow = 0;
    setSteadyClock([] { return fakeNow; });
    QVERIFY(fresh(2).startWithConsole());
}

void FastMoneyTest::cleanup() {
    f_.reset();
    setSteadyClock(nullptr);
}

// "Dinero rápido" opens both panels with both scores at "0" (the mirrors too), and closes
// them again; the board panel's own switch and close button hide it alone.
void FastMoneyTest::openingAndClosing() {
    f().type("s1z");
    QCOMPARE(board().Label19->text(), QStringLiteral("40"));
    auto* panel = f().find<QWidget>("Panel18");
    click("SpeedButton12");
    QVERIFY(panel->isVisible());
    QVERIFY(board().Panel18->isVisible());
    QCOMPARE(board().Label19->text(), QStringLiteral("0"));
    QCOMPARE(f().find<QLabel>("LPtosIzq")->text(), QStringLiteral("0"));
    auto* boardSwitch = f().find<QPushButton>("SpeedButton89");
    QCOMPARE(boardSwitch->text(), QStringLiteral("Ocultar en el tablero"));
    click("SpeedButton89");
    QVERIFY(!board().Panel18->isVisible());
    QVERIFY(!board().Panel1->isVisible());
    QCOMPARE(boardSwitch->text(), QStringLiteral("Mostrar en el tablero"));
    click("SpeedButton89");
    QVERIFY(board().Panel18->isVisible());
    QTest::mouseClick(board()->findChild<QWidget*>(QStringLiteral("SpeedButton100")),
                      Qt::LeftButton);
    QVERIFY(!board().Panel18->isVisible());
    QCOMPARE(boardSwitch->text(), QStringLiteral("Mostrar en el tablero"));
    click("SpeedButton12");
    QVERIFY(!panel->isVisible());
    QCOMPARE(board().Label20->text(), QStringLiteral("0"));
}

void FastMoneyTest::runningTotalsOfARound_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("effect");
    const auto row = [](const char* tag, int slot, const char* score, const char* total,
                        const QString& effect) {
        QTest::newRow(tag) << slot << QString(score) << QString(total) << effect;
    };
    row("1", 1, "30", "30", effects::kBell1);
    row("2", 2, "25", "55", effects::kBell1);
    row("3, a zero", 3, "0", "55", effects::kWrong);
    row("4", 4, "40", "95", effects::kBell1);
    row("5", 5, "10", "105", effects::kBell1);
    row("6", 6, "50", "155", effects::kBell1);
    row("7 reaches 200", 7, "45", "200", effects::kRoundWon);
}

// Part of the round played up to the row's slot; the row's score "»" shows its total and
// plays its effect.
void FastMoneyTest::runningTotalsOfARound() {
    QFETCH(int, slot);
    QFETCH(QString, score);
    QFETCH(QString, total);
    QFETCH(QString, effect);
    const QStringList round{"30", "25", "0", "40", "10", "50", "45"};
    click("SpeedButton12");
    for (int s = 1; s <= slot; ++s) {
        setScore(s, round[s - 1]);
    }
    for (int s = 1; s < slot; ++s) {
        showScore(s);
    }
    f().sound.clear();
    showScore(slot);
    QCOMPARE(boardField(kConsoleScores[slot - 1]), score);
    QCOMPARE(board().Label17->text(), total);
    QCOMPARE(f().sound.effects(), played(effect));
    const bool won = total == QLatin1String("200");
    QCOMPARE(winner()->isVisible(), won);
    if (won) {
        QCOMPARE(winner()->image(), art::fastMoneyWinner());
        QVERIFY(board().Timer14->isActive());
        QVERIFY(board().Timer1->isActive());
        QCOMPARE(board().Timer1->interval(), 3000);
        board()->winnerBlinkTick();
        QVERIFY(!winner()->isVisible());
        board()->winnerBlinkTick();
        QVERIFY(winner()->isVisible());
        board()->splashTick();
        QVERIFY(!winner()->isVisible());
        QVERIFY(!board().Timer14->isActive());
    }
    QVERIFY(f().dialogs.shown.isEmpty());
}

// The board total counts up to the highest slot shown so far: slot 4 first shows slots 1 to
// 4; slot 2 after slot 7 keeps slots 3 to 7.
void FastMoneyTest::scoresShownOutOfOrder() {
    click("SpeedButton12");
    const QStringList round{"30", "25", "5", "40", "10", "50", "15"};
    for (int s = 1; s <= 7; ++s) {
        setScore(s, round[s - 1]);
    }
    showScore(4);
    QCOMPARE(board().Label17->text(), QStringLiteral("100"));
    showScore(7);
    QCOMPARE(board().Label17->text(), QStringLiteral("175"));
    showScore(2);
    QCOMPARE(board().Label17->text(), QStringLiteral("175"));
}

void FastMoneyTest::typingRecountsTheConsoleOnly() {
    click("SpeedButton12");
    setScore(1, QStringLiteral("150"));
    showScore(1);
    click("SpeedButton89");  // hidden while player 2 answers
    f().sound.clear();
    setScore(6, QStringLiteral("60"));
    QCOMPARE(f().find<QLineEdit>("Edit4")->text(), QStringLiteral("210"));
    QCOMPARE(board().Label17->text(), QStringLiteral("150"));
    QVERIFY(!board().Panel18->isVisible());
    QVERIFY(!winner()->isVisible());
    QVERIFY(f().sound.calls.isEmpty());
}

void FastMoneyTest::aScoreThatIsNoNumber_data() {
    QTest::addColumn<QString>("score");
    QTest::newRow("letters") << "2x";
    QTest::newRow("negative") << "-190";
    QTest::newRow("signed") << "+190";
    QTest::newRow("over the most an answer carries") << "100000";
    QTest::newRow("past every number") << "99999999999999999999";
}

// A score the console marks as wrong never reaches the board's total: it stays, nothing
// plays and no winner flashes.
void FastMoneyTest::aScoreThatIsNoNumber() {
    QFETCH(QString, score);
    click("SpeedButton12");
    setScore(1, QStringLiteral("20"));
    showScore(1);
    setScore(2, score);
    QCOMPARE(f().find<QLineEdit>("Edit4")->text(), QStringLiteral("20"));
    QVERIFY(!f().find<QLineEdit>("Edit36")->styleSheet().isEmpty());
    QVERIFY(f().dialogs.shown.isEmpty());
    f().sound.clear();
    showScore(2);
    QCOMPARE(f().dialogs.errors().size(), 1);
    QCOMPARE(boardField("Edit36"), score);
    QCOMPARE(board().Label17->text(), QStringLiteral("20"));
    QVERIFY(f().sound.calls.isEmpty());
    QVERIFY(!winner()->isVisible());
    // Shown again later, the slot before it still cannot move the total.
    setScore(3, QStringLiteral("30"));
    showScore(3);
    QCOMPARE(f().dialogs.errors().size(), 2);
    QCOMPARE(board().Label17->text(), QStringLiteral("20"));
}

void FastMoneyTest::focusMovesToTheNextField() {
    f().press('s');
    click("SpeedButton12");
    f().find<QLineEdit>("Edit33")->setText(QStringLiteral("Manzana"));
    click("SpeedButton75");
    QCOMPARE(boardField("Edit33"), QStringLiteral("Manzana"));
    QCOMPARE(QApplication::focusWidget(), f().find<QLineEdit>("Edit34"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
    showScore(1);
    QCOMPARE(QApplication::focusWidget(), f().find<QLineEdit>("Edit35"));
    // The digits of the score went into its field, not to the game's keys.
    QCOMPARE(board().Label17->text(), QStringLiteral("12"));
    QVERIFY(board().rows[0].cover->isVisible() && board().rows[1].cover->isVisible());
}

void FastMoneyTest::missingWinnerPicture() {
    f().folder.writeBytes(QStringLiteral("Imagen/Pictures/ganador.bmp"), "not a picture");
    click("SpeedButton12");
    setScore(1, QStringLiteral("200"));
    f().sound.clear();
    showScore(1);
    QVERIFY(winner()->isVisible());
    QCOMPARE(winner()->image(), art::fastMoneyWinner());
    QVERIFY(board().Timer1->isActive());
    QCOMPARE(f().sound.effects(), played(effects::kRoundWon));
    QVERIFY(f().dialogs.shown.isEmpty());
}

// "Limpiar" empties both panels and leaves the pot "00", so Z and C still work; it flashes
// no winner.
void FastMoneyTest::clearLeavesAnEmptyPot() {
    click("SpeedButton12");
    f().find<QLineEdit>("Edit33")->setText(QStringLiteral("Pera"));
    click("SpeedButton75");
    setScore(1, QStringLiteral("210"));
    showScore(1);
    board()->splashTick();
    click("SpeedButton101");
    QVERIFY(f().find<QLineEdit>("Edit33")->text().isEmpty());
    QVERIFY(f().find<QLineEdit>("Edit34")->text().isEmpty());
    QVERIFY(boardField("Edit33").isEmpty());
    QVERIFY(boardField("Edit34").isEmpty());
    QCOMPARE(f().find<QLineEdit>("Edit4")->text(), QStringLiteral("0"));
    QCOMPARE(board().Label17->text(), QStringLiteral("00"));
    QVERIFY(!winner()->isVisible());
    f().press('z');
    QVERIFY(f().dialogs.errors().isEmpty());
}

// "Tiempo 1": 20 a second after the press, down to 1, then 0 with the bell at the 21st
// second, both clocks empty after.
void FastMoneyTest::clockCountsSecondsOnStage() {
    click("SpeedButton12");
    auto* consoleClock = f().find<QLabel>("Label62");
    auto* boardClock = board()->findChild<QLabel*>(QStringLiteral("Label62"));
    click("SpeedButton86");
    QVERIFY(board().Timer13->isActive());
    f().sound.clear();
    advanceTo(1000);
    QCOMPARE(boardClock->text(), QStringLiteral("20"));
    QCOMPARE(consoleClock->text(), QStringLiteral("20"));
    QCOMPARE(f().sound.effects(), played(effects::kSecond));
    advanceTo(20000);
    QCOMPARE(boardClock->text(), QStringLiteral("1"));
    f().sound.clear();
    advanceTo(20990);  // not due yet
    QCOMPARE(boardClock->text(), QStringLiteral("1"));
    advanceTo(21000);
    QVERIFY(boardClock->text().isEmpty());
    QVERIFY(consoleClock->text().isEmpty());
    QCOMPARE(f().sound.effects(), played(effects::kSecond) + played(effects::kBell2));
    QVERIFY(!board().Timer13->isActive());
}

void FastMoneyTest::clockStopsAndStartsAgain() {
    click("SpeedButton12");
    auto* boardClock = board()->findChild<QLabel*>(QStringLiteral("Label62"));
    click("SpeedButton87");  // Tiempo 2
    advanceTo(1000);
    QCOMPARE(boardClock->text(), QStringLiteral("25"));
    advanceTo(14000);
    QCOMPARE(boardClock->text(), QStringLiteral("12"));
    f().sound.clear();
    click("SpeedButton88");  // Detener
    QVERIFY(boardClock->text().isEmpty());
    QVERIFY(f().find<QLabel>("Label62")->text().isEmpty());
    QCOMPARE(f().sound.calls,
             QStringList{"stop"} + QStringList{"effect:" + programPath(effects::kBell2)});
    QVERIFY(!board().Timer13->isActive());
    fakeNow = 30000;
    click("SpeedButton86");  // Tiempo 1
    advanceTo(31000);
    QCOMPARE(boardClock->text(), QStringLiteral("20"));
    // Closing the console stops the clock and takes the board panel away.
    f().console->close();
    QVERIFY(!board().Timer13->isActive());
    QVERIFY(!board().Panel18->isVisible());
}

void FastMoneyTest::timedQuestionLeavesTheClockAlone() {
    f().press('s');
    click("SpeedButton12");
    auto* boardClock = board()->findChild<QLabel*>(QStringLiteral("Label62"));
    click("SpeedButton86");
    advanceTo(1000);
    advanceTo(2000);
    QCOMPARE(boardClock->text(), QStringLiteral("19"));
    f().press('h');
    board()->countdownTick();
    QCOMPARE(board().Label53->text(), QStringLiteral("5"));
    advanceTo(3000);
    QCOMPARE(boardClock->text(), QStringLiteral("18"));
    board()->countdownTick();
    QCOMPARE(board().Label53->text(), QStringLiteral("4"));
}

void FastMoneyTest::stageClockKeepsTime_data() {
    QTest::addColumn<int>("lateMs");        // how late every tick of the timer comes
    QTest::addColumn<int>("stallFrom");     // a stall of 2.5 s from this second (0: none)
    QTest::addColumn<int>("pressAgainAt");  // "Tiempo 1" again at this time (0: never)
    QTest::addColumn<int>("bellAt");
    QTest::newRow("on time") << 0 << 0 << 0 << 21000;
    QTest::newRow("every tick 40 ms late") << 40 << 0 << 0 << 21040;
    QTest::newRow("every tick 300 ms late") << 300 << 0 << 0 << 21300;
    QTest::newRow("a stall of 2.5 s") << 10 << 8 << 0 << 21010;
    QTest::newRow("pressed again at 5.3 s") << 10 << 0 << 5300 << 26010;
}

// A clock of its own, fed ticks as a loaded timer delivers them: late, or all at once after
// a stall. The bell rings at the 21st second after the press whatever the lateness of the
// earlier ticks, and a second press keeps the running rhythm.
void FastMoneyTest::stageClockKeepsTime() {
    QFETCH(int, lateMs);
    QFETCH(int, stallFrom);
    QFETCH(int, pressAgainAt);
    QFETCH(int, bellAt);
    qint64 now = 100000;
    QTimer timer;
    FastMoneyClock clock(
        &timer, [&now] { return now; }, nullptr);
    QList<int> shown;
    qint64 rang = -1;
    connect(&clock, &FastMoneyClock::secondShown, this, [&shown](int s) { shown << s; });
    connect(&clock, &FastMoneyClock::finished, this, [&] { rang = now; });
    const qint64 pressed = now;
    clock.start(20);
    bool pressedAgain = false;
    for (int second = 1; second <= 40 && rang < 0; ++second) {
        if (pressAgainAt && !pressedAgain && pressAgainAt < second * 1000) {
            now = pressed + pressAgainAt;
            clock.start(20);
            pressedAgain = true;
        }
        if (stallFrom && second >= stallFrom && second < stallFrom + 2) {
            continue;  // these ticks arrive together with the one after the stall
        }
        now = pressed + second * 1000 + lateMs;
        clock.tick();
    }
    QCOMPARE(rang - pressed, qint64(bellAt));
    QCOMPARE(shown.last(), 0);
    QVERIFY(shown.first() == 20);
    QVERIFY(!clock.running());
}

void FastMoneyTest::screenshot() {
    click("SpeedButton12");
    const char* const answers[] = {"Manzana", "Pera",  "Uva",     "Sandía", "Mango",
                                   "Plátano", "Fresa", "Naranja", "Limón",  "Kiwi"};
    const char* const answerNames[] = {"Edit33", "Edit35", "Edit37", "Edit39", "Edit41",
                                       "Edit44", "Edit46", "Edit48", "Edit50", "Edit52"};
    const char* const answerShows[] = {
        "SpeedButton75", "SpeedButton76", "SpeedButton77", "SpeedButton78", "SpeedButton79",
        "SpeedButton90", "SpeedButton91", "SpeedButton92", "SpeedButton93", "SpeedButton94"};
    const char* const scores[] = {"32", "18", "0", "25", "12", "28", "20", "35", "0", "30"};
    click("SpeedButton86");
    advanceTo(1000);
    advanceTo(8000);
    for (int s = 0; s < 10; ++s) {
        f().find<QLineEdit>(answerNames[s])->setText(QString::fromUtf8(answers[s]));
        click(answerShows[s]);
        setScore(s + 1, QLatin1String(scores[s]));
        showScore(s + 1);
    }
    QCOMPARE(board().Label17->text(), QStringLiteral("200"));
    QVERIFY(velta::test::saveScreenshot(f().board.get(), QStringLiteral("fast_money_board.png")));
    QVERIFY(
        velta::test::saveScreenshot(f().console.get(), QStringLiteral("fast_money_console.png")));
}

QTEST_MAIN(FastMoneyTest)
#include "tst_fastmoney.moc"
