#include "game/FaceOff.h"

#include <algorithm>

namespace velta {

void FaceOff::arm() {
    if (phase_ == Phase::Closed) {
        phase_ = Phase::Armed;
    }
}

void FaceOff::clear() {
    phase_ = Phase::Closed;
    presses_.clear();
    locked_.clear();
    winner_.reset();
}

bool FaceOff::hasPressed(const QString& device) const {
    return std::any_of(presses_.begin(), presses_.end(),
                       [&device](const BuzzerPress& p) { return p.device == device; });
}

FaceOff::Outcome FaceOff::press(const BuzzerPress& press) {
    if (locked_.contains(press.device) || hasPressed(press.device)) {
        return Outcome::Ignored;
    }
    BuzzerPress kept = press;
    if (phase_ == Phase::Closed) {
        kept.falseStart = true;
        locked_.insert(press.device);
        presses_.prepend(kept);
        return Outcome::FalseStart;
    }
    kept.falseStart = false;
    if (phase_ == Phase::Decided) {
        presses_.append(kept);
        return Outcome::Counted;
    }
    // Kept in the order the presses were made, which a slow link may not deliver.
    const auto later =
        std::find_if(presses_.begin(), presses_.end(),
                     [&kept](const BuzzerPress& p) { return !p.falseStart && p.at > kept.at; });
    presses_.insert(later, kept);
    if (phase_ == Phase::Armed) {
        phase_ = Phase::FirstPress;
        return Outcome::First;
    }
    return Outcome::Counted;
}

void FaceOff::decide() {
    if (phase_ == Phase::FirstPress) {
        phase_ = Phase::Decided;
        const auto first = std::find_if(presses_.begin(), presses_.end(),
                                        [](const BuzzerPress& p) { return !p.falseStart; });
        winner_ = *first;
    }
}

double FaceOff::firstAt() const {
    const auto first = std::find_if(presses_.begin(), presses_.end(),
                                    [](const BuzzerPress& p) { return !p.falseStart; });
    return first == presses_.end() ? 0 : first->at;
}

}  // namespace velta
