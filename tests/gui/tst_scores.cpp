// Team scores on the board: awarding the pot with Z, C and the score boxes, the multiplier
// of the third and fourth question, and the reassign panel of B.
#include <QtTest>
#include <memory>

#include "BoardFixture.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

using namespace velta;
using velta::test::BoardFixture;

class ScoresTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void awardGivesThePotOnce_data();
    void awardGivesThePotOnce();
    void awardNeedsAPotAndTheGameView();
    void multiplierCountsAtTheAward_data();
    void multiplierCountsAtTheAward();
    void balanceBeforeAnAwardShowsTheNotice();
    void reassignPanelMovesTheLastAward();
    void swapKeepsTheTextsAsTheyAre();
    void manualEntryAsksUntilItGetsAWholeNumber();
    void scoresPastTheLimitsOfIntegers();

  private:
    void press(char key) { f_->press(key); }
    void type(const char* keys) { f_->type(keys); }
    void click(QWidget* widget);
    void playCards(int count);
    // "Puntos dobles y triples en modo Normal" checked or not.
    void setMultipliers(bool on) {
        GameSettings s = board_->settings();
        s.multipliersInNormal = on;
        board_->applySettings(s);
    }
    QString left() const { return ui_->Label19->text(); }
    QString right() const { return ui_->Label20->text(); }
    // Both scores, and what the control window's mirrors show of them.
    void expectScores(const QString& left, const QString& right);

    std::unique_ptr<BoardFixture> f_;
    TForm1* board_ = nullptr;
    std::unique_ptr<velta::test::BoardView> ui_;
};

void ScoresTest::init() {
    f_ = std::make_unique<BoardFixture>();
    // Answers 1 and 2 of each card add up to: 45, 45, 60, 50, 45.
    const QStringList firstTwo[] = {{"Perro,30", "Gato,15"},
                                    {"Rojo,25", "Azul,20"},
                                    {"Sal,40", "Pimienta,20"},
                                    {"Lunes,35", "Martes,15"},
                                    {"Mango,30", "Uva,15"}};
    for (int n = 1; n <= 5; ++n) {
        f_->folder.writeRound(n, QStringLiteral("Pregunta %1").arg(n),
                              firstTwo[n - 1] + QStringList{"Tres,20", "Cuatro,15", "Cinco,10"});
    }
    QVERIFY(f_->start());
    board_ = f_->board.get();
    ui_ = std::make_unique<velta::test::BoardView>(*board_);
    board_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(board_));
    board_->parkFocus();
}

void ScoresTest::cleanup() {
    ui_.reset();
    board_ = nullptr;
    f_.reset();
}

