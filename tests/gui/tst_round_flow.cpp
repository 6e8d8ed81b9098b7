// The round flow as the operator plays it: S, A, V, F and R, the pending question from the
// control window's editor, the points schedule of a game of four questions and its splashes.
#include <QtTest>

#include "BoardFixture.h"
#include "art/Art.h"
#include "editing/GameSettings.h"
#include "sound/Sound.h"

using namespace velta;
using test::BoardFixture;
using test::BoardView;
using test::played;

namespace {

// Reveals answer 1 (40 points) and gives the pot to the left team.
void awardFortyLeft(const BoardFixture& f) {
    f.type("1z");
}

}  // namespace

class RoundFlow : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void gameOfFour_data();
    void gameOfFour();
    void previousAndReplaceKeepTheSchedule();
    void pendingQuestion();
    void lastCardComesUpAgain();
    void extraRounds();
    void rowsOutOfUse();
    void scoreBoxesFollowTheMarker();
    void easyMode_data();
    void easyMode();
    void unreadableCardsArePassedOver_data();
    void unreadableCardsArePassedOver();
    void gapsAreNamedOnceAndCrossed();
};

// How the double-and-triple option is switched off, if at all.
enum Multipliers { On, OffByMarker, OffByOption };

void RoundFlow::gameOfFour_data() {
    QTest::addColumn<int>("multipliers");
    QTest::newRow("option on") << int(On);
    QTest::newRow("dt.cfg at start") << int(OffByMarker);
    QTest::newRow("option switched off") << int(OffByOption);
}

// Five S presses: a game of four questions (start, plain, double, triple) and the start of
// the next, each with its picture, sound, score reset and pot multiplier.
void RoundFlow::gameOfFour() {
    QFETCH(int, multipliers);
    BoardFixture f(8);
    if (multipliers == OffByMarker) {
        f.folder.writeBytes(kMultipliersOffMarker, {});
    }
    QVERIFY(f.start());
    BoardView b(*f.board);
    if (multipliers == OffByOption) {
        GameSettings unchecked = b->settings();
        unchecked.multipliersInNormal = false;
        b->applySettings(unchecked);
    }
    const bool on = multipliers == On;

    struct Question {
        bool startsGame;
        int factor;  // with the option on
    };
    const Question game[] = {{true, 1}, {false, 1}, {false, 2}, {false, 3}, {true, 1}};
    for (int q = 1; q <= 5; ++q) {
        const Question& expected = game[q - 1];
        const int factor = on ? expected.factor : 1;
        b->game().setScores(25, 35);
        f.sound.clear();
        QSignalSpy splash(f.board.get(), &TForm1::pointsSplashShown);
        f.press('s');

        QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta %1").arg(q));
        QCOMPARE(b->state().RoundNumber, q);
        QCOMPARE(b->state().GameQuestionCount, q);
        QCOMPARE(b->state().DoublePoints, factor == 2);
        QCOMPARE(b->state().TriplePoints, factor == 3);
        QCOMPARE(f.sound.effects(),
                 played(expected.startsGame ? effects::kPresentation : effects::kStart));
        const QString left = expected.startsGame ? QStringLiteral("00") : QStringLiteral("25");
        QCOMPARE(b.Label19->text(), left);
        QCOMPARE(b.Label20->text(),
                 expected.startsGame ? QStringLiteral("00") : QStringLiteral("35"));

        QCOMPARE(b.Image1->isVisible(), expected.startsGame);
        if (expected.startsGame) {
            QCOMPARE(b.Image1->image(), art::startSplash());
        }
        QCOMPARE(b.Image3->isVisible(), factor > 1);
        QCOMPARE(splash.size(), factor > 1 ? 1 : 0);
        if (factor > 1) {
            QCOMPARE(b.Image3->image(), factor == 2 ? art::doublePoints() : art::triplePoints());
            QCOMPARE(splash.first(), (QVariantList{factor, b.Timer1->interval()}));
        }
        QCOMPARE(b.Timer1->isActive(), expected.startsGame || factor > 1);
        if (b.Timer1->isActive()) {
            QCOMPARE(b.Timer1->interval(), 3000);
            QVERIFY(b.Timer2->isActive());
            ImageBox* blinking = factor > 1 ? b.Image3 : b.Image1;
            b->blinkTick();
            QVERIFY(!blinking->isVisible());
            b->blinkTick();
            QVERIFY(blinking->isVisible());
        }

        awardFortyLeft(f);
        QCOMPARE(b.Label19->text(), QString::number(left.toInt() + 40 * factor));
        b->splashTick();
        QVERIFY(!b.Image1->isVisible());
        QVERIFY(!b.Image3->isVisible());
    }
    QVERIFY(f.dialogs.shown.isEmpty());
}

