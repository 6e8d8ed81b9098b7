#pragma once

#include <QTimer>

namespace velta {

// The board's timers keep the rules of the window definitions: a timer restarts only when
// its interval changes or it was off, so a second strike within a second never stretches
// the picture, and switching on a running timer leaves its rhythm alone.
inline void setTimerInterval(QTimer* timer, int interval) {
    if (timer->interval() != interval) {
        timer->setInterval(interval);
        if (timer->isActive()) {
            timer->start();
        }
    }
}

inline void switchOn(QTimer* timer) {
    if (!timer->isActive()) {
        timer->start();
    }
}

}  // namespace velta
