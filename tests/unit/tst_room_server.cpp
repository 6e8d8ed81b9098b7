// The room served for real on 127.0.0.1, with Qt's own HTTP and WebSocket clients: the
// pages and what is refused, the live link with its whole state and changes, the code and
// the wait, every limit, reconnecting, another port when the wanted one is taken, and
// closing.
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QWebSocket>
#include <QtTest>
#include <memory>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "game/Game.h"
#include "room/Room.h"
#include "sound/Sound.h"

using namespace velta;
using velta::test::columns;

namespace {

constexpr int kWaitMs = 5000;

RoundCard fruitCard() {
    return {QStringLiteral("Una fruta de verano"),
            {QStringLiteral("Manzana,40"), QStringLiteral("Pera,30"), QStringLiteral("Uva,20"),
             QStringLiteral("Melón,10"), QString()}};
}

// A page's live link, keeping every message it receives.
struct Device {
    QWebSocket socket;
    QStringList messages;
    int closeCode = -1;
    QString closeReason;
    bool closed = false;

    explicit Device(const QUrl& url) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString& m) { messages << m; });
        QObject::connect(&socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error),
                         [this] { closed = true; });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] {
            closed = true;
            closeCode = socket.closeCode();
            closeReason = socket.closeReason();
        });
        socket.open(url);
    }
    QString all() const { return messages.join(QLatin1Char('\n')); }
    // The messages of one type, as objects.
    QList<QJsonObject> ofType(const char* type) const {
        QList<QJsonObject> found;
        for (const QString& m : messages) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.value(QStringLiteral("type")).toString() == QLatin1String(type)) {
                found << o;
            }
        }
        return found;
    }
};

// An answer read off the wire, for requests written exactly as given (Qt's own client
// would tidy the path first).
struct RawReply {
    int status = 0;
    QByteArray head;
    QByteArray body;

    QByteArray header(const QByteArray& name) const {
        for (const QByteArray& line : head.split('\n')) {
            const int colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower()) {
                return line.mid(colon + 1).trimmed();
            }
        }
        return {};
    }
};

RawReply rawRequest(quint16 port, const QByteArray& method, const QByteArray& target) {
    QTcpSocket socket;
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    RawReply reply;
    const auto complete = [&] {
        const int end = received.indexOf("\r\n\r\n");
        if (end < 0) {
            return false;
        }
        reply.head = received.left(end);
        reply.body = received.mid(end + 4);
        return reply.body.size() >= reply.header("Content-Length").toInt();
    };
    if (QTest::qWaitFor(complete, kWaitMs)) {
        reply.status = reply.head.split(' ').value(1).toInt();
    }
    return reply;
}

}  // namespace

class RoomServerTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void pagesAndWhatIsRefused_data();
    void pagesAndWhatIsRefused();
    void effectsAndWhatIsRefused_data();
    void effectsAndWhatIsRefused();
    void liveStateAndChanges();
    void boardMomentsReachTheAudienceOnce();
    void socketsNeedTheCode();
    void badInputIsLeftUnanswered();
    void limitsCloseTheSocket_data();
    void limitsCloseTheSocket();
    void connectionLimit();
    void reconnectCatchesUp();
    void phonesTakeASeatAndPress();
    void aStuckDeviceIsDropped();
    void halfOpenConnectionsAreClosed();
    void anotherPortWhenTaken();
    void closingClosesEverything();

  private:
    QUrl link(const QString& query) const {
        return QUrl(QStringLiteral("ws://127.0.0.1:%1/enlace?%2").arg(room_->port()).arg(query));
    }
    QUrl audienceLink() const { return link(QStringLiteral("codigo=") + room_->code()); }
    QUrl hostLink() const { return link(QStringLiteral("clave=") + room_->hostSecret()); }
    std::unique_ptr<Device> connected(const QUrl& url) {
        auto d = std::make_unique<Device>(url);
        if (!QTest::qWaitFor([&] { return !d->messages.isEmpty() || d->closed; }, kWaitMs)) {
            return {};
        }
        return d;
    }

    std::unique_ptr<test::TempProgramFolder> folder_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Buzzers> buzzers_;
    std::unique_ptr<Room> room_;
};