// A steps back with the schedule of the lower count; V replaces the card without moving
// the count, so the double stays with the question that replaced it.
void RoundFlow::previousAndReplaceKeepTheSchedule() {
    BoardFixture f(8);
    QVERIFY(f.start());
    BoardView b(*f.board);

    QVERIFY(!b.SpeedButton9->isEnabled());
    f.press('a');
    QVERIFY(b.Image2->isVisible());
    QCOMPARE(b.Label16->text(), QStringLiteral("?"));
    QVERIFY(f.sound.calls.isEmpty());

    f.type("sss");
    QVERIFY(b->state().DoublePoints);
    b->splashTick();
    f.sound.clear();
    f.press('a');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 2"));
    QCOMPARE(b->state().GameQuestionCount, 2);
    QVERIFY(!b->state().DoublePoints);
    QVERIFY(!b->state().TriplePoints);
    QCOMPARE(f.sound.effects(), played(effects::kStart));
    QVERIFY(!b.Timer1->isActive());
    QVERIFY(!b.Image1->isVisible());

    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 3"));
    QVERIFY(b->state().DoublePoints);
    QVERIFY(b.Image3->isVisible());
    b->splashTick();
    awardFortyLeft(f);
    QCOMPARE(b.ETotal->text(), QStringLiteral("80"));

    f.sound.clear();
    QSignalSpy splash(f.board.get(), &TForm1::pointsSplashShown);
    f.press('v');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 4"));
    QCOMPARE(b->state().RoundNumber, 4);
    QCOMPARE(b->state().GameQuestionCount, 3);
    QVERIFY(b->state().DoublePoints);
    QVERIFY(f.sound.calls.isEmpty());
    QVERIFY(!b.Timer1->isActive());
    QVERIFY(splash.isEmpty());
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    QVERIFY(b.rows[0].cover->isVisible());
    // V keeps the last award, so it can still be moved to the other team.
    QCOMPARE(b.ETotal->text(), QStringLiteral("80"));
    QCOMPARE(b.EModo->text(), QStringLiteral("EIzq"));
    awardFortyLeft(f);
    QCOMPARE(b.Label19->text(), QStringLiteral("160"));

    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 5"));
    QCOMPARE(b->state().GameQuestionCount, 4);
    QVERIFY(b->state().TriplePoints);
    QCOMPARE(b.ETotal->text(), QStringLiteral("0"));
    QVERIFY(b.EModo->text().isEmpty());
}

// The control window's editor writes the card it shows into the pending-question field:
// the next S or R puts that card up, and the game count goes on where it was.
void RoundFlow::pendingQuestion() {
    BoardFixture f(8);
    for (int n = 1; n <= 3; ++n) {
        f.folder.writeRound(n, QStringLiteral("Extra %1").arg(n), test::standardAnswers(), true);
    }
    QVERIFY(f.start());
    BoardView b(*f.board);
    f.type("ss");

    f.board->setPendingCard(QStringLiteral("ronda7.txt"));
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 2"));
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 7"));
    QCOMPARE(f.control.relay, QStringLiteral("ronda7.txt"));
    QCOMPARE(b->state().GameQuestionCount, 3);
    QVERIFY(b->state().DoublePoints);
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 8"));
    QVERIFY(b->state().TriplePoints);

    f.board->setPendingCard(QStringLiteral("xronda3.txt"));
    QCOMPARE(b->state().RoundNumber, 8);
    f.press('r');
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 3"));
    QCOMPARE(f.control.relay, QStringLiteral("xronda3.txt"));

    QVERIFY(f.dialogs.shown.isEmpty());
    f.board->setPendingCard(QStringLiteral("pregunta.txt"));
    QCOMPARE(f.dialogs.errors().size(), 1);
    QCOMPARE(b->state().RoundNumber, 8);
    QCOMPARE(b->state().ExtraRoundNumber, 3);

    // Card 0 (what an editor shows in an empty folder) must not strand the game: the next S
    // still finds card 1.
    f.board->setPendingCard(QStringLiteral("ronda0.txt"));
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
}

