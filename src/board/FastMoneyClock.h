#pragma once

#include <QObject>
#include <functional>

class QTimer;

namespace velta {

// The fast-money clock, a stage clock: it shows the seconds left once a second, counted
// from the press, so twenty seconds are twenty seconds whatever the load (a late tick
// never pushes the next one back). "Tiempo" while it runs sets the seconds again in the
// running rhythm. It has a count of its own: the timed question's never touches it.
class FastMoneyClock : public QObject {
    Q_OBJECT
  public:
    // `timer` is the board's clock timer; `now` gives milliseconds of a steady clock (tests
    // give their own).
    FastMoneyClock(QTimer* timer, std::function<qint64()> now, QObject* parent);

    void start(int seconds);
    void stop();
    bool running() const { return running_; }
    // The timer's tick: shows the second that is due, or ends the count at 0.
    void tick();

  Q_SIGNALS:
    // A second's value to show; "0" comes with finished() right after.
    void secondShown(int seconds);
    void finished();

  private:
    void scheduleNext();

    QTimer* timer_;
    std::function<qint64()> now_;
    bool running_ = false;
    qint64 origin_ = 0;  // when the count started
    int nextTick_ = 1;   // the tick due next, in seconds after origin_
    int value_ = 0;      // what the next tick shows
};

}  // namespace velta