void RoomServerTest::init() {
    folder_ = std::make_unique<test::TempProgramFolder>();
    store_ = std::make_unique<SettingsStore>();
    store_->load();
    RoomSettings s;
    s.port = 0;  // any free port
    store_->setRoom(s);
    game_ = std::make_unique<Game>(QStringLiteral("asfzcx345"), QStringLiteral("sfzcx345"));
    game_->putUpCard(RoundKind::Normal, 3, fruitCard(), QStringLiteral("r3"));
    game_->setGameView(true);
    buzzers_ = std::make_unique<Buzzers>();
    room_ = std::make_unique<Room>(*game_, *store_, *buzzers_);
    room_->setListenAddress(QHostAddress::LocalHost);
    QVERIFY(room_->open());
}

void RoomServerTest::cleanup() {
    room_.reset();
    buzzers_.reset();
    game_.reset();
    store_.reset();
    folder_.reset();
}

void RoomServerTest::pagesAndWhatIsRefused_data() {
    columns<QByteArray, QString, int>("method", "path", "status");
    const auto row = [](const char* name, const char* method, const char* path, int status) {
        QTest::newRow(name) << QByteArray(method) << QString::fromLatin1(path) << status;
    };
    row("join", "GET", "/", 200);
    row("script", "GET", "/sala.js", 200);
    row("style", "GET", "/sala.css", 200);
    row("board with code", "GET", "/tablero?codigo=CODE", 200);
    row("board without code", "GET", "/tablero", 403);
    row("board wrong code", "GET", "/tablero?codigo=000000x", 403);
    row("buzzer with code", "GET", "/pulsador?codigo=CODE", 200);
    row("buzzer without code", "GET", "/pulsador", 403);
    row("host with secret", "GET", "/presentador?clave=SECRET", 200);
    row("host with room code", "GET", "/presentador?clave=CODE", 403);
    row("host with codigo", "GET", "/presentador?codigo=CODE", 403);
    row("a file", "GET", "/index.html", 404);
    row("up the tree", "GET", "/../../etc/passwd", 404);
    row("resource path", "GET", "/:/sala/tablero.html", 404);
    row("post", "POST", "/", 405);
    row("put", "PUT", "/tablero?codigo=CODE", 405);
    row("delete", "DELETE", "/sala.js", 405);
}

void RoomServerTest::pagesAndWhatIsRefused() {
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(int, status);
    path.replace(QStringLiteral("CODE"), room_->code());
    path.replace(QStringLiteral("SECRET"), room_->hostSecret());
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(room_->port()) + path));
    request.setTransferTimeout(kWaitMs);
    std::unique_ptr<QNetworkReply> reply(
        manager.sendCustomRequest(request, method, method == "GET" ? QByteArray() : "x"));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), kWaitMs);
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    const QByteArray policy = reply->rawHeader("Content-Security-Policy");
    QVERIFY(policy.startsWith("default-src 'self'"));
    QVERIFY(!policy.contains('*'));
    const QByteArray body = reply->readAll();
    if (status != 200 || path.startsWith(QLatin1String("/sala"))) {
        QVERIFY(!body.contains(room_->hostSecret().toLatin1()));
    }
}

// Each of the board's effects, at the address of its own file's name; nothing else below
// it, and never a file from disk.
void RoomServerTest::effectsAndWhatIsRefused_data() {
    columns<QByteArray, QByteArray, int, QString>("method", "target", "status", "file");
    for (const QString& effect : allEffects()) {
        const QString file = effect.section(QLatin1Char('\\'), -1);
        const QByteArray name = file.toUtf8();
        QTest::newRow(name.constData())
            << QByteArray("GET") << "/sonido/" + name.toPercentEncoding() << 200 << file;
    }
    const auto row = [](const char* name, const char* method, const char* target, int status) {
        QTest::newRow(name) << QByteArray(method) << QByteArray(target) << status << QString();
    };
    row("unknown name", "GET", "/sonido/aplausos.wav", 404);
    row("other case", "GET", "/sonido/INTRO.wav", 404);
    row("no extension", "GET", "/sonido/intro", 404);
    row("other extension", "GET", "/sonido/intro.mp3", 404);
    row("the folder", "GET", "/sonido/", 404);
    row("up the tree", "GET", "/sonido/../../Audio/WAV/intro.wav", 404);
    row("encoded up the tree", "GET", "/sonido/..%2F..%2FConfig%2FSala.txt", 404);
    row("the program folder's copy", "GET", "/Audio/WAV/intro.wav", 404);
    row("resource path", "GET", "/:/sala/sonido/intro.wav", 404);
    row("post", "POST", "/sonido/intro.wav", 405);
}

