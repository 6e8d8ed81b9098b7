#include "game/Buzzers.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>

namespace velta {

namespace {

double programClock() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The clocks of phones gone for good are let go once there are this many.
constexpr int kClocksKept = 1000;

}  // namespace

const QString Buzzers::kLeftButton = QStringLiteral("botón izquierdo");
const QString Buzzers::kRightButton = QStringLiteral("botón derecho");

Buzzers::Buzzers(std::function<double()> clock, QObject* parent)
    : QObject(parent), clock_(clock ? std::move(clock) : programClock) {
    collection_.setSingleShot(true);
    collection_.setTimerType(Qt::PreciseTimer);
    connect(&collection_, &QTimer::timeout, this, &Buzzers::decide);
}

void Buzzers::toggle() {
    if (armed()) {
        clear();
        return;
    }
    faceOff_.arm();
    Q_EMIT changed();
}

void Buzzers::clear() {
    // A new card with the buttons already off and nothing pressed changes nothing.
    if (!armed() && faceOff_.presses().isEmpty()) {
        return;
    }
    collection_.stop();
    faceOff_.clear();
    Q_EMIT changed();
}

void Buzzers::pressButton(int team) {
    if (!armed()) {
        return;
    }
    const double at = now();
    counted(faceOff_.press({team == 0 ? kLeftButton : kRightButton, team, QString(), at, false}),
            at);
}

void Buzzers::phoneJoined(const QString& device) {
    present_.insert(device);
    if (clocks_.size() > kClocksKept) {
        for (auto it = clocks_.begin(); it != clocks_.end();) {
            it = present_.contains(it.key()) ? std::next(it) : clocks_.erase(it);
        }
    }
}

void Buzzers::phoneLeft(const QString& device) {
    present_.remove(device);
    if (faceOff_.phase() == FaceOff::Phase::FirstPress) {
        decideWhenDue();
    }
}

void Buzzers::phoneSynced(const QString& device, double sentAt, double phoneAt) {
    clocks_[device].exchange(sentAt, phoneAt, now());
}

void Buzzers::phonePressed(const QString& device, int team, const QString& player,
                           double phoneTime) {
    const double arrival = now();
    const auto clock = clocks_.constFind(device);
    const double at =
        clock == clocks_.constEnd() ? arrival : clock->programTime(phoneTime, arrival);
    counted(faceOff_.press({device, team, player, at, false}), arrival);
}

Buzzers::Seat Buzzers::seat(const QString& device) const {
    if (faceOff_.lockedOut(device)) {
        return Seat::Locked;
    }
    const auto& winner = faceOff_.winner();
    if (winner && winner->device == device) {
        return Seat::First;
    }
    const auto phase = faceOff_.phase();
    const bool open = phase == FaceOff::Phase::Armed || phase == FaceOff::Phase::FirstPress;
    return open && !faceOff_.hasPressed(device) ? Seat::Go : Seat::Wait;
}

void Buzzers::counted(FaceOff::Outcome outcome, double arrival) {
    if (outcome == FaceOff::Outcome::Ignored) {
        return;
    }
    if (outcome == FaceOff::Outcome::First) {
        firstArrival_ = arrival;
    }
    Q_EMIT changed();
    if (faceOff_.phase() == FaceOff::Phase::FirstPress) {
        decideWhenDue();
    }
}

// A phone's press made before the first one can still be on its way for as long as its link
// may take (PhoneClock's bound); a button's press would already be here.
double Buzzers::deadline(double firstArrival) const {
    double due = firstArrival + kCollectMs;
    const double firstAt = faceOff_.firstAt();
    for (const QString& device : present_) {
        const auto clock = clocks_.constFind(device);
        if (clock != clocks_.constEnd() && clock->known()) {
            due = std::max(due, firstAt + clock->roundTrip() + PhoneClock::kMarginMs);
        }
    }
    return std::min(due, firstArrival + kLongestWaitMs);
}

void Buzzers::decideWhenDue() {
    const bool waiting = std::any_of(present_.begin(), present_.end(), [this](const QString& d) {
        return !faceOff_.lockedOut(d) && !faceOff_.hasPressed(d);
    });
    const double left = deadline(firstArrival_) - now();
    if (!waiting || left <= 0) {
        decide();
        return;
    }
    collection_.start(static_cast<int>(std::ceil(left)));
}

void Buzzers::decide() {
    collection_.stop();
    if (faceOff_.phase() != FaceOff::Phase::FirstPress) {
        return;
    }
    faceOff_.decide();
    Q_EMIT changed();
    Q_EMIT decided();
}

}  // namespace velta
