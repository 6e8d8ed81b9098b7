#include "room/RoomState.h"

#include <QJsonArray>

#include "editing/Colours.h"
#include "game/Game.h"

namespace velta {

namespace {

QString colourOf(const QString& name, const char* fallback) {
    const auto c = lookupColour(name);
    return c && c->colour.isValid() ? c->colour.name() : QString::fromLatin1(fallback);
}

int multiplierOf(const GameState& s) {
    return s.TriplePoints ? 3 : s.DoublePoints ? 2 : 1;
}

QString viewOf(const Game& game) {
    if (game.fastMoneyBoardShown()) {
        return QStringLiteral("fastMoney");
    }
    return game.gameView() ? QStringLiteral("game") : QStringLiteral("cover");
}

// What every page shows alike: the title, the board's colours, the team names, the view,
// strikes, multiplier, clock and the fast-money board.
QJsonObject common(const Game& game, const GameSettings& settings) {
    QJsonArray answers;
    QJsonArray scores;
    for (int slot = 1; slot <= 10; ++slot) {
        answers.append(game.shownAnswer(slot));
        scores.append(game.shownScore(slot));
    }
    return {
        {QStringLiteral("title"), settings.title.trimmed()},
        {QStringLiteral("titleColour"), colourOf(settings.titleColour, "#ffd84a")},
        {QStringLiteral("background"), colourOf(settings.backgroundColour, "#0b1640")},
        {QStringLiteral("teams"), QJsonArray{settings.leftTeamName, settings.rightTeamName}},
        {QStringLiteral("view"), viewOf(game)},
        {QStringLiteral("strikes"), game.state().StrikeCount},
        {QStringLiteral("multiplier"), multiplierOf(game.state())},
        {QStringLiteral("countdown"), game.state().CountdownValue},
        {QStringLiteral("fastMoney"),
         QJsonObject{{QStringLiteral("answers"), answers}, {QStringLiteral("scores"), scores}}},
    };
}

QJsonArray scoresOf(const Game& game) {
    return {Game::shown(game.leftScore()), Game::shown(game.rightScore())};
}

}  // namespace

QJsonObject audienceState(const Game& game, const GameSettings& settings) {
    QJsonObject state = common(game, settings);
    const bool onBoard = game.hasCard() && game.gameView();
    state.insert(QStringLiteral("question"),
                 onBoard && !settings.hideQuestion ? game.card().question : QString());
    QJsonArray rows;
    for (int row = 1; row <= 5; ++row) {
        const auto [text, points] = game.rowAnswer(row);
        if (!onBoard || text.isEmpty()) {
            rows.append(QJsonObject{{QStringLiteral("state"), QStringLiteral("blank")}});
        } else if (!game.uncovered(row)) {
            rows.append(QJsonObject{{QStringLiteral("state"), QStringLiteral("covered")}});
        } else {
            rows.append(QJsonObject{{QStringLiteral("state"), QStringLiteral("open")},
                                    {QStringLiteral("text"), text},
                                    {QStringLiteral("points"), points}});
        }
    }
    state.insert(QStringLiteral("rows"), rows);
    // Null while hidden, so a page drops what it showed before the option was set.
    state.insert(QStringLiteral("pot"),
                 settings.hideScores ? QJsonValue() : Game::shown(game.pot()));
    state.insert(QStringLiteral("scores"),
                 settings.hideScores ? QJsonValue() : QJsonValue(scoresOf(game)));
    return state;
}

QJsonObject hostState(const Game& game, const GameSettings& settings) {
    QJsonObject state = common(game, settings);
    state.insert(QStringLiteral("question"), game.hasCard() ? game.card().question : QString());
    state.insert(QStringLiteral("card"), game.cardNumber());
    QJsonArray rows;
    for (int row = 1; row <= 5; ++row) {
        const auto [text, points] = game.rowAnswer(row);
        rows.append(QJsonObject{{QStringLiteral("text"), text},
                                {QStringLiteral("points"), points},
                                {QStringLiteral("open"), game.hasCard() && game.uncovered(row)}});
    }
    state.insert(QStringLiteral("rows"), rows);
    state.insert(QStringLiteral("pot"), Game::shown(game.pot()));
    state.insert(QStringLiteral("scores"), scoresOf(game));
    QJsonArray typedAnswers;
    QJsonArray typedScores;
    for (int slot = 1; slot <= 10; ++slot) {
        typedAnswers.append(game.typedAnswer(slot));
        typedScores.append(game.typedScore(slot));
    }
    state.insert(QStringLiteral("typed"), QJsonObject{{QStringLiteral("answers"), typedAnswers},
                                                      {QStringLiteral("scores"), typedScores}});
    return state;
}

QJsonObject stateChanges(const QJsonObject& before, const QJsonObject& after) {
    QJsonObject changes;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (before.value(it.key()) != it.value()) {
            changes.insert(it.key(), it.value());
        }
    }
    return changes;
}

}  // namespace velta