void RoomServerTest::effectsAndWhatIsRefused() {
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, target);
    QFETCH(int, status);
    QFETCH(QString, file);
    const RawReply reply = rawRequest(room_->port(), method, target);
    QCOMPARE(reply.status, status);
    const QByteArray policy = reply.header("Content-Security-Policy");
    QVERIFY(policy.startsWith("default-src 'self'"));
    QVERIFY(policy.contains("media-src 'self'"));
    QVERIFY(!policy.contains('*'));
    QCOMPARE(reply.header("X-Content-Type-Options"), QByteArray("nosniff"));
    if (status != 200) {
        QVERIFY(!reply.body.startsWith("RIFF"));
        return;
    }
    QCOMPARE(reply.header("Content-Type"), QByteArray("audio/wav"));
    QVERIFY2(qEnvironmentVariableIsSet("VELTA_SOURCE_DIR"),
             "VELTA_SOURCE_DIR names the source tree; run this test through ctest");
    QFile shipped(qEnvironmentVariable("VELTA_SOURCE_DIR") + QStringLiteral("/data/Audio/WAV/") +
                  file);
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QVERIFY(reply.body == shipped.readAll());
}

void RoomServerTest::liveStateAndChanges() {
    auto audience = connected(audienceLink());
    auto host = connected(hostLink());
    QVERIFY(audience && host);
    QVERIFY(!audience->messages.isEmpty() && !host->messages.isEmpty());
    QVERIFY(audience->messages.first().contains(QLatin1String("\"type\":\"state\"")));
    QVERIFY(host->all().contains(QStringLiteral("Pera")));
    QVERIFY(!audience->all().contains(QStringLiteral("Pera")));
    QCOMPARE(room_->devices(RoomAccess::Page::Audience), 1);
    QCOMPARE(room_->devices(RoomAccess::Page::Host), 1);

    game_->setUncovered(2, true);
    QTRY_COMPARE_WITH_TIMEOUT(audience->messages.size(), 2, kWaitMs);
    const QString change = audience->messages.last();
    QVERIFY(change.contains(QStringLiteral("\"type\":\"change\"")));
    QVERIFY(change.contains(QStringLiteral("Pera")));
    QVERIFY(!change.contains(QStringLiteral("Manzana")));
    // Only what changed: the title and the teams are not sent again.
    QVERIFY(!change.contains(QStringLiteral("title")));
    QTRY_COMPARE_WITH_TIMEOUT(host->messages.size(), 2, kWaitMs);

    // Several changes of one command leave as one message.
    game_->setUncovered(1, true);
    game_->strike();
    QTRY_COMPARE_WITH_TIMEOUT(audience->messages.size(), 3, kWaitMs);
    QTest::qWait(50);
    QCOMPARE(audience->messages.size(), 3);
    QVERIFY(audience->messages.last().contains(QStringLiteral("\"strikes\":1")));
}

