#include "Fifo.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <chrono>

namespace velta::test {

Fifo::Fifo(const QString& path, int seconds) : path_(path) {
    const QByteArray name = QFile::encodeName(path);
    if (mkfifo(name.constData(), 0644) != 0) {
        qFatal("Cannot make the fifo %s", name.constData());
    }
    watch_ = std::thread([this, name, seconds] {
        const auto freeAt = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() < freeAt) {
                continue;
            }
            // Opens at once only while a reader holds the other end.
            const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                waitedOn_ = true;
                ::close(writer);
            }
        }
    });
}

Fifo::~Fifo() {
    stop_ = true;
    watch_.join();
    QFile::remove(path_);
}

}  // namespace velta::test
