// The game model without a window: what each change does and which signals say so, the
// snapshot it saves and restores, and undo and redo over a sequence of commands.
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "UnitHelpers.h"
#include "game/Game.h"

using namespace velta;
using velta::test::columns;

namespace {

// The commands a game keeps the state of, and those on at the start, as the board has them.
const QString kSaved = QStringLiteral("asfzcx345");
const QString kOnAtStart = QStringLiteral("sfzcx345");

RoundCard card(const QString& question, int answers = 5) {
    const QStringList lines{QStringLiteral("Uno,40"), QStringLiteral("Dos,30"),
                            QStringLiteral("Tres,15"), QStringLiteral("Cuatro,10"),
                            QStringLiteral("Cinco,5")};
    RoundCard c{question, {}};
    for (int i = 0; i < 5; ++i) {
        c.answerLines << (i < answers ? lines[i] : QString());
    }
    return c;
}

// A game with card 1 up and on view.
void startGame(Game& g) {
    g.putUpCard(RoundKind::Normal, 1, card(QStringLiteral("Pregunta 1")), QStringLiteral("r1"));
    g.setGameView(true);
}

using Change = std::function<void(Game&)>;
using Edit = std::function<void(GameSnapshot&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Edit)

class GameTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void eachChangeSaysWhatChanged_data();
    void eachChangeSaysWhatChanged();
    void potFollowsTheUncoveredRowsUntilAwarded();
    void awardsAndTheirMoves();
    void snapshotRoundTrip();
    void snapshotsAreEqualWhenTheirLinesAre_data();
    void snapshotsAreEqualWhenTheirLinesAre();
    void undoAndRedoOverASequence();
    void undoKeepsThirtySteps();
    void aStepThatChangesNothingIsNoStep();
    void typedFastMoneyIsNotUndone();
    void commandsNotKeptComeBackOn();
};

void GameTest::eachChangeSaysWhatChanged_data() {
    columns<bool, Change, QStringList>("onACard", "change", "signals");
    const auto row = [](const char* name, bool onACard, Change change, QStringList expected) {
        QTest::newRow(name) << onACard << change << expected;
    };
    row("a card put up", false, [](Game& g) { startGame(g); },
        {"cardShown", "potChanged", "strikesChanged", "commandsChanged", "viewChanged"});
    row("a row uncovered", true, [](Game& g) { g.setUncovered(2, true); },
        {"potChanged", "rowRevealed"});
    row("a strike", true, [](Game& g) { g.strike(); }, {"strikesChanged"});
    row("an award", true, [](Game& g) { g.award(game::Side::Left, 1); },
        {"scoresChanged", "potChanged"});
    row("typed scores", true, [](Game& g) { g.setScores(5, 7); }, {"scoresChanged"});
    row("a command switched off", true, [](Game& g) { g.setCommandEnabled('z', false); },
        {"commandsChanged"});
    row("a command already on", true, [](Game& g) { g.setCommandEnabled('z', true); }, {});
    row("the cover", true, [](Game& g) { g.setGameView(false); }, {"viewChanged"});
    row("fast money shown", true, [](Game& g) { g.showFastMoneyAnswer(3, QStringLiteral("Sol")); },
        {"fastMoneyChanged"});
    row("fast money cleared", true, [](Game& g) { g.clearFastMoney(); },
        {"fastMoneyChanged", "potChanged"});
    row("fast money typed", true, [](Game& g) { g.typeFastMoneyAnswer(2, QStringLiteral("Luna")); },
        {"fastMoneyTyped"});
    row("the same typed again", true, [](Game& g) { g.typeFastMoneyScore(2, QString()); }, {});
    row("the fast-money panel opened", true, [](Game& g) { g.setFastMoneyPanelOpen(true); },
        {"fastMoneyTyped"});
    row("a restore", true, [](Game& g) { g.restore(g.snapshot(), g.card(), g.cardPath()); },
        {"restored"});
}