// S or V on the last card puts the same card up again, covered, with the same schedule.
void RoundFlow::lastCardComesUpAgain() {
    BoardFixture f(1);
    QVERIFY(f.start());
    BoardView b(*f.board);
    f.press('s');
    b->splashTick();
    f.type("12");
    QCOMPARE(b.Label17->text(), QStringLiteral("70"));
    QVERIFY(f.control.marks[0] && f.control.marks[1]);
    b->game().setScores(70, b->game().rightScore());
    f.sound.clear();

    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QCOMPARE(b->state().GameQuestionCount, 1);
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    for (const BoardView::Row& row : b.rows) {
        QVERIFY(row.cover->isVisible());
        QCOMPARE(row.points->text(), QStringLiteral("0"));
        QVERIFY(row.answer->text().isEmpty());
    }
    QCOMPARE(f.control.marks, (std::array<bool, 5>{}));
    QCOMPARE(f.sound.effects(), played(effects::kPresentation));
    QVERIFY(b.Image1->isVisible());
    QCOMPARE(b.Label19->text(), QStringLiteral("00"));

    f.type("2v");
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QVERIFY(b.rows[1].cover->isVisible());
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
}

// R asks for the next extra card; a missing one still uses up its number. The normal
// series, its count and the score boxes are left alone.
void RoundFlow::extraRounds() {
    BoardFixture f(4);
    f.folder.writeRound(1, QStringLiteral("Extra 1"), test::standardAnswers(), true);
    f.folder.writeRound(2, QStringLiteral("Extra 2"), test::standardAnswers(), true);
    QVERIFY(f.start());
    BoardView b(*f.board);

    f.press('r');
    QCOMPARE(b->state().ExtraRoundNumber, 0);
    QCOMPARE(b.Label16->text(), QStringLiteral("?"));

    f.type("sss");
    b->splashTick();
    f.type("1x");
    f.sound.clear();
    f.press('r');
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 1"));
    QCOMPARE(f.sound.effects(), played(effects::kStart));
    QVERIFY(!b->state().DoublePoints);
    QCOMPARE(b->state().StrikeCount, 0);
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    QVERIFY(b.rows[0].cover->isVisible());
    QCOMPARE(f.control.relay, QStringLiteral("xronda1.txt"));

    f.press('r');
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 2"));
    f.type("1r");
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 2"));
    QVERIFY(!b.rows[0].cover->isVisible());
    QCOMPARE(b->state().ExtraRoundNumber, 3);
    f.folder.writeRound(4, QStringLiteral("Extra 4"), test::standardAnswers(), true);
    f.press('r');
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 4"));

    QCOMPARE(b->state().RoundNumber, 3);
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 4"));
    QCOMPARE(b->state().GameQuestionCount, 4);
    QVERIFY(b->state().TriplePoints);
}

// Rows 3 to 5 show only for answers in use; their keys follow on both windows.
void RoundFlow::rowsOutOfUse() {
    BoardFixture f;
    f.folder.writeRound(1, QStringLiteral("Tres respuestas"),
                        {QStringLiteral("Uno,50"), QStringLiteral("Dos,30"),
                         QStringLiteral("Tres,20"), QStringLiteral(","), QStringLiteral(",")});
    f.folder.writeRound(2, QStringLiteral("Dos respuestas"),
                        {QStringLiteral("Uno,60"), QStringLiteral("Dos,40")});
    f.folder.writeRound(3, QStringLiteral("Cinco respuestas"), test::standardAnswers());
    QVERIFY(f.start());
    BoardView b(*f.board);

    const auto rowsInUse = [&b] {
        QList<bool> inUse;
        for (const BoardView::Row& row : b.rows) {
            const bool shown = row.cover->isVisible();
            if (shown != row.points->isVisible() || shown != row.bar->isVisible() ||
                shown != row.key->isEnabled()) {
                return QList<bool>{};
            }
            inUse << shown;
        }
        return inUse;
    };
    // What the game says of keys 3 to 5, which the control window's twins follow.
    const auto answerKeys = [&b] {
        return QList<bool>{b->game().commandEnabled('3'), b->game().commandEnabled('4'),
                           b->game().commandEnabled('5')};
    };

    f.press('s');
    QCOMPARE(rowsInUse(), (QList<bool>{true, true, true, false, false}));
    QCOMPARE(answerKeys(), (QList<bool>{true, false, false}));
    b->splashTick();
    f.sound.clear();
    f.press('4');
    QVERIFY(f.sound.calls.isEmpty());
    // The control window presses the board's key even while it is disabled: only the
    // reveal sound plays.
    b.rows[4].key->press();
    QCOMPARE(f.sound.effects(), played(effects::kAnswer));
    QVERIFY(b.rows[4].answer->text().isEmpty());
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));

    f.press('s');
    QCOMPARE(rowsInUse(), (QList<bool>{true, true, false, false, false}));
    QCOMPARE(answerKeys(), (QList<bool>{false, false, false}));

    f.press('s');
    QCOMPARE(rowsInUse(), (QList<bool>{true, true, true, true, true}));
    QCOMPARE(answerKeys(), (QList<bool>{true, true, true}));
    f.press('a');
    QCOMPARE(rowsInUse(), (QList<bool>{true, true, false, false, false}));
}

