// The face-off buttons, timed and judged:
//   buzzer_key_to_board_ms    a USB button's key press until the board shows the winner
//                             (median and slowest of 50)
//   buzzer_phone_to_board_ms  a phone's press on loopback until the board shows the winner,
//                             with a second phone present that does not press, so the
//                             collection window is waited out (median of 20)
//   buzzer_fair_pct           100 face-offs of two simulated phones on loopback whose links
//                             have one-way delays from 5 to 250 ms, up and down differing by
//                             up to a tenth, each message with ±20 ms of jitter, the true
//                             presses 40 ms apart in random order: how often the true first
//                             press wins
//   buzzer_arrival_pct        the same face-offs judged by the order the presses arrived

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTimer>
#include <QWebSocket>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "BoardFixture.h"
#include "board/Uvelta.h"
#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "room/Room.h"

namespace {

using namespace velta;
using namespace velta::bench;

constexpr int kFaceOffs = 100;
constexpr double kPressesApartMs = 40;
constexpr double kJitterMs = 20;
constexpr int kWaitMs = 10000;

// One direction of a link: it keeps its messages in order, however each is delayed, as
// TCP does; returns the delay the message gets.
class Direction {
  public:
    Direction() {
        clock_.start();
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { deliver(); });
    }
    int carry(int delayMs, std::function<void()> message) {
        const qint64 now = clock_.nsecsElapsed();
        const qint64 due = std::max(lastDue_, now + qint64(delayMs) * 1000000);
        lastDue_ = due;
        queue_.push_back({due, std::move(message)});
        if (!timer_.isActive()) {
            timer_.start(int((queue_.front().first - now) / 1000000));
        }
        return int((due - now) / 1000000);
    }

  private:
    void deliver() {
        while (!queue_.empty() && queue_.front().first <= clock_.nsecsElapsed() + 500000) {
            auto message = std::move(queue_.front().second);
            queue_.pop_front();
            message();
        }
        if (!queue_.empty()) {
            timer_.start(
                std::max<qint64>(0, (queue_.front().first - clock_.nsecsElapsed()) / 1000000));
        }
    }
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 lastDue_ = 0;
    std::deque<std::pair<qint64, std::function<void()>>> queue_;
};

// A phone on a link with the given one-way delays, running a clock of its own.
class Phone {
  public:
    Phone(const QUrl& url, double up, double down, double jitter, std::mt19937& random)
        : upMs_(up),
          downMs_(down),
          jitter_(jitter),
          random_(random),
          offset_(std::uniform_real_distribution<double>(-1e6, 1e6)(random)) {
        clock_.start();
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& m) {
            down_.carry(delay(downMs_), [this, m] { heard(m); });
        });
        socket_.open(url);
    }
    void send(const QJsonObject& message) {
        const QString text =
            QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
        lastUp_ = up_.carry(delay(upMs_), [this, text] { socket_.sendTextMessage(text); });
    }
    // Presses now; the time the press will take to arrive is lastUp().
    void press() { send({{"type", "press"}, {"t", now()}}); }
    int lastUp() const { return lastUp_; }
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    const QString& state() const { return state_; }

  private:
    double now() const { return clock_.nsecsElapsed() / 1e6 + offset_; }
    int delay(double base) {
        const double d = base + std::uniform_real_distribution<double>(-jitter_, jitter_)(random_);
        return std::max(1, static_cast<int>(std::lround(d)));
    }
    void heard(const QString& text) {
        const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
        const QString type = m.value(QStringLiteral("type")).toString();
        if (type == QLatin1String("sync")) {
            send({{"type", "sync"}, {"s", m.value(QStringLiteral("s"))}, {"p", now()}});
        } else if (type == QLatin1String("seat")) {
            // Seated once the program says which team.
            state_ = m.value(QStringLiteral("team")).isNull()
                         ? QString()
                         : m.value(QStringLiteral("state")).toString();
        }
    }

    QWebSocket socket_;
    QElapsedTimer clock_;
    double upMs_;
    double downMs_;
    double jitter_;
    std::mt19937& random_;
    double offset_;
    int lastUp_ = 0;
    Direction up_;
    Direction down_;
    QString state_;
};

QUrl phoneLink(const Room& room, int seat) {
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/enlace?codigo=%2&puesto=p%3")
                    .arg(room.port())
                    .arg(room.code())
                    .arg(seat));
}

