#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace velta {

// One press of a face-off buzzer. `at`: when it was made, in milliseconds of the program's
// steady clock (a phone's own time already converted).
struct BuzzerPress {
    QString device;
    int team = 0;  // 0 the left team, 1 the right
    QString player;
    double at = 0;
    bool falseStart = false;
};

// The face-off's rules: closed, armed, the first press in (the others are still collected),
// decided. A press while closed is a false start and locks its device out until the
// face-off is cleared; each device counts once. The earliest press wins, whatever the order
// the presses came in.
class FaceOff {
  public:
    enum class Phase { Closed, Armed, FirstPress, Decided };
    enum class Outcome { FalseStart, Counted, First, Ignored };

    Phase phase() const { return phase_; }
    void arm();
    // Back to closed, with every press and lock forgotten.
    void clear();
    Outcome press(const BuzzerPress& press);
    // The collection ends: the earliest press wins.
    void decide();

    // Fixed when decided: a press that comes in later changes nothing.
    const std::optional<BuzzerPress>& winner() const { return winner_; }
    // Every press of this face-off: false starts first, then by the time it was made, then
    // those that came in after the decision.
    const QList<BuzzerPress>& presses() const { return presses_; }
    bool lockedOut(const QString& device) const { return locked_.contains(device); }
    bool hasPressed(const QString& device) const;
    // The time of the first counted press; 0 while there is none.
    double firstAt() const;

  private:
    Phase phase_ = Phase::Closed;
    QList<BuzzerPress> presses_;
    QSet<QString> locked_;
    std::optional<BuzzerPress> winner_;
};

}  // namespace velta