void ScoresTest::click(QWidget* widget) {
    QVERIFY(widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Puts up cards with S until the count-th is on the board.
void ScoresTest::playCards(int count) {
    for (int i = 0; i < count; ++i) {
        press('s');
    }
    QCOMPARE(board_->state().GameQuestionCount, count);
}

void ScoresTest::expectScores(const QString& left, const QString& right) {
    QCOMPARE(ui_->Label19->text(), left);
    QCOMPARE(ui_->Label20->text(), right);
    QCOMPARE(Game::shown(board_->game().leftScore()), left);
    QCOMPARE(Game::shown(board_->game().rightScore()), right);
}

void ScoresTest::awardGivesThePotOnce_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("toLeft");
    QTest::newRow("key Z") << "z" << true;
    QTest::newRow("key C") << "c" << false;
    QTest::newRow("left score box") << "Panel3" << true;
    QTest::newRow("left score label") << "Label19" << true;
    QTest::newRow("right score picture") << "Image11" << false;
    QTest::newRow("right score label") << "Label20" << false;
}

void ScoresTest::awardGivesThePotOnce() {
    QFETCH(QString, trigger);
    QFETCH(bool, toLeft);
    playCards(1);
    type("12");
    QCOMPARE(ui_->Label17->text(), QStringLiteral("45"));
    f_->sound.clear();

    const auto award = [&] {
        if (trigger.size() == 1) {
            press(trigger[0].toLatin1());
        } else {
            click(board_->findChild<QWidget*>(trigger));
        }
    };
    award();
    QCOMPARE(toLeft ? left() : right(), QStringLiteral("45"));
    QCOMPARE(toLeft ? right() : left(), QStringLiteral("00"));
    // The game holds what the board shows: the other side has had nothing written to it.
    QCOMPARE(board_->game().lastSide(), toLeft ? game::Side::Left : game::Side::Right);
    QVERIFY(!(toLeft ? board_->game().rightScore() : board_->game().leftScore()));
    QCOMPARE(ui_->Label17->text(), QStringLiteral("00"));
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("45"));
    QCOMPARE(ui_->EModo->text(), toLeft ? QStringLiteral("EIzq") : QStringLiteral("EDer"));
    QCOMPARE(f_->sound.effects(), QStringList{programPath(effects::kRoundWon)});
    QVERIFY(!(toLeft ? ui_->SpeedButton13 : ui_->SpeedButton10)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), ui_->Button3);

    // The pot is spent: neither side gets it again, and the last award stands.
    award();
    press(toLeft ? 'c' : 'z');
    QCOMPARE(toLeft ? left() : right(), QStringLiteral("45"));
    QCOMPARE(toLeft ? right() : left(), QStringLiteral("00"));
    QCOMPARE(ui_->EModo->text(), toLeft ? QStringLiteral("EIzq") : QStringLiteral("EDer"));
    QCOMPARE(f_->sound.effects().size(), 1);

    // A revealed answer after the award no longer fills the pot.
    press('3');
    QCOMPARE(ui_->Label17->text(), QStringLiteral("00"));
}

void ScoresTest::awardNeedsAPotAndTheGameView() {
    // Nothing on the board yet: no card, no pot.
    press('z');
    QCOMPARE(left(), QStringLiteral("00"));
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("0"));

    playCards(1);
    press('z');
    QCOMPARE(left(), QStringLiteral("00"));
    QVERIFY(ui_->SpeedButton13->isEnabled());
    QVERIFY(f_->sound.effects().indexOf(programPath(effects::kRoundWon)) < 0);

    // On the cover the pot waits for the game view to come back.
    type("1g");
    QVERIFY(!board_->gameViewShowing());
    press('z');
    QCOMPARE(ui_->Label17->text(), QStringLiteral("30"));
    QCOMPARE(left(), QStringLiteral("00"));
    type("gz");
    QCOMPARE(left(), QStringLiteral("30"));

    // An answer shown and hidden again leaves a pot of "0", which is awarded like any other.
    type("s22");
    QCOMPARE(ui_->Label17->text(), QStringLiteral("0"));
    press('c');
    QCOMPARE(right(), QStringLiteral("0"));
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("0"));
    QCOMPARE(ui_->EModo->text(), QStringLiteral("EDer"));
    QVERIFY(!ui_->SpeedButton10->isEnabled());
}

void ScoresTest::multiplierCountsAtTheAward_data() {
    QTest::addColumn<int>("card");
    QTest::addColumn<bool>("optionAtPutUp");
    QTest::addColumn<bool>("optionAtAward");
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("awarded");
    QTest::newRow("third question doubles") << 3 << true << true << 'c' << "120";
    QTest::newRow("fourth question triples") << 4 << true << true << 'z' << "150";
    QTest::newRow("option off before the award") << 3 << true << false << 'c' << "60";
    QTest::newRow("option off before the triple award") << 4 << true << false << 'z' << "50";
    QTest::newRow("option off when the card went up") << 3 << false << true << 'c' << "60";
    QTest::newRow("second question counts once") << 2 << true << true << 'z' << "45";
}

