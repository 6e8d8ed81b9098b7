#include "board/FastMoneyClock.h"

#include <QTimer>

namespace velta {

namespace {
// A timer may fire a little early; a tick this close to its second counts as on time.
constexpr qint64 kEarlyMs = 3;
}  // namespace

FastMoneyClock::FastMoneyClock(QTimer* timer, std::function<qint64()> now, QObject* parent)
    : QObject(parent), timer_(timer), now_(std::move(now)) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
}

void FastMoneyClock::start(int seconds) {
    value_ = seconds;
    if (running_) {
        return;
    }
    running_ = true;
    origin_ = now_();
    nextTick_ = 1;
    scheduleNext();
}

void FastMoneyClock::stop() {
    running_ = false;
    timer_->stop();
}

void FastMoneyClock::tick() {
    if (!running_) {
        return;
    }
    const qint64 elapsed = now_() - origin_;
    // Seconds that came while the program was busy are shown as one: the latest.
    int shown = -1;
    while (running_ && elapsed + kEarlyMs >= qint64(nextTick_) * 1000) {
        shown = value_;
        ++nextTick_;
        if (value_ == 0) {
            running_ = false;
        } else {
            --value_;
        }
    }
    if (shown >= 0) {
        Q_EMIT secondShown(shown);
        if (!running_) {
            timer_->stop();
            Q_EMIT finished();
            return;
        }
    }
    scheduleNext();
}

void FastMoneyClock::scheduleNext() {
    const qint64 due = origin_ + qint64(nextTick_) * 1000;
    timer_->start(int(qMax<qint64>(0, due - now_())));
}

}  // namespace velta