void GameTest::eachChangeSaysWhatChanged() {
    QFETCH(bool, onACard);
    QFETCH(Change, change);
    QFETCH(QStringList, signals);
    Game g(kSaved, kOnAtStart);
    if (onACard) {
        startGame(g);
    }
    QStringList heard;
    int changed = 0;
    const auto listen = [&](auto signal, const char* name) {
        QObject::connect(&g, signal, &g, [&heard, name] { heard << QLatin1String(name); });
    };
    listen(&Game::cardShown, "cardShown");
    listen(&Game::rowRevealed, "rowRevealed");
    listen(&Game::potChanged, "potChanged");
    listen(&Game::scoresChanged, "scoresChanged");
    listen(&Game::strikesChanged, "strikesChanged");
    listen(&Game::viewChanged, "viewChanged");
    listen(&Game::commandsChanged, "commandsChanged");
    listen(&Game::fastMoneyChanged, "fastMoneyChanged");
    listen(&Game::fastMoneyTyped, "fastMoneyTyped");
    listen(&Game::restored, "restored");
    QObject::connect(&g, &Game::changed, &g, [&changed] { ++changed; });
    change(g);
    QCOMPARE(heard, signals);
    QCOMPARE(changed > 0, !signals.isEmpty());
}

void GameTest::potFollowsTheUncoveredRowsUntilAwarded() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    QCOMPARE(Game::shown(g.pot()), QStringLiteral("00"));
    g.setUncovered(1, true);
    g.setUncovered(3, true);
    QCOMPARE(g.pot(), 55);
    g.setUncovered(1, false);
    QCOMPARE(g.pot(), 15);
    g.setUncovered(3, false);
    // Covered again, the pot holds a counted 0, not nothing.
    QCOMPARE(Game::shown(g.pot()), QStringLiteral("0"));
    g.setUncovered(2, true);
    g.award(game::Side::Right, 2);
    QVERIFY(!g.pot());
    QVERIFY(!g.state().PotOpen);
    QCOMPARE(g.rightScore(), 60);
    // After the award the rows show without changing the pot.
    g.setUncovered(4, true);
    QVERIFY(!g.pot());

    // A card with three answers leaves keys 4 and 5 off.
    g.putUpCard(RoundKind::Normal, 2, card(QStringLiteral("P2"), 3), QString());
    QVERIFY(g.commandEnabled('3'));
    QVERIFY(!g.commandEnabled('4'));
    QVERIFY(!g.commandEnabled('5'));
    QVERIFY(g.state().PotOpen);
}

void GameTest::awardsAndTheirMoves() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    g.setUncovered(1, true);
    g.award(game::Side::Left, 1);
    QCOMPARE(g.leftScore(), 40);
    QVERIFY(!g.rightScore());
    QCOMPARE(g.lastAward(), 40);
    QVERIFY(!g.moveLastAward(game::Side::Left));
    QVERIFY(g.moveLastAward(game::Side::Right));
    QCOMPARE(g.leftScore(), 0);
    QCOMPARE(g.rightScore(), 40);
    QCOMPARE(g.lastSide(), game::Side::Right);
    g.swapScores();
    QCOMPARE(g.leftScore(), 40);
    QCOMPARE(g.lastSide(), game::Side::None);
    g.clearLastAward();
    QCOMPARE(g.lastAward(), 0);
}

void GameTest::snapshotRoundTrip() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    g.setUncovered(2, true);
    g.strike();
    g.setScores(std::nullopt, 120);
    g.setCommandEnabled('x', false);
    g.showFastMoneyAnswer(4, QStringLiteral("Rojo"));
    g.showFastMoneyScore(4, QStringLiteral("25"));
    g.countFastMoney(4, {0, 0, 0, 25, 0, 0, 0, 0, 0, 0});
    g.typeFastMoneyAnswer(5, QStringLiteral("Azul"));
    g.typeFastMoneyScore(5, QStringLiteral("12"));
    g.setFastMoneyPanelOpen(true);
    const GameSnapshot saved = g.snapshot();
    // The operator's fields under the names the saved game has always had.
    for (const char* line : {"dr_respuesta5=Azul", "dr_puntos5=12", "dr_abierto=1"}) {
        QVERIFY2(saved.toLines().contains(QLatin1String(line)), line);
    }
    QString problem;
    const std::optional<GameSnapshot> read = GameSnapshot::fromLines(saved.toLines(), &problem);
    QVERIFY2(read, qPrintable(problem));
    QCOMPARE(read->toLines(), saved.toLines());

    Game back(kSaved, kOnAtStart);
    back.restore(*read, g.card(), g.cardPath());
    QCOMPARE(back.snapshot().toLines(), saved.toLines());
    QCOMPARE(back.card().question, QStringLiteral("Pregunta 1"));
    QVERIFY(back.uncovered(2));
    QCOMPARE(Game::shown(back.leftScore()), QStringLiteral("00"));
    QCOMPARE(back.pot(), 25);
    QCOMPARE(back.typedAnswer(5), QStringLiteral("Azul"));
    QCOMPARE(back.typedScore(5), QStringLiteral("12"));
    QVERIFY(back.fastMoneyPanelOpen());

    // A card that is gone comes back as the cover with the scores and counters.
    Game gone(kSaved, kOnAtStart);
    gone.restore(*read, std::nullopt, QString());
    QVERIFY(!gone.hasCard());
    QVERIFY(!gone.gameView());
    QCOMPARE(gone.rightScore(), 120);
    QCOMPARE(gone.state().StrikeCount, 1);
}