// "sp.cfg" is looked for each time S, A or V puts a card up; F and R leave the pot and the
// score boxes as they were.
void RoundFlow::scoreBoxesFollowTheMarker() {
    BoardFixture f(4);
    f.folder.writeRound(1, QStringLiteral("Extra 1"), test::standardAnswers(), true);
    f.folder.writeBytes(kHideScoresMarker, {});
    QVERIFY(f.start());
    BoardView b(*f.board);
    const auto boxesShown = [&b] {
        const bool pot = b.Panel2->isVisible();
        if (pot != b.Panel3->isVisible() || pot != b.Panel4->isVisible()) {
            return QStringLiteral("mixed");
        }
        return pot ? QStringLiteral("shown") : QStringLiteral("hidden");
    };

    for (const char key : {'s', 'v', 'a'}) {
        f.press(key);
        QCOMPARE(boxesShown(), QStringLiteral("hidden"));
    }
    QFile::remove(f.folder.file(kHideScoresMarker));
    f.press('s');
    QCOMPARE(boxesShown(), QStringLiteral("shown"));
    QVERIFY(!b->settings().hideScores);

    f.folder.writeBytes(kHideScoresMarker, {});
    f.press('r');
    QCOMPARE(b.Label16->text(), QStringLiteral("Extra 1"));
    QCOMPARE(boxesShown(), QStringLiteral("shown"));
    f.press('v');
    QCOMPARE(boxesShown(), QStringLiteral("hidden"));
}

void RoundFlow::easyMode_data() {
    QTest::addColumn<bool>("accumulate");
    QTest::newRow("scores reset on every card") << false;
    QTest::newRow("sf.cfg: scores accumulate") << true;
}

// F from the cover starts the easy mode for good: S is disabled, every card starts with
// the splash, there is no double or triple, and the next-button picture runs F.
void RoundFlow::easyMode() {
    QFETCH(bool, accumulate);
    BoardFixture f(4);
    if (accumulate) {
        f.folder.writeBytes(kAccumulateEasyMarker, {});
    }
    QVERIFY(f.start());
    BoardView b(*f.board);
    b->game().setScores(25, b->game().rightScore());

    f.press('f');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QVERIFY(b->state().EasyMode);
    QVERIFY(!b.SpeedButton3->isEnabled());
    QVERIFY(!b->game().commandEnabled('s'));
    QVERIFY(b.SpeedButton9->isEnabled());
    QVERIFY(!b.Image2->isVisible());
    QVERIFY(b.Panel1->isVisible());
    QVERIFY(b.Edit16->isVisible());
    QVERIFY(b.Edit17->isVisible());
    QVERIFY(!b.Panel2->isVisible());
    QVERIFY(!b.Panel3->isVisible());
    QVERIFY(!b.Panel4->isVisible());
    QCOMPARE(f.sound.effects(), played(effects::kPresentation));
    QCOMPARE(b.Image1->image(), art::startSplash());
    QVERIFY(b.Image1->isVisible());
    const QString kept = accumulate ? QStringLiteral("25") : QStringLiteral("00");
    QCOMPARE(b.Label19->text(), kept);

    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    b->splashTick();
    awardFortyLeft(f);
    QCOMPARE(b.Label19->text(), QString::number(kept.toInt() + 40));

    f.sound.clear();
    QTest::mouseClick(b.Image15, Qt::LeftButton);
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 2"));
    QCOMPARE(f.sound.effects(), played(effects::kPresentation));
    QCOMPARE(b.Label19->text(), accumulate ? QString::number(kept.toInt() + 40) : kept);
    QCOMPARE(b.ETotal->text(), QStringLiteral("0"));

    f.press('f');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 3"));
    QCOMPARE(b->state().GameQuestionCount, 3);
    QVERIFY(!b->state().DoublePoints);
    QVERIFY(b.Image1->isVisible());
    QVERIFY(!b.Image3->isVisible());
    QVERIFY(f.dialogs.shown.isEmpty());
}