bool winnerShown(const test::BoardFixture& f) {
    const auto* flash = f.board->findChild<QLabel*>(QStringLiteral("LabelPulsador"));
    return flash && flash->isVisible();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    test::BoardFixture f(5);
    if (!f.start()) {
        std::fprintf(stderr, "the board did not start\n");
        return 1;
    }
    Buzzers& buzzers = f.board->buzzers();
    f.press('s');
    QElapsedTimer shown;
    QObject::connect(&buzzers, &Buzzers::decided, [&] {
        if (winnerShown(f)) {
            shown.start();
        }
    });

    std::vector<double> keyToBoard;
    for (int i = 0; i < 50; ++i) {
        f.press('l');
        QElapsedTimer t;
        t.start();
        QTest::keyClick(f.board.get(), Qt::Key_Q);
        if (!winnerShown(f)) {
            std::fprintf(stderr, "the button's press was not shown\n");
            return 1;
        }
        keyToBoard.push_back(t.nsecsElapsed() / 1e6);
        f.press('l');
        QCoreApplication::processEvents();
    }

    RoomSettings settings;
    settings.port = 0;
    f.board->settingsStore().setRoom(settings);
    Room room(f.board->game(), f.board->settingsStore(), buzzers);
    room.setListenAddress(QHostAddress::LocalHost);
    if (!room.open()) {
        std::fprintf(stderr, "the room did not open\n");
        return 1;
    }
    std::mt19937 random(20261209);
    int seat = 0;
    const auto seated = [&](const double(&up)[2], const double(&down)[2], double jitter) {
        std::vector<std::unique_ptr<Phone>> phones;
        for (int p = 0; p < 2; ++p) {
            phones.push_back(
                std::make_unique<Phone>(phoneLink(room, ++seat), up[p], down[p], jitter, random));
        }
        if (!runEventsUntil(kWaitMs,
                            [&] { return phones[0]->connected() && phones[1]->connected(); })) {
            return std::vector<std::unique_ptr<Phone>>();
        }
        for (int team = 0; team < 2; ++team) {
            phones[team]->send({{"type", "seat"}, {"team", team}, {"name", "Jugador"}});
        }
        const bool ready = runEventsUntil(kWaitMs, [&] {
            return !phones[0]->state().isEmpty() && !phones[1]->state().isEmpty();
        });
        return ready ? std::move(phones) : std::vector<std::unique_ptr<Phone>>();
    };

    std::vector<double> phoneToBoard;
    for (int i = 0; i < 20; ++i) {
        auto phones = seated({0, 0}, {0, 0}, 0);
        if (phones.empty()) {
            std::fprintf(stderr, "the phones did not take their seats\n");
            return 1;
        }
        f.press('l');
        runEventsUntil(600, [] { return false; });
        QElapsedTimer t;
        t.start();
        phones[0]->press();
        if (!runEventsUntil(kWaitMs, [&] { return buzzers.faceOff().winner().has_value(); })) {
            std::fprintf(stderr, "the phone's press was not decided\n");
            return 1;
        }
        phoneToBoard.push_back((t.nsecsElapsed() - shown.nsecsElapsed()) / 1e6);
        f.press('l');
    }

    int fair = 0;
    int byArrival = 0;
    std::uniform_real_distribution<double> base(5, 250);
    std::uniform_real_distribution<double> skew(-0.1, 0.1);
    for (int i = 0; i < kFaceOffs; ++i) {
        double up[2];
        double down[2];
        for (int p = 0; p < 2; ++p) {
            const double b = base(random);
            const double s = skew(random);
            up[p] = b * (1 + s);
            down[p] = b * (1 - s);
        }
        auto phones = seated(up, down, kJitterMs);
        if (phones.empty()) {
            std::fprintf(stderr, "the phones did not take their seats\n");
            return 1;
        }
        f.press('l');
        // A second of syncs, as a host takes to read the question.
        runEventsUntil(1000, [] { return false; });
        const int first = static_cast<int>(random() % 2);
        QElapsedTimer t;
        t.start();
        phones[first]->press();
        const int firstArrives = phones[first]->lastUp();
        runEventsUntil(static_cast<int>(kPressesApartMs),
                       [&] { return t.nsecsElapsed() / 1e6 >= kPressesApartMs; });
        phones[1 - first]->press();
        const int secondArrives =
            static_cast<int>(t.nsecsElapsed() / 1e6) + phones[1 - first]->lastUp();
        if (!runEventsUntil(kWaitMs, [&] { return buzzers.faceOff().winner().has_value(); })) {
            std::fprintf(stderr, "face-off %d was not decided\n", i);
            return 1;
        }
        const int winner = buzzers.faceOff().winner()->team;
        fair += winner == first ? 1 : 0;
        byArrival += firstArrives <= secondArrives ? 1 : 0;
        f.press('l');
    }
    room.close();

    print("buzzer_key_to_board_ms", median(keyToBoard), "ms");
    print("buzzer_key_to_board_max_ms", percentile(keyToBoard, 1.0), "ms");
    print("buzzer_phone_to_board_ms", median(phoneToBoard), "ms");
    print("buzzer_fair_pct", 100.0 * fair / kFaceOffs, "%");
    print("buzzer_arrival_pct", 100.0 * byArrival / kFaceOffs, "%");
    return 0;
}
