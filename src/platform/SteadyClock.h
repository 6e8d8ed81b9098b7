#pragma once

#include <QtGlobal>
#include <functional>

namespace velta {

// Milliseconds of a steady clock (it never jumps with the wall clock): what the stage clocks
// count by. Tests set a clock of their own and move it by hand.
qint64 steadyNowMs();
// Null gives back the real clock.
void setSteadyClock(std::function<qint64()> clock);

}  // namespace velta
