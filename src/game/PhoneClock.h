#pragma once

#include <deque>

namespace velta {

// How a phone's clock stands against the program's steady clock, estimated from sync
// exchanges the way NTP does: the program sends its time, the phone answers at once with its
// own, and of the recent exchanges the one with the smallest round trip gives the offset,
// since the exchange that waited least in queues is the least blurred. What is left is half
// the difference between the link's two directions, which no round trip can see.
class PhoneClock {
  public:
    // Recent exchanges kept: four seconds while the buttons are armed. Older ones go, so the
    // estimate follows a link that changes and the drift of the phone's clock.
    static constexpr int kKept = 16;
    // A press cannot take longer to arrive than the link's smallest round trip plus this: it
    // covers the jitter of a busy Wi-Fi link. A press claiming an earlier time is taken at
    // that bound, so a forged time buys at most this much.
    static constexpr double kMarginMs = 50;

    // Times in milliseconds: `sentAt` and `receivedAt` of the program's clock, `phoneAt` the
    // phone's answer. An exchange that went back in time is ignored.
    void exchange(double sentAt, double phoneAt, double receivedAt);
    bool known() const { return !samples_.empty(); }
    double roundTrip() const;
    // The phone's clock minus the program's.
    double offset() const;
    // When the phone's press at `phoneTime` was made, on the program's clock, given when it
    // arrived: never after its arrival, never before the link could have carried it.
    double programTime(double phoneTime, double arrival) const;

  private:
    struct Sample {
        double roundTrip;
        double offset;
    };
    const Sample& best() const;
    std::deque<Sample> samples_;
};

}  // namespace velta