// Undo compares snapshots field by field; two are equal exactly when they would be saved as
// the same lines, so a change the saved game keeps is always a step and the countdown never.
void GameTest::snapshotsAreEqualWhenTheirLinesAre_data() {
    QTest::addColumn<Edit>("edit");
    const auto row = [](const char* name, Edit edit) { QTest::newRow(name) << edit; };
    row("countdown", [](GameSnapshot& s) { s.state.CountdownValue = 3; });
    row("view", [](GameSnapshot& s) { s.gameView = true; });
    row("tie-breaker", [](GameSnapshot& s) { s.extraCard = true; });
    row("card", [](GameSnapshot& s) { s.cardNumber = 4; });
    row("round", [](GameSnapshot& s) { s.state.RoundNumber = 4; });
    row("questions", [](GameSnapshot& s) { s.state.GameQuestionCount = 2; });
    row("extra round", [](GameSnapshot& s) { s.state.ExtraRoundNumber = 1; });
    row("strikes", [](GameSnapshot& s) { s.state.StrikeCount = 2; });
    row("double", [](GameSnapshot& s) { s.state.DoublePoints = true; });
    row("triple", [](GameSnapshot& s) { s.state.TriplePoints = true; });
    row("pot closed", [](GameSnapshot& s) { s.state.PotOpen = false; });
    row("easy", [](GameSnapshot& s) { s.state.EasyMode = true; });
    row("row", [](GameSnapshot& s) { s.uncovered[4] = true; });
    row("pot", [](GameSnapshot& s) { s.pot = QStringLiteral("40"); });
    row("left", [](GameSnapshot& s) { s.leftScore = QStringLiteral("40"); });
    row("right", [](GameSnapshot& s) { s.rightScore = QStringLiteral("40"); });
    row("award", [](GameSnapshot& s) { s.lastAward = QStringLiteral("40"); });
    row("side", [](GameSnapshot& s) { s.lastSide = QStringLiteral("EIzq"); });
    row("keys", [](GameSnapshot& s) { s.enabledKeys = QStringLiteral("sf"); });
    row("typed answer", [](GameSnapshot& s) { s.fastAnswers[9] = QStringLiteral("Sol"); });
    row("typed score", [](GameSnapshot& s) { s.fastScores[0] = QStringLiteral("9"); });
    row("shown answer", [](GameSnapshot& s) { s.shownAnswers[3] = QStringLiteral("Sol"); });
    row("shown score", [](GameSnapshot& s) { s.shownScores[3] = QStringLiteral("9"); });
    row("highest shown", [](GameSnapshot& s) { s.highestScoreShown = 3; });
    row("panel open", [](GameSnapshot& s) { s.fastMoneyOpen = true; });
    row("fast board", [](GameSnapshot& s) { s.fastMoneyBoardShown = true; });
}

void GameTest::snapshotsAreEqualWhenTheirLinesAre() {
    QFETCH(Edit, edit);
    const GameSnapshot before;
    GameSnapshot after;
    edit(after);
    QCOMPARE(after == before, after.toLines() == before.toLines());
    QCOMPARE(QTest::currentDataTag() == QByteArray("countdown"), after == before);
}

