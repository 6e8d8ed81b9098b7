#pragma once

#include <QJsonObject>

#include "editing/GameSettings.h"

namespace velta {

class Game;

// What the room's pages receive, as JSON objects. The audience state is made only from what
// the board shows the audience: an answer enters it once its row is uncovered, the question
// only while the board shows it, the pot and scores only while they are on the board. The
// host state carries the whole card, and the fast-money answers and points as the operator
// types them.
QJsonObject audienceState(const Game& game, const GameSettings& settings);
QJsonObject hostState(const Game& game, const GameSettings& settings);

// The members of `after` that are not in `before` or differ from it.
QJsonObject stateChanges(const QJsonObject& before, const QJsonObject& after);

}  // namespace velta
