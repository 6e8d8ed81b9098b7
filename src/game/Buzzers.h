#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>

#include "game/FaceOff.h"
#include "game/PhoneClock.h"

namespace velta {

// The face-off buzzers: the USB buttons that type a key and the phones of the room. Key L
// arms them for the card on the board and clears them again; a new card clears them too.
// A button's press counts at once; a phone's carries its own time, converted to the
// program's clock, and the decision waits until a press made earlier on any phone present
// would have arrived. Nothing here decides points: the operator plays the card as usual.
class Buzzers : public QObject {
    Q_OBJECT
  public:
    // How long the decision waits after the first press arrives, at least: a phone's press
    // made a little earlier than the first one that came in is still on its way over Wi-Fi.
    static constexpr double kCollectMs = 150;
    // However slow a phone's link, the board shows the winner by then.
    static constexpr double kLongestWaitMs = 600;
    // Sync exchanges with each phone: often while armed (this also keeps its Wi-Fi awake),
    // now and then otherwise.
    static constexpr int kArmedSyncMs = 250;
    static constexpr int kIdleSyncMs = 3000;

    static const QString kLeftButton;
    static const QString kRightButton;

    enum class Seat { Wait, Go, First, Locked };

    // `clock`: milliseconds of a steady clock; the program's own when none is given.
    explicit Buzzers(std::function<double()> clock = {}, QObject* parent = nullptr);

    double now() const { return clock_(); }
    const FaceOff& faceOff() const { return faceOff_; }
    bool armed() const { return faceOff_.phase() != FaceOff::Phase::Closed; }
    // Key L: arms the buttons, or clears them when they are armed.
    void toggle();
    void clear();

    // A USB button of a team (0 left, 1 right); only while armed.
    void pressButton(int team);

    // The phones present in the room; a phone's clock is kept while it reconnects.
    void phoneJoined(const QString& device);
    void phoneLeft(const QString& device);
    void phoneSynced(const QString& device, double sentAt, double phoneAt);
    void phonePressed(const QString& device, int team, const QString& player, double phoneTime);
    Seat seat(const QString& device) const;
    int syncIntervalMs() const { return armed() ? kArmedSyncMs : kIdleSyncMs; }

  Q_SIGNALS:
    // The phase or the presses changed.
    void changed();
    // The winner is known: faceOff().winner().
    void decided();

  private:
    void counted(FaceOff::Outcome outcome, double arrival);
    double deadline(double firstArrival) const;
    void decideWhenDue();
    void decide();

    std::function<double()> clock_;
    FaceOff faceOff_;
    QHash<QString, PhoneClock> clocks_;
    QSet<QString> present_;
    QTimer collection_;
    double firstArrival_ = 0;
};

}  // namespace velta