void GameTest::undoAndRedoOverASequence() {
    Game g(kSaved, kOnAtStart);
    QStringList seen;
    const auto step = [&g, &seen](const Change& change) {
        const Game::Step s(g);
        change(g);
        seen << g.snapshot().toLines().join('|');
    };
    const QString start = g.snapshot().toLines().join('|');
    step([](Game& x) { startGame(x); });
    step([](Game& x) { x.setUncovered(1, true); });
    step([](Game& x) { x.strike(); });
    step([](Game& x) { x.award(game::Side::Left, 1); });
    step([](Game& x) { x.putUpCard(RoundKind::Normal, 2, card(QStringLiteral("P2")), {}); });
    QSignalSpy restored(&g, &Game::restored);

    for (int i = seen.size() - 2; i >= 0; --i) {
        QVERIFY(g.undo());
        QCOMPARE(g.snapshot().toLines().join('|'), seen[i]);
    }
    QVERIFY(g.undo());
    QCOMPARE(g.snapshot().toLines().join('|'), start);
    QVERIFY(!g.undo());
    QCOMPARE(restored.size(), seen.size());

    for (const QString& again : seen) {
        QVERIFY(g.redo());
        QCOMPARE(g.snapshot().toLines().join('|'), again);
    }
    QVERIFY(!g.redo());
    QCOMPARE(g.card().question, QStringLiteral("P2"));

    // A new command after an undo drops what could have been done again.
    QVERIFY(g.undo());
    step([](Game& x) { x.strike(); });
    QVERIFY(!g.canRedo());
}

void GameTest::undoKeepsThirtySteps() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    for (int i = 0; i < Game::kUndoSteps + 5; ++i) {
        const Game::Step s(g);
        g.setScores(i, std::nullopt);
    }
    int undone = 0;
    while (g.undo()) {
        ++undone;
    }
    QCOMPARE(undone, Game::kUndoSteps);
    QCOMPARE(g.leftScore(), 4);
}

void GameTest::aStepThatChangesNothingIsNoStep() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    {
        const Game::Step outer(g);
        const Game::Step inner(g);
        g.setCommandEnabled('s', true);
    }
    QVERIFY(!g.canUndo());
    {
        const Game::Step outer(g);
        {
            const Game::Step inner(g);
            g.strike();
        }
        g.strike();
    }
    QVERIFY(g.undo());
    QCOMPARE(g.state().StrikeCount, 0);
    QVERIFY(!g.canUndo());
}

// The operator's fast-money fields are typed, not played: undo and redo leave them as
// typed, and typing alone, even within a command, is no step.
void GameTest::typedFastMoneyIsNotUndone() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    {
        const Game::Step s(g);
        g.typeFastMoneyAnswer(1, QStringLiteral("Perro"));
        g.setFastMoneyPanelOpen(true);
    }
    QVERIFY(!g.canUndo());
    {
        const Game::Step s(g);
        g.showFastMoneyAnswer(1, g.typedAnswer(1));
        g.typeFastMoneyAnswer(2, QStringLiteral("Gato"));
    }
    g.typeFastMoneyScore(1, QStringLiteral("30"));
    const auto typed = [&g] {
        return QStringList{g.typedAnswer(1), g.typedAnswer(2), g.typedScore(1),
                           g.fastMoneyPanelOpen() ? QStringLiteral("open") : QString()};
    };
    const QStringList expected{QStringLiteral("Perro"), QStringLiteral("Gato"),
                               QStringLiteral("30"), QStringLiteral("open")};
    QVERIFY(g.undo());
    QCOMPARE(g.shownAnswer(1), QString());
    QCOMPARE(typed(), expected);
    QVERIFY(g.redo());
    QCOMPARE(g.shownAnswer(1), QStringLiteral("Perro"));
    QCOMPARE(typed(), expected);
}

// N is switched off while a strike picture is up but is not saved: a game put back has no
// picture up, so it comes back on, while the saved keys come back as they were.
void GameTest::commandsNotKeptComeBackOn() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    QVERIFY(g.commandEnabled('n'));
    g.setCommandEnabled('n', false);
    g.setCommandEnabled('x', false);
    QVERIFY(!g.commandEnabled('n'));
    const GameSnapshot saved = g.snapshot();
    QVERIFY(!saved.enabledKeys.contains('n'));
    g.restore(saved, g.card(), g.cardPath());
    QVERIFY(g.commandEnabled('n'));
    QVERIFY(!g.commandEnabled('x'));
}

QTEST_GUILESS_MAIN(GameTest)
#include "tst_game.moc"