// The effects the board plays and its splash reach the board pages connected as they
// happen, never the host's, and a page that connects afterwards is not told them again.
void RoomServerTest::boardMomentsReachTheAudienceOnce() {
    auto audience = connected(audienceLink());
    auto host = connected(hostLink());
    QVERIFY(audience && host);
    PlayEffect(effects::kAnswer);
    PlayEffectLooped(effects::kIntro);
    StopAllSound();
    room_->showPointsSplash(3, 3000);
    game_->restore(game_->snapshot(), game_->card(), game_->cardPath());
    const auto object = [](const char* json) { return QJsonDocument::fromJson(json).object(); };
    const QList<QJsonObject> sounds{
        object(R"({"type":"sound","play":"Respuesta en Tablero","loop":false})"),
        object(R"({"type":"sound","play":"intro","loop":true})"),
        object(R"({"type":"sound","stop":true})")};
    const QList<QJsonObject> splashes{object(R"({"type":"splash","multiplier":3,"ms":3000})"),
                                      object(R"({"type":"splash","stop":true})")};
    QTRY_COMPARE_WITH_TIMEOUT(audience->ofType("splash"), splashes, kWaitMs);
    QCOMPARE(audience->ofType("sound"), sounds);

    auto later = connected(audienceLink());
    QVERIFY(later);
    game_->strike();
    QTRY_COMPARE_WITH_TIMEOUT(later->messages.size(), 2, kWaitMs);
    QVERIFY(later->ofType("sound").isEmpty());
    QVERIFY(later->ofType("splash").isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(host->all().contains(QStringLiteral("\"strikes\":1")), kWaitMs);
    QVERIFY(host->ofType("sound").isEmpty());
    QVERIFY(host->ofType("splash").isEmpty());
}

void RoomServerTest::socketsNeedTheCode() {
    auto wrong = connected(link(QStringLiteral("codigo=000001")));
    QVERIFY(wrong);
    QTRY_VERIFY_WITH_TIMEOUT(wrong->closed, kWaitMs);
    QVERIFY(wrong->messages.isEmpty());
    QCOMPARE(room_->devices(RoomAccess::Page::Audience), 0);

    auto otherPath = std::make_unique<Device>(QUrl(
        QStringLiteral("ws://127.0.0.1:%1/otra?codigo=%2").arg(room_->port()).arg(room_->code())));
    QTRY_VERIFY_WITH_TIMEOUT(otherPath->closed, kWaitMs);
    QVERIFY(otherPath->messages.isEmpty());

    for (int i = 0; i < RoomAccess::kWrongTries - 1; ++i) {
        auto d = connected(link(QStringLiteral("codigo=99999") + QString::number(i)));
        QVERIFY(d);
        QTRY_VERIFY_WITH_TIMEOUT(d->closed, kWaitMs);
    }
    // Five wrong codes from this address: even the right one waits now, page or socket.
    auto right = connected(audienceLink());
    QVERIFY(right);
    QTRY_VERIFY_WITH_TIMEOUT(right->closed, kWaitMs);
    QVERIFY(right->messages.isEmpty());
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> page(
        manager.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/tablero?codigo=%2")
                                             .arg(room_->port())
                                             .arg(room_->code())))));
    QTRY_VERIFY_WITH_TIMEOUT(page->isFinished(), kWaitMs);
    QCOMPARE(page->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 429);
}

void RoomServerTest::badInputIsLeftUnanswered() {
    auto d = connected(audienceLink());
    QVERIFY(d);
    d->socket.sendTextMessage(QStringLiteral("{no es json"));
    d->socket.sendTextMessage(QStringLiteral("{\"type\":\"reveal\",\"row\":1}"));
    d->socket.sendTextMessage(QStringLiteral("[1,2,3]"));
    d->socket.sendBinaryMessage(QByteArray(100, '\0'));
    d->socket.sendTextMessage(QStringLiteral("{\"type\":\"ping\"}"));
    QTRY_VERIFY_WITH_TIMEOUT(d->all().contains(QStringLiteral("pong")), kWaitMs);
    QVERIFY(!d->closed);
    QVERIFY(!game_->uncovered(1));
    game_->strike();
    QTRY_VERIFY_WITH_TIMEOUT(d->all().contains(QStringLiteral("\"strikes\":1")), kWaitMs);
}

void RoomServerTest::limitsCloseTheSocket_data() {
    columns<int, int, int>("messages", "bytes", "closeCode");
    QTest::newRow("huge message") << 1 << int(Room::kMaxMessageBytes) + 1
                                  << int(QWebSocketProtocol::CloseCodeTooMuchData);
    QTest::newRow("largest message") << 1 << int(Room::kMaxMessageBytes) << -1;
    QTest::newRow("too many a second") << Room::kMaxMessagesPerSecond + 1 << 10
                                       << int(QWebSocketProtocol::CloseCodePolicyViolated);
}