void ScoresTest::multiplierCountsAtTheAward() {
    QFETCH(int, card);
    QFETCH(bool, optionAtPutUp);
    QFETCH(bool, optionAtAward);
    QFETCH(char, key);
    QFETCH(QString, awarded);
    playCards(card - 1);
    setMultipliers(optionAtPutUp);
    press('s');
    setMultipliers(optionAtAward);
    type("12");
    press(key);
    QCOMPARE(key == 'z' ? left() : right(), awarded);
    QCOMPARE(ui_->ETotal->text(), awarded);
    // The pot showed the plain points while the question was played.
    QCOMPARE(ui_->Label17->text(), QStringLiteral("00"));
}

void ScoresTest::balanceBeforeAnAwardShowsTheNotice() {
    // No question on the board yet: B shows nothing.
    press('b');
    QVERIFY(!ui_->Panel21->isVisible());
    QVERIFY(!ui_->Panel20->isVisible());

    playCards(1);
    press('b');
    QVERIFY(ui_->Panel21->isVisible());
    QCOMPARE(ui_->Panel21->text(), QStringLiteral("Puntos sin asignar"));
    QVERIFY(ui_->Timer15->isActive());
    QCOMPARE(ui_->Timer15->interval(), 1500);
    QVERIFY(!ui_->Panel20->isVisible());
    QCOMPARE(QApplication::focusWidget(), ui_->Button3);
    board_->noticeTick();
    QVERIFY(!ui_->Panel21->isVisible());
    QVERIFY(!ui_->Timer15->isActive());

    // An award takes the notice down at once.
    press('b');
    QVERIFY(ui_->Panel21->isVisible());
    type("1z");
    QVERIFY(!ui_->Panel21->isVisible());
}

void ScoresTest::reassignPanelMovesTheLastAward() {
    // Right 30 from the first card, then 45 to the left on the second.
    playCards(1);
    type("1cs12z");
    QCOMPARE(left(), QStringLiteral("45"));
    QCOMPARE(right(), QStringLiteral("30"));

    press('b');
    QVERIFY(ui_->Panel20->isVisible());
    QVERIFY(!ui_->Panel21->isVisible());
    QCOMPARE(QApplication::focusWidget(), ui_->Button4);
    QCOMPARE(ui_->Button4->toolTip(), QStringLiteral("Reasignar 45 puntos a Los Verdes"));
    QCOMPARE(ui_->Button5->toolTip(), QStringLiteral("Reasignar 45 puntos a Los Púrpuras"));

    const auto expect = [&](const char* l, const char* r, const char* side) {
        expectScores(QLatin1String(l), QLatin1String(r));
        QCOMPARE(ui_->EModo->text(), QLatin1String(side));
        QCOMPARE(ui_->ETotal->text(), QStringLiteral("45"));
    };
    click(ui_->Button4);  // already on the left
    expect("45", "30", "EIzq");
    click(ui_->Button5);
    expect("0", "75", "EDer");
    click(ui_->Button5);  // already on the right
    expect("0", "75", "EDer");
    click(ui_->Button4);
    expect("45", "30", "EIzq");
    QVERIFY(ui_->Panel20->isVisible());

    // After a swap either way is open, but a side never gives more than it has.
    click(ui_->Button6);
    expect("30", "45", "");
    click(ui_->Button5);
    expect("30", "45", "");
    click(ui_->Button4);
    expect("75", "0", "EIzq");
    click(ui_->Button5);
    expect("30", "45", "EDer");
    click(ui_->Button4);  // the right has 45, so back it goes
    expect("75", "0", "EIzq");
    click(ui_->Button6);
    click(ui_->Button6);
    expect("75", "0", "");
    click(ui_->Button4);  // the right has nothing to give
    expect("75", "0", "");

    // The panel's buttons leave the keys working; B closes the panel and the game goes on.
    press('b');
    QVERIFY(!ui_->Panel20->isVisible());
    QCOMPARE(QApplication::focusWidget(), ui_->Button3);
    press('b');
    QVERIFY(ui_->Panel20->isVisible());
    click(ui_->Button8);
    QVERIFY(!ui_->Panel20->isVisible());
    QCOMPARE(QApplication::focusWidget(), ui_->Button3);
    press('b');
    QVERIFY(ui_->Panel20->isVisible());
    press('s');
    QCOMPARE(board_->state().GameQuestionCount, 3);
    QVERIFY(!ui_->Panel20->isVisible());
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), ui_->Button3);
}

