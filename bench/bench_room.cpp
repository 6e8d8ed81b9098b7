// What the room costs the show, with 200 devices on loopback in a child process of this
// program:
//   room_update_p99_ms   a key on the board until every one of the 200 audience sockets
//                        holds the change (99th percentile over S and 1 in turn)
//   cmd_s_room_ms        the handling of S with the 200 devices following (median), beside
//   cmd_s_ms             the same without the room open
//   room_rss_mb          the program's resident memory with the 200 devices, beside
//   room_rss_before_mb   its memory before the room opened

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QWebSocket>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "BoardFixture.h"
#include "board/Uvelta.h"
#include "editing/SettingsStore.h"
#include "room/Room.h"

namespace {

using namespace velta;
using namespace velta::bench;

constexpr int kDevices = 200;
constexpr int kKeys = 200;
constexpr int kWaitMs = 30000;

// The devices: each counts the messages it has; whenever the fewest any of them holds grows,
// that count is printed.
int runDevices(const QUrl& url) {
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    std::vector<int> counts(kDevices, 0);
    int shown = 0;
    const auto check = [&] {
        const int fewest = *std::min_element(counts.begin(), counts.end());
        if (fewest > shown) {
            shown = fewest;
            std::printf("%d\n", shown);
            std::fflush(stdout);
        }
    };
    for (int i = 0; i < kDevices; ++i) {
        sockets.push_back(std::make_unique<QWebSocket>());
        QObject::connect(sockets.back().get(), &QWebSocket::textMessageReceived,
                         [&counts, &check, i] {
                             ++counts[i];
                             check();
                         });
        QObject::connect(sockets.back().get(), &QWebSocket::disconnected,
                         [] { QCoreApplication::exit(0); });
        sockets.back()->open(url);
    }
    return QCoreApplication::exec();
}

double keyMs(const test::BoardFixture& f, char key) {
    QElapsedTimer t;
    t.start();
    f.press(key);
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--devices") {
        QCoreApplication app(argc, argv);
        return runDevices(QUrl(QString::fromLatin1(argv[2])));
    }
    QApplication app(argc, argv);
    test::BoardFixture f(60);
    if (!f.start()) {
        std::fprintf(stderr, "the board did not start\n");
        return 1;
    }
    std::vector<double> plain;
    for (int i = 0; i < 50; ++i) {
        plain.push_back(keyMs(f, 's'));
        QCoreApplication::processEvents();
    }
    const double rssBefore = rssMb();

    RoomSettings settings;
    settings.port = 0;
    f.board->settingsStore().setRoom(settings);
    Room room(f.board->game(), f.board->settingsStore(), f.board->buzzers());
    room.setListenAddress(QHostAddress::LocalHost);
    if (!room.open()) {
        std::fprintf(stderr, "the room did not open\n");
        return 1;
    }
    QProcess devices;
    devices.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--devices"),
         QStringLiteral("ws://127.0.0.1:%1/enlace?codigo=%2").arg(room.port()).arg(room.code())});
    int held = 0;
    const auto waitFor = [&](int count) {
        return runEventsUntil(kWaitMs, [&] {
            while (devices.canReadLine()) {
                held = devices.readLine().trimmed().toInt();
            }
            return held >= count;
        });
    };
    if (!waitFor(1)) {
        std::fprintf(stderr, "the devices did not connect\n");
        return 1;
    }
    std::vector<double> updates;
    std::vector<double> withRoom;
    for (int i = 0; i < kKeys; ++i) {
        const char key = i % 2 == 0 ? 's' : '1';
        QElapsedTimer t;
        t.start();
        const double handled = keyMs(f, key);
        if (key == 's') {
            withRoom.push_back(handled);
        }
        if (!waitFor(held + 1)) {
            std::fprintf(stderr, "the devices missed a change\n");
            return 1;
        }
        updates.push_back(t.nsecsElapsed() / 1e6);
    }
    const double rssWith = rssMb();
    room.close();
    devices.waitForFinished(5000);

    print("room_update_p99_ms", percentile(updates, 0.99), "ms");
    print("room_update_median_ms", median(updates), "ms");
    print("cmd_s_ms", median(plain), "ms");
    print("cmd_s_room_ms", median(withRoom), "ms");
    print("room_rss_before_mb", rssBefore, "MB");
    print("room_rss_mb", rssWith, "MB");
    return 0;
}
