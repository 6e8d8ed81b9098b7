#pragma once

#include <QStringList>

#include "editing/GameSettings.h"

namespace velta {

// Game versions: one whole set-up (title, its two colours, cover, team names, rounds folder)
// in a ".vlt" file of seven lines, so an operator switches between events in one step.

// The seven lines, all written, empty ones included; the title trimmed.
QStringList versionLines(const GameSettings& settings);

// A version's lines read over the settings in force. A missing or empty line keeps the
// current value and lines after the seventh are ignored. A path line may be relative to the
// program folder. A line that cannot be applied (a colour the table does not know, a cover
// that is no readable picture, a rounds folder that does not exist) keeps the current value
// and is named in `problems`.
GameSettings readVersion(const QStringList& lines, GameSettings current, QStringList* problems);

}  // namespace velta
