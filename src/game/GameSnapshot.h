#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "game/GameState.h"

namespace velta {

// The game in progress as the audience and the operator see it, kept on disk so a show
// picks up where it was after a crash or a power cut. Settings are not in it: they are
// files of their own.
struct GameSnapshot {
    bool gameView = false;   // the game, not the cover, on the board
    bool extraCard = false;  // the card on the board is a tie-breaker
    int cardNumber = 0;      // 0: no card put up yet
    GameState state;         // its countdown is not kept: a restored game is never mid-countdown
    std::array<bool, 5> uncovered{};
    QString pot = QStringLiteral("00");
    QString leftScore = QStringLiteral("00");
    QString rightScore = QStringLiteral("00");
    QString lastAward = QStringLiteral("0");
    QString lastSide;  // "EIzq", "EDer" or empty
    // The command keys whose enabled state the game changes, enabled or not.
    QString enabledKeys = QStringLiteral("sfzcx345");
    // Fast money: the operator's fields, the board's, and whether the panels show.
    std::array<QString, 10> fastAnswers;
    std::array<QString, 10> fastScores;
    std::array<QString, 10> shownAnswers;
    std::array<QString, 10> shownScores;
    int highestScoreShown = 0;
    bool fastMoneyOpen = false;
    bool fastMoneyBoardShown = false;

    // Equal when they would be kept as the same lines (the countdown is not kept).
    bool operator==(const GameSnapshot& other) const;

    // One "name=value" line per value, in a fixed order.
    QStringList toLines() const;
    // Nothing when the lines are not a snapshot of this program; `problem` then says why.
    static std::optional<GameSnapshot> fromLines(const QStringList& lines, QString* problem);
};

}  // namespace velta