void ScoresTest::swapKeepsTheTextsAsTheyAre() {
    playCards(1);
    type("1zb");
    // A typed score is a number: leading zeros go, as on every other score.
    f_->dialogs.inputs << QStringLiteral("007") << QStringLiteral("40");
    click(ui_->Button7);
    expectScores(QStringLiteral("7"), QStringLiteral("40"));
    click(ui_->Button6);
    expectScores(QStringLiteral("40"), QStringLiteral("7"));
    QCOMPARE(ui_->EModo->text(), QString());
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("30"));

    // A move needs the giving team to hold the award: 7 cannot give 30.
    click(ui_->Button4);
    expectScores(QStringLiteral("40"), QStringLiteral("7"));
    click(ui_->Button5);
    expectScores(QStringLiteral("10"), QStringLiteral("37"));
}

void ScoresTest::manualEntryAsksUntilItGetsAWholeNumber() {
    playCards(1);
    type("12zb");
    f_->dialogs.inputs << QStringLiteral("-5") << QStringLiteral("diez") << QStringLiteral("")
                       << QStringLiteral("1.5") << QStringLiteral("20") << std::nullopt;
    click(ui_->Button7);
    expectScores(QStringLiteral("20"), QStringLiteral("00"));
    QCOMPARE(f_->dialogs.shown, QStringList({"input: Puntos para.. | Los Verdes | 45",
                                             "input: Puntos para.. | Los Verdes | 45",
                                             "input: Puntos para.. | Los Verdes | 45",
                                             "input: Puntos para.. | Los Verdes | 45",
                                             "input: Puntos para.. | Los Verdes | 45",
                                             "input: Puntos para.. | Los Púrpuras | 00"}));
    // The last award is not touched by a manual entry.
    QCOMPARE(ui_->ETotal->text(), QStringLiteral("45"));
    QCOMPARE(ui_->EModo->text(), QStringLiteral("EIzq"));
    QVERIFY(f_->dialogs.inputs.isEmpty());
    QVERIFY(f_->dialogs.errors().isEmpty());
    // Keys still reach the commands afterwards.
    press('s');
    QCOMPARE(board_->state().GameQuestionCount, 2);
}

// A typed score above 999,999,999 is refused with a word; scores that awards take past
// 2^31 stay exact.
void ScoresTest::scoresPastTheLimitsOfIntegers() {
    playCards(1);
    type("12zb");
    const QString sixtyDigits(60, QChar('9'));
    f_->dialogs.inputs << QStringLiteral("1000000000") << sixtyDigits << QStringLiteral("999999999")
                       << std::nullopt;
    click(ui_->Button7);
    expectScores(QStringLiteral("999999999"), QStringLiteral("00"));
    const QString refused =
        QStringLiteral("El marcador %1 pasa del máximo de 999999999; escriba otro.");
    QCOMPARE(f_->dialogs.notices(),
             QStringList({refused.arg("1000000000"),
                          refused.arg(QString(39, QChar('9')) + QChar(0x2026))}));

    board_->game().setScores(Q_INT64_C(2147483640), board_->game().rightScore());
    type("s12z");
    expectScores(QStringLiteral("2147483685"), QStringLiteral("00"));
    press('b');
    click(ui_->Button5);
    expectScores(QStringLiteral("2147483640"), QStringLiteral("45"));
    QVERIFY(f_->dialogs.errors().isEmpty());
}

QTEST_MAIN(ScoresTest)
#include "tst_scores.moc"
