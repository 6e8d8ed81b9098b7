#include "game/PhoneClock.h"

#include <algorithm>
#include <cmath>

namespace velta {

void PhoneClock::exchange(double sentAt, double phoneAt, double receivedAt) {
    const double roundTrip = receivedAt - sentAt;
    if (!(roundTrip >= 0) || !std::isfinite(phoneAt)) {
        return;
    }
    samples_.push_back({roundTrip, phoneAt - (sentAt + receivedAt) / 2});
    if (samples_.size() > kKept) {
        samples_.pop_front();
    }
}

const PhoneClock::Sample& PhoneClock::best() const {
    return *std::min_element(
        samples_.begin(), samples_.end(),
        [](const Sample& a, const Sample& b) { return a.roundTrip < b.roundTrip; });
}

double PhoneClock::roundTrip() const {
    return known() ? best().roundTrip : 0;
}

double PhoneClock::offset() const {
    return known() ? best().offset : 0;
}

double PhoneClock::programTime(double phoneTime, double arrival) const {
    if (!known() || !std::isfinite(phoneTime)) {
        return arrival;
    }
    const Sample& b = best();
    const double earliest = arrival - b.roundTrip - kMarginMs;
    return std::clamp(phoneTime - b.offset, earliest, arrival);
}

}  // namespace velta
