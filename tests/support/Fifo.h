#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace velta::test {

// A fifo at `path`, watched: a reader that opened it is set free after `seconds` (it reads
// an empty file), so a test of code that must never open one ends either way and tells.
class Fifo {
  public:
    explicit Fifo(const QString& path, int seconds = 3);
    ~Fifo();
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;

    // Whether a reader opened the fifo and had to be set free.
    bool waitedOn() const { return waitedOn_; }

  private:
    QString path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> waitedOn_{false};
    std::thread watch_;
};

}  // namespace velta::test