void RoundFlow::unreadableCardsArePassedOver_data() {
    QTest::addColumn<bool>("tooLarge");  // else no read permission
    QTest::newRow("no read permission") << false;
    QTest::newRow("larger than 64 KB") << true;
}

// A card that cannot be read is named and passed over; while no card can be read, the board,
// the round number and the game count stay as they were, so no pot is given twice.
void RoundFlow::unreadableCardsArePassedOver() {
    QFETCH(bool, tooLarge);
    BoardFixture f(4);
    QVERIFY(f.start());
    BoardView b(*f.board);
    const auto spoil = [&](int n) {
        const QString file = QStringLiteral("Rondas/ronda%1.txt").arg(n);
        if (tooLarge) {
            f.folder.writeRound(n, QString(70000, QChar('Q')), test::standardAnswers());
        } else {
            f.folder.denyReading(file);
        }
        return QStringLiteral(
                   "No se puede leer el archivo \"%1\": %2.\nEsa pregunta no se pone "
                   "en el tablero.")
            .arg(f.folder.file(file), tooLarge ? QStringLiteral("mide 69 KB y el máximo es 64 KB")
                                               : QStringLiteral("no hay permiso para leerlo"));
    };
    const auto press = [&f](char key) { test::asShowUser([&] { f.press(key); }); };
    press('s');
    b->splashTick();
    press('1');
    press('z');
    f.sound.clear();
    const QString second = spoil(2);
    const QString third = spoil(3);

    press('s');
    QCOMPARE(f.dialogs.errors(), QStringList({second, third}));
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 4"));
    QCOMPARE(b->state().RoundNumber, 4);
    QCOMPARE(b->state().GameQuestionCount, 2);
    QVERIFY(!b->state().DoublePoints);
    QCOMPARE(f.control.relay, QStringLiteral("ronda4.txt"));

    f.dialogs.shown.clear();
    press('a');
    QCOMPARE(f.dialogs.errors(), QStringList({third, second}));
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QCOMPARE(b->state().GameQuestionCount, 1);
    press('1');
    press('z');
    QCOMPARE(b.Label19->text(), QStringLiteral("80"));

    // Nothing after card 1 can be read: S changes nothing at all.
    spoil(4);
    f.dialogs.shown.clear();
    f.sound.clear();
    press('s');
    QCOMPARE(f.dialogs.errors().size(), 3);
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QVERIFY(!b.rows[0].cover->isVisible());
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    QCOMPARE(b.ETotal->text(), QStringLiteral("40"));
    QVERIFY(!b.SpeedButton13->isEnabled());
    QCOMPARE(b->state().RoundNumber, 1);
    QCOMPARE(b->state().GameQuestionCount, 1);
    QCOMPARE(f.control.relay, QStringLiteral("ronda1.txt"));
    QVERIFY(f.sound.effects().isEmpty());
}

// A number missing in the folder is named once a run, and the game goes on over it both
// ways; the game count follows the cards put up.
void RoundFlow::gapsAreNamedOnceAndCrossed() {
    BoardFixture f;
    for (int n : {1, 2, 4, 7}) {
        f.folder.writeRound(n, QStringLiteral("Pregunta %1").arg(n), test::standardAnswers());
    }
    QVERIFY(f.start());
    BoardView b(*f.board);
    const QString rounds = f.folder.file(QStringLiteral("Rondas"));

    f.type("ss");
    QVERIFY(f.dialogs.shown.isEmpty());
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 4"));
    QCOMPARE(b->state().GameQuestionCount, 3);
    QVERIFY(b->state().DoublePoints);
    f.press('v');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 7"));
    QCOMPARE(f.dialogs.notices(),
             QStringList({QStringLiteral("Falta el archivo \"ronda3.txt\" en la carpeta de rondas "
                                         "\"%1\": la pregunta 3 no existe y el juego la salta.")
                              .arg(rounds),
                          QStringLiteral("Faltan los archivos \"ronda5.txt\" a \"ronda6.txt\" en "
                                         "la carpeta de rondas \"%1\": las preguntas 5 a 6 no "
                                         "existen y el juego las salta.")
                              .arg(rounds)}));

    f.type("aa");
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 2"));
    QCOMPARE(b->state().GameQuestionCount, 1);
    f.press('s');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 4"));
    QCOMPARE(f.dialogs.shown.size(), 2);
    QVERIFY(f.dialogs.errors().isEmpty());
}

QTEST_MAIN(RoundFlow)
#include "tst_round_flow.moc"