void RoomServerTest::limitsCloseTheSocket() {
    QFETCH(int, messages);
    QFETCH(int, bytes);
    QFETCH(int, closeCode);
    auto d = connected(audienceLink());
    QVERIFY(d);
    for (int i = 0; i < messages; ++i) {
        d->socket.sendTextMessage(QString(bytes, QLatin1Char('a')));
    }
    if (closeCode < 0) {
        QTest::qWait(200);
        QVERIFY(!d->closed);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(d->closed, kWaitMs);
    QCOMPARE(d->closeCode, closeCode);
    QVERIFY(!d->closeReason.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(room_->devices(RoomAccess::Page::Audience), 0, kWaitMs);
}

void RoomServerTest::connectionLimit() {
    std::vector<std::unique_ptr<Device>> devices;
    for (int i = 0; i < Room::kMaxConnections; ++i) {
        devices.push_back(std::make_unique<Device>(audienceLink()));
    }
    QTRY_COMPARE_WITH_TIMEOUT(room_->devices(RoomAccess::Page::Audience), Room::kMaxConnections,
                              20000);
    auto oneMore = connected(audienceLink());
    QVERIFY(oneMore);
    QTRY_VERIFY_WITH_TIMEOUT(oneMore->closed, kWaitMs);
    QVERIFY(oneMore->messages.isEmpty());
    QCOMPARE(room_->devices(RoomAccess::Page::Audience), Room::kMaxConnections);
    // Everyone inside still follows the game.
    game_->strike();
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(devices.begin(), devices.end(),
                                         [](const auto& d) { return d->messages.size() == 2; }),
                             20000);
}

void RoomServerTest::reconnectCatchesUp() {
    auto first = connected(audienceLink());
    QVERIFY(first);
    first->socket.abort();
    QTRY_COMPARE_WITH_TIMEOUT(room_->devices(RoomAccess::Page::Audience), 0, kWaitMs);
    game_->setUncovered(3, true);
    game_->strike();
    auto again = connected(audienceLink());
    QVERIFY(again);
    QCOMPARE(again->messages.size(), 1);
    QVERIFY(again->messages.first().contains(QStringLiteral("Uva")));
    QVERIFY(again->messages.first().contains(QStringLiteral("\"strikes\":1")));
}

void RoomServerTest::phonesTakeASeatAndPress() {
    const auto phoneLink = [this](const QString& seat) {
        return link(QStringLiteral("codigo=%1&puesto=%2").arg(room_->code(), seat));
    };
    const auto last = [](const Device& d, const QString& type) {
        for (qsizetype i = d.messages.size() - 1; i >= 0; --i) {
            const QJsonObject m = QJsonDocument::fromJson(d.messages[i].toUtf8()).object();
            if (m.value(QStringLiteral("type")).toString() == type) {
                return m;
            }
        }
        return QJsonObject();
    };
    const auto seatState = [&last](const Device& d) {
        return last(d, QStringLiteral("seat")).value(QStringLiteral("state")).toString();
    };

    auto bad = connected(phoneLink(QStringLiteral("../x")));
    QVERIFY(bad);
    QTRY_VERIFY_WITH_TIMEOUT(bad->closed, kWaitMs);
    QVERIFY(bad->messages.isEmpty());

    auto audience = connected(audienceLink());
    auto phone = connected(phoneLink(QStringLiteral("a1b2")));
    QVERIFY(audience && phone);
    QCOMPARE(room_->devices(RoomAccess::Page::Buzzer), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!last(*phone, QStringLiteral("sync")).isEmpty(), kWaitMs);
    QVERIFY(last(*phone, QStringLiteral("seat")).value(QStringLiteral("team")).isNull());

    // Unseated, a press is nothing; a made-up sync is not taken.
    phone->socket.sendTextMessage(QStringLiteral(R"({"type":"press","t":5})"));
    phone->socket.sendTextMessage(QStringLiteral(R"({"type":"sync","s":-7,"p":1})"));
    phone->socket.sendTextMessage(
        QStringLiteral(R"({"type":"seat","team":1,"name":"  Beto   de   la Sierra Alta Norte "})"));
    QTRY_COMPARE_WITH_TIMEOUT(
        last(*phone, QStringLiteral("seat")).value(QStringLiteral("name")).toString(),
        QStringLiteral("Beto de la Sierra Al"), kWaitMs);
    QVERIFY(buzzers_->faceOff().presses().isEmpty());
    const qint64 sent = last(*phone, QStringLiteral("sync")).value(QStringLiteral("s")).toInteger();
    phone->socket.sendTextMessage(
        QStringLiteral(R"({"type":"sync","s":%1,"p":90000.5})").arg(sent));

    buzzers_->toggle();
    QTRY_COMPARE_WITH_TIMEOUT(seatState(*phone), QStringLiteral("pulsa"), kWaitMs);
    phone->socket.sendTextMessage(QStringLiteral(R"({"type":"press","t":90001})"));
    QTRY_COMPARE_WITH_TIMEOUT(seatState(*phone), QStringLiteral("primero"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!last(*audience, QStringLiteral("winner")).isEmpty(), kWaitMs);
    QCOMPARE(last(*audience, QStringLiteral("winner")).value(QStringLiteral("team")).toInt(), 1);
    QCOMPARE(buzzers_->faceOff().winner()->player, QStringLiteral("Beto de la Sierra Al"));

    // A reload keeps the seat and what it shows.
    phone.reset();
    auto again = connected(phoneLink(QStringLiteral("a1b2")));
    QVERIFY(again);
    QTRY_COMPARE_WITH_TIMEOUT(seatState(*again), QStringLiteral("primero"), kWaitMs);
    QCOMPARE(last(*again, QStringLiteral("seat")).value(QStringLiteral("team")).toInt(), 1);
}

void RoomServerTest::aStuckDeviceIsDropped() {
    auto steady = connected(audienceLink());
    QVERIFY(steady);
    // A device that shakes hands and then never reads again.
    QTcpSocket stuck;
    stuck.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    stuck.setReadBufferSize(4096);
    stuck.connectToHost(QHostAddress::LocalHost, room_->port());
    QVERIFY(stuck.waitForConnected(kWaitMs));
    stuck.write(QStringLiteral("GET /enlace?codigo=%1 HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                               "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                               "Sec-WebSocket-Version: 13\r\n\r\n")
                    .arg(room_->code())
                    .toLatin1());
    QTRY_COMPARE_WITH_TIMEOUT(room_->devices(RoomAccess::Page::Audience), 2, kWaitMs);
    // Long titles make each change large, so the unsent data of the stuck device grows fast.
    const QString longTitle(200000, QLatin1Char('a'));
    const QString otherTitle(200000, QLatin1Char('b'));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 60 && room_->devices(RoomAccess::Page::Audience) == 2; ++i) {
        store_->setTitle(i % 2 ? longTitle : otherTitle, QStringLiteral("White"),
                         QStringLiteral("Navy"));
        QTRY_COMPARE_WITH_TIMEOUT(steady->messages.size(), i + 2, kWaitMs);
    }
    QCOMPARE(room_->devices(RoomAccess::Page::Audience), 1);
    QVERIFY(!steady->closed);
    // The device that reads was never held up for the one that does not.
    QVERIFY(timer.elapsed() < 20000);
}

void RoomServerTest::halfOpenConnectionsAreClosed() {
    QTcpSocket halfOpen;
    halfOpen.connectToHost(QHostAddress::LocalHost, room_->port());
    QVERIFY(halfOpen.waitForConnected(kWaitMs));
    halfOpen.write("GET /tablero HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    auto device = connected(audienceLink());
    QVERIFY(device);
    QTRY_COMPARE_WITH_TIMEOUT(halfOpen.state(), QAbstractSocket::UnconnectedState,
                              Room::kIdleHttpMs + 3000);
    // The device's own connection stays.
    QVERIFY(!device->closed);
    game_->strike();
    QTRY_COMPARE_WITH_TIMEOUT(device->messages.size(), 2, kWaitMs);
}

void RoomServerTest::anotherPortWhenTaken() {
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    room_->close();
    RoomSettings s;
    s.port = taken.serverPort();
    store_->setRoom(s);
    QVERIFY(room_->open());
    QVERIFY(room_->port() != taken.serverPort());
    QVERIFY(room_->port() > taken.serverPort());
    QVERIFY(room_->port() <= taken.serverPort() + Room::kOtherPorts);
    QVERIFY(connected(audienceLink()));
}

void RoomServerTest::closingClosesEverything() {
    const QString firstSecret = room_->hostSecret();
    const quint16 port = room_->port();
    auto audience = connected(audienceLink());
    auto host = connected(hostLink());
    QVERIFY(audience && host);
    QSignalSpy devices(room_.get(), &Room::devicesChanged);
    room_->close();
    QVERIFY(!room_->isOpen());
    QCOMPARE(room_->devices(RoomAccess::Page::Audience), 0);
    QTRY_VERIFY_WITH_TIMEOUT(audience->closed && host->closed, 2000);
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!probe.waitForConnected(1000));
    // Opening again makes a new host secret: the old link no longer opens the host's view.
    QVERIFY(room_->open());
    QVERIFY(room_->hostSecret() != firstSecret);
}

QTEST_GUILESS_MAIN(RoomServerTest)
#include "tst_room_server.moc"
