#include "platform/SteadyClock.h"

#include <QElapsedTimer>

namespace velta {

namespace {

std::function<qint64()>& clockSlot() {
    static std::function<qint64()> clock;
    return clock;
}

qint64 realNowMs() {
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

}  // namespace

qint64 steadyNowMs() {
    return clockSlot() ? clockSlot()() : realNowMs();
}

void setSteadyClock(std::function<qint64()> clock) {
    clockSlot() = std::move(clock);
}

}  // namespace velta
