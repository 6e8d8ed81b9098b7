#include "room/Room.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTimer>
#include <QUrlQuery>
#include <QWebSocket>
#include <cmath>

#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "game/Game.h"
#include "platform/ProgramFolder.h"
#include "room/RoomState.h"
#include "sound/Sound.h"
#include "sound/SoundEvents.h"

namespace velta {

namespace {

using Page = RoomAccess::Page;
using Verdict = RoomAccess::Verdict;

const QString kLinkPath = QStringLiteral("/enlace");

struct Resource {
    const char* path;
    const char* file;
    const char* type;
    // Pages that need the room code or the host secret; the others hold nothing of the game.
    std::optional<Page> page;
};

const Resource kResources[] = {
    {"/", ":/sala/index.html", "text/html; charset=utf-8", std::nullopt},
    {"/tablero", ":/sala/tablero.html", "text/html; charset=utf-8", Page::Audience},
    {"/presentador", ":/sala/presentador.html", "text/html; charset=utf-8", Page::Host},
    {"/pulsador", ":/sala/pulsador.html", "text/html; charset=utf-8", Page::Buzzer},
    {"/sala.css", ":/sala/sala.css", "text/css; charset=utf-8", std::nullopt},
    {"/sala.js", ":/sala/sala.js", "text/javascript; charset=utf-8", std::nullopt},
    {"/pulsador.js", ":/sala/pulsador.js", "text/javascript; charset=utf-8", std::nullopt},
    {"/enlace.js", ":/sala/enlace.js", "text/javascript; charset=utf-8", std::nullopt},
};

const Resource* resourceAt(const QString& path) {
    for (const Resource& r : kResources) {
        if (path == QLatin1String(r.path)) {
            return &r;
        }
    }
    return nullptr;
}

QByteArray resourceBytes(const char* file) {
    QFile f(QString::fromLatin1(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The board's effects as the pages ask for them, "/sonido/<name>.wav": the name of the
// effect's own file, which the room carries among its resources. Only these are served.
const QString kSoundFolder = QStringLiteral("/sonido/");

QString effectName(const QString& relativePath) {
    return QFileInfo(normalizeSeparators(relativePath)).completeBaseName();
}

// The resource of the effect at that address; empty for any other address.
QString effectResource(const QString& path) {
    for (const QString& effect : allEffects()) {
        const QString name = effectName(effect);
        if (path == kSoundFolder + name + QLatin1String(".wav")) {
            return QStringLiteral(":/sala/sonido/") + name + QLatin1String(".wav");
        }
    }
    return {};
}

qint64 monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

// A phone's seat id: what its page made up, kept short and plain.
bool isSeatId(const QString& id) {
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9]{1,32}$"));
    return form.match(id).hasMatch();
}

// Which page a live link is for, from its address.
Page linkPage(const QUrlQuery& query) {
    if (query.hasQueryItem(QStringLiteral("clave"))) {
        return Page::Host;
    }
    return query.hasQueryItem(QStringLiteral("puesto")) ? Page::Buzzer : Page::Audience;
}

QString seatStateName(Buzzers::Seat seat) {
    switch (seat) {
        case Buzzers::Seat::Go:
            return QStringLiteral("pulsa");
        case Buzzers::Seat::First:
            return QStringLiteral("primero");
        case Buzzers::Seat::Locked:
            return QStringLiteral("bloqueado");
        case Buzzers::Seat::Wait:
            break;
    }
    return QStringLiteral("espera");
}

QString messageText(const QJsonObject& message) {
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

QString errorPage(const QString& message) {
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"es\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>VELTA</title><link rel=\"stylesheet\" href=\"/sala.css\"></head>"
               "<body class=\"join\"><main><h1>%1</h1><p><a href=\"/\">Volver</a></p>"
               "</main></body></html>")
        .arg(message.toHtmlEscaped());
}

// Accepts the room's connections. A connection that is not the live link of a device within
// kIdleHttpMs of being made (a request never finished, a page's connection left open) is
// closed, so half-open connections cannot pile up.
class RoomListener : public QTcpServer {
  public:
    explicit RoomListener(std::function<bool(const QTcpSocket&)> isDevice)
        : isDevice_(std::move(isDevice)) {}

  protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        QPointer<QTcpSocket> watched(socket);
        QTimer::singleShot(Room::kIdleHttpMs, this, [this, watched] {
            if (watched && watched->state() == QAbstractSocket::ConnectedState &&
                !isDevice_(*watched)) {
                watched->abort();
            }
        });
        addPendingConnection(socket);
    }

  private:
    std::function<bool(const QTcpSocket&)> isDevice_;
};

}  // namespace

// The HTTP side: only the embedded pages and effects, only by GET, each answer with a policy
// that lets the page load nothing but from the program itself.
class RoomHttp : public QAbstractHttpServer {
  public:
    explicit RoomHttp(Room& room) : room_(room) {}

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        // An upgrade to the live link that is let in is left unanswered: the server then
        // hands the socket over. One that is not is answered by missingHandler.
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
            refusal_ = linkRefusal(request);
            return !refusal_;
        }
        const QString effect = effectResource(request.url().path());
        if (!effect.isEmpty()) {
            if (request.method() != QHttpServerRequest::Method::Get) {
                reply(request, socket, QHttpServerResponder::StatusCode::MethodNotAllowed, {},
                      "text/plain", true);
            } else {
                QFile file(effect);
                reply(request, socket, QHttpServerResponder::StatusCode::Ok,
                      file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), "audio/wav");
            }
            return true;
        }
        const Resource* resource = resourceAt(request.url().path());
        if (!resource) {
            reply(request, socket, QHttpServerResponder::StatusCode::NotFound,
                  errorPage(QStringLiteral("Página no encontrada")).toUtf8(),
                  "text/html; charset=utf-8");
            return true;
        }
        if (request.method() != QHttpServerRequest::Method::Get) {
            reply(request, socket, QHttpServerResponder::StatusCode::MethodNotAllowed, {},
                  "text/plain", true);
            return true;
        }
        if (resource->page) {
            const QUrlQuery query = request.query();
            const QString given = query.queryItemValue(
                *resource->page == Page::Host ? QStringLiteral("clave") : QStringLiteral("codigo"));
            switch (room_.access_.check(request.remoteAddress(), *resource->page, given)) {
                case Verdict::Allowed:
                    break;
                case Verdict::Refused:
                    reply(request, socket, QHttpServerResponder::StatusCode::Forbidden,
                          errorPage(QStringLiteral("Código incorrecto")).toUtf8(),
                          "text/html; charset=utf-8");
                    return true;
                case Verdict::Waiting:
                    reply(
                        request, socket, QHttpServerResponder::StatusCode::TooManyRequests,
                        errorPage(QStringLiteral("Demasiados intentos: espere un minuto")).toUtf8(),
                        "text/html; charset=utf-8");
                    return true;
            }
        }
        reply(request, socket, QHttpServerResponder::StatusCode::Ok, resourceBytes(resource->file),
              resource->type);
        return true;
    }

    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        const Refusal refusal =
            refusal_.value_or(Refusal{QHttpServerResponder::StatusCode::NotFound, {}});
        refusal_.reset();
        reply(request, socket, refusal.status, refusal.reason.toUtf8(),
              "text/plain; charset=utf-8");
    }

  private:
    struct Refusal {
        QHttpServerResponder::StatusCode status;
        QString reason;
    };

    std::optional<Refusal> linkRefusal(const QHttpServerRequest& request) {
        using Status = QHttpServerResponder::StatusCode;
        if (request.url().path() != kLinkPath ||
            request.method() != QHttpServerRequest::Method::Get) {
            return Refusal{Status::NotFound, QStringLiteral("Dirección desconocida")};
        }
        if (room_.clients_.size() >= Room::kMaxConnections) {
            return Refusal{Status::ServiceUnavailable, QStringLiteral("Sala llena")};
        }
        const QUrlQuery query = request.query();
        const Page page = linkPage(query);
        if (page == Page::Buzzer && !isSeatId(query.queryItemValue(QStringLiteral("puesto")))) {
            return Refusal{Status::BadRequest, QStringLiteral("Puesto no válido")};
        }
        const QString given = query.queryItemValue(page == Page::Host ? QStringLiteral("clave")
                                                                      : QStringLiteral("codigo"));
        switch (room_.access_.check(request.remoteAddress(), page, given)) {
            case Verdict::Allowed:
                return std::nullopt;
            case Verdict::Refused:
                return Refusal{Status::Forbidden, QStringLiteral("Código incorrecto")};
            case Verdict::Waiting:
                return Refusal{Status::TooManyRequests,
                               QStringLiteral("Demasiados intentos: espere un minuto")};
        }
        return std::nullopt;
    }

    void reply(const QHttpServerRequest& request, QTcpSocket* socket,
               QHttpServerResponder::StatusCode status, const QByteArray& body, const char* type,
               bool onlyGet = false) {
        QHttpServerResponder responder = makeResponder(request, socket);
        responder.writeStatusLine(status);
        responder.writeHeader("Content-Type", type);
        responder.writeHeader("Content-Length", QByteArray::number(body.size()));
        responder.writeHeader("Content-Security-Policy", policy(request));
        responder.writeHeader("X-Content-Type-Options", "nosniff");
        responder.writeHeader("Referrer-Policy", "no-referrer");
        responder.writeHeader("Cache-Control", "no-store");
        if (onlyGet) {
            responder.writeHeader("Allow", "GET");
        }
        responder.writeBody(body);
    }

    // 'self' and, for browsers that do not count the page's own WebSocket as 'self', the
    // address the page was asked for.
    static QByteArray policy(const QHttpServerRequest& request) {
        static const QRegularExpression hostForm(
            QStringLiteral("^[A-Za-z0-9.\\-]+(:[0-9]{1,5})?$"));
        const QString host = QString::fromLatin1(request.value("host"));
        const QByteArray link =
            hostForm.match(host).hasMatch() ? " ws://" + host.toLatin1() : QByteArray();
        return "default-src 'self'; connect-src 'self'" + link +
               "; img-src 'self' data:; media-src 'self'; base-uri 'none'; form-action 'self'; "
               "frame-ancestors 'none'";
    }

    Room& room_;
    std::optional<Refusal> refusal_;
};

Room::Room(Game& game, SettingsStore& settings, Buzzers& buzzers, QObject* parent)
    : QObject(parent), game_(game), settings_(settings), buzzers_(buzzers) {
    connect(&game_, &Game::changed, this, &Room::schedulePublish);
    connect(&settings_, &SettingsStore::changed, this, &Room::schedulePublish);
    followBuzzers();
    connect(&soundEvents(), &SoundEvents::effectStarted, this, &Room::effectStarted);
    connect(&soundEvents(), &SoundEvents::effectsStopped, this, [this] {
        tellAudience(
            {{QStringLiteral("type"), QStringLiteral("sound")}, {QStringLiteral("stop"), true}});
    });
    // A game put back shows no splash on the board.
    connect(&game_, &Game::restored, this, [this] {
        tellAudience(
            {{QStringLiteral("type"), QStringLiteral("splash")}, {QStringLiteral("stop"), true}});
    });
}

Room::~Room() {
    close();
}

bool Room::isOpen() const {
    return http_ != nullptr;
}

bool Room::open() {
    if (isOpen()) {
        return true;
    }
    auto tcp = std::make_unique<RoomListener>([this](const QTcpSocket& socket) {
        return std::any_of(clients_.begin(), clients_.end(), [&socket](const Client& c) {
            return c.socket->peerPort() == socket.peerPort() &&
                   c.socket->peerAddress() == socket.peerAddress();
        });
    });
    const quint16 wanted = settings_.room().port;
    quint16 chosen = 0;
    for (int i = 0; i <= kOtherPorts && wanted + i <= 65535; ++i) {
        if (tcp->listen(listenAddress_, static_cast<quint16>(wanted + i))) {
            chosen = tcp->serverPort();
            break;
        }
    }
    if (chosen == 0) {
        return false;
    }
    tcp->setMaxPendingConnections(kMaxConnections);
    access_.open(settings_.room().fixedCode);
    http_ = std::make_unique<RoomHttp>(*this);
    http_->bind(tcp.release());
    connect(http_.get(), &QAbstractHttpServer::newWebSocketConnection, this, &Room::acceptSockets);
    port_ = chosen;
    syncTimer_->start(buzzers_.syncIntervalMs());
    lastAudience_ = stateFor(Page::Audience);
    lastHost_ = stateFor(Page::Host);
    Q_EMIT openChanged();
    return true;
}

void Room::close() {
    if (!isOpen()) {
        return;
    }
    const QList<Client> clients = clients_;
    clients_.clear();
    for (const Client& c : clients) {
        if (!c.device.isEmpty()) {
            buzzers_.phoneLeft(c.device);
        }
        c.socket->disconnect(this);
        c.socket->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("Sala cerrada"));
        c.socket->abort();
        c.socket->deleteLater();
    }
    http_.reset();
    syncTimer_->stop();
    seats_.clear();
    port_ = 0;
    Q_EMIT devicesChanged();
    Q_EMIT openChanged();
}

int Room::devices(Page page) const {
    return static_cast<int>(std::count_if(clients_.begin(), clients_.end(),
                                          [page](const Client& c) { return c.page == page; }));
}

QStringList Room::addresses() {
    QStringList found;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            const QHostAddress a = e.ip();
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
                found << a.toString();
            }
        }
    }
    return found;
}

QString Room::audienceUrl(const QString& address) const {
    return QStringLiteral("http://%1:%2/tablero?codigo=%3").arg(address).arg(port_).arg(code());
}

QString Room::hostUrl(const QString& address) const {
    return QStringLiteral("http://%1:%2/presentador?clave=%3")
        .arg(address)
        .arg(port_)
        .arg(hostSecret());
}

void Room::acceptSockets() {
    while (http_ && http_->hasPendingWebSocketConnections()) {
        accept(http_->nextPendingWebSocketConnection().release());
    }
}

void Room::accept(QWebSocket* socket) {
    socket->setParent(this);
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { forget(socket); });
    // Let in at the handshake, which only the room code or the host secret passes.
    const QUrlQuery query(socket->requestUrl());
    const Page page = linkPage(query);
    // Several handshakes may have passed together when the room was nearly full.
    if (clients_.size() >= kMaxConnections) {
        drop(socket, QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("Sala llena"));
        return;
    }
    socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
    socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString& text) { received(socket, text.size(), text.toUtf8()); });
    connect(socket, &QWebSocket::binaryMessageReceived, this,
            [this, socket](const QByteArray& data) { received(socket, data.size(), {}); });
    Client client{socket, page, monotonicMs(), 0, {}, {}, {}};
    if (page == Page::Buzzer) {
        client.device = query.queryItemValue(QStringLiteral("puesto"));
        buzzers_.phoneJoined(client.device);
    }
    clients_.append(client);
    send(socket, {{QStringLiteral("type"), QStringLiteral("state")},
                  {QStringLiteral("state"), page == Page::Host ? lastHost_ : lastAudience_}});
    if (page == Page::Buzzer) {
        showSeats();
        sendSync();
    }
    Q_EMIT devicesChanged();
}

void Room::received(QWebSocket* socket, qint64 size, const QByteArray& text) {
    const auto it = std::find_if(clients_.begin(), clients_.end(),
                                 [socket](const Client& c) { return c.socket == socket; });
    if (it == clients_.end()) {
        return;
    }
    const qint64 now = monotonicMs();
    if (now - it->windowStart >= 1000) {
        it->windowStart = now;
        it->messagesInWindow = 0;
    }
    if (++it->messagesInWindow > kMaxMessagesPerSecond) {
        drop(socket, QWebSocketProtocol::CloseCodePolicyViolated,
             QStringLiteral("Demasiados mensajes"));
        return;
    }
    if (size > kMaxMessageBytes) {
        drop(socket, QWebSocketProtocol::CloseCodeTooMuchData,
             QStringLiteral("Mensaje demasiado grande"));
        return;
    }
    // Every page asks whether the link is alive; the phones also take a seat, answer the
    // syncs and press. Anything else is left unanswered.
    const QJsonObject message = QJsonDocument::fromJson(text).object();
    if (message.value(QStringLiteral("type")).toString() == QLatin1String("ping")) {
        send(socket, {{QStringLiteral("type"), QStringLiteral("pong")}});
    } else if (it->page == Page::Buzzer) {
        receivedFromPhone(*it, message);
    }
}

void Room::receivedFromPhone(Client& client, const QJsonObject& message) {
    const QString type = message.value(QStringLiteral("type")).toString();
    if (type == QLatin1String("sync")) {
        // Only the program's own syncs count, each once: a phone cannot make up a round trip.
        const qint64 sent = message.value(QStringLiteral("s")).toInteger(-1);
        const QJsonValue phone = message.value(QStringLiteral("p"));
        if (client.syncsSent.removeOne(sent) && phone.isDouble()) {
            buzzers_.phoneSynced(client.device, static_cast<double>(sent) / 1000.0,
                                 phone.toDouble());
        }
    } else if (type == QLatin1String("seat")) {
        const QJsonValue team = message.value(QStringLiteral("team"));
        const QString player = message.value(QStringLiteral("name"))
                                   .toString()
                                   .simplified()
                                   .left(kMaxPlayerName)
                                   .trimmed();
        if (team.isDouble() && (team.toDouble() == 0 || team.toDouble() == 1) &&
            !player.isEmpty()) {
            seats_.insert(client.device, {team.toInt(), player});
            client.seatShown.clear();
            showSeats();
        }
    } else if (type == QLatin1String("press")) {
        const auto seat = seats_.constFind(client.device);
        const QJsonValue at = message.value(QStringLiteral("t"));
        if (seat != seats_.constEnd() && at.isDouble()) {
            buzzers_.phonePressed(client.device, seat->team, seat->player, at.toDouble());
        }
    }
}

void Room::followBuzzers() {
    syncTimer_ = new QTimer(this);
    syncTimer_->setTimerType(Qt::PreciseTimer);
    connect(syncTimer_, &QTimer::timeout, this, &Room::sendSync);
    connect(&buzzers_, &Buzzers::changed, this, [this] {
        if (!isOpen()) {
            return;
        }
        showSeats();
        // Armed: the phones' clocks are measured often from now on, starting at once.
        if (syncTimer_->interval() != buzzers_.syncIntervalMs()) {
            syncTimer_->start(buzzers_.syncIntervalMs());
            sendSync();
        }
    });
    connect(&buzzers_, &Buzzers::decided, this, &Room::announceWinner);
}

// Runs `act` on each phone's client; one dropped on the way (a stuck device) is passed over.
// `act` sends last, as sending may drop its client.
void Room::eachPhone(const std::function<void(Client&)>& act) {
    const QList<Client> clients = clients_;
    for (const Client& c : clients) {
        const auto it = std::find_if(clients_.begin(), clients_.end(),
                                     [&c](const Client& k) { return k.socket == c.socket; });
        if (it != clients_.end() && it->page == Page::Buzzer) {
            act(*it);
        }
    }
}

void Room::sendSync() {
    eachPhone([this](Client& phone) {
        const qint64 now = std::llround(buzzers_.now() * 1000.0);
        // A phone that never answers keeps only its last few.
        phone.syncsSent.append(now);
        while (phone.syncsSent.size() > 8) {
            phone.syncsSent.removeFirst();
        }
        send(phone.socket,
             {{QStringLiteral("type"), QStringLiteral("sync")}, {QStringLiteral("s"), now}});
    });
}

QJsonObject Room::seatMessage(const Client& client) const {
    const auto seat = seats_.constFind(client.device);
    const bool seated = seat != seats_.constEnd();
    return {{QStringLiteral("type"), QStringLiteral("seat")},
            {QStringLiteral("team"), seated ? QJsonValue(seat->team) : QJsonValue()},
            {QStringLiteral("name"), seated ? seat->player : QString()},
            {QStringLiteral("state"), seatStateName(buzzers_.seat(client.device))}};
}

// Each phone hears of its seat only when what it shows changes.
void Room::showSeats() {
    eachPhone([this](Client& phone) {
        const QString text = messageText(seatMessage(phone));
        if (phone.seatShown != text) {
            phone.seatShown = text;
            sendText(phone.socket, text);
        }
    });
}

void Room::announceWinner() {
    if (const auto& winner = buzzers_.faceOff().winner()) {
        tellAudience({{QStringLiteral("type"), QStringLiteral("winner")},
                      {QStringLiteral("team"), winner->team},
                      {QStringLiteral("name"), winner->player}});
    }
}

void Room::drop(QWebSocket* socket, int code, const QString& reason) {
    forget(socket);
    socket->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
    // A peer that never answers the close is not waited for.
    QTimer::singleShot(2000, socket, [socket] { socket->abort(); });
}

void Room::forget(QWebSocket* socket) {
    const auto it = std::find_if(clients_.begin(), clients_.end(),
                                 [socket](const Client& c) { return c.socket == socket; });
    if (it != clients_.end()) {
        const QString device = it->device;
        clients_.erase(it);
        // A reloaded page may already be back on a new link.
        if (!device.isEmpty() &&
            std::none_of(clients_.begin(), clients_.end(),
                         [&device](const Client& c) { return c.device == device; })) {
            buzzers_.phoneLeft(device);
        }
        Q_EMIT devicesChanged();
    }
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
    }
}

void Room::schedulePublish() {
    // One message per command, sent once the key's own work is done.
    if (!isOpen() || publishPending_) {
        return;
    }
    publishPending_ = true;
    QTimer::singleShot(0, this, &Room::publish);
}

void Room::publish() {
    publishPending_ = false;
    if (!isOpen()) {
        return;
    }
    const QJsonObject audience = stateFor(Page::Audience);
    const QJsonObject host = stateFor(Page::Host);
    const QJsonObject audienceChanges = stateChanges(lastAudience_, audience);
    const QJsonObject hostChanges = stateChanges(lastHost_, host);
    lastAudience_ = audience;
    lastHost_ = host;
    // Each page's message is written once for all its devices.
    const auto message = [](const QJsonObject& changes) {
        return changes.isEmpty() ? QString()
                                 : messageText({{QStringLiteral("type"), QStringLiteral("change")},
                                                {QStringLiteral("state"), changes}});
    };
    const QString toAudience = message(audienceChanges);
    const QString toHost = message(hostChanges);
    const QList<Client> clients = clients_;
    for (const Client& c : clients) {
        const QString& text = c.page == Page::Host ? toHost : toAudience;
        if (!text.isEmpty()) {
            sendText(c.socket, text);
        }
    }
}

void Room::send(QWebSocket* socket, const QJsonObject& message) {
    sendText(socket, messageText(message));
}

void Room::sendText(QWebSocket* socket, const QString& text) {
    socket->sendTextMessage(text);
    if (socket->bytesToWrite() > kMaxUnsentBytes) {
        forget(socket);
        socket->abort();
    }
}

void Room::tellAudience(const QJsonObject& event) {
    if (!isOpen()) {
        return;
    }
    const QString text = messageText(event);
    const QList<Client> clients = clients_;
    for (const Client& c : clients) {
        if (c.page == Page::Audience) {
            sendText(c.socket, text);
        }
    }
}

void Room::effectStarted(const QString& relativePath, bool looped) {
    if (!allEffects().contains(relativePath)) {
        return;
    }
    tellAudience({{QStringLiteral("type"), QStringLiteral("sound")},
                  {QStringLiteral("play"), effectName(relativePath)},
                  {QStringLiteral("loop"), looped}});
}

void Room::showPointsSplash(int multiplier, int ms) {
    tellAudience({{QStringLiteral("type"), QStringLiteral("splash")},
                  {QStringLiteral("multiplier"), multiplier},
                  {QStringLiteral("ms"), ms}});
}

void Room::showFastMoneyClock(const QString& text) {
    fastMoneyClock_ = text;
    schedulePublish();
}

QJsonObject Room::stateFor(Page page) const {
    QJsonObject state = page == Page::Host ? hostState(game_, settings_.settings())
                                           : audienceState(game_, settings_.settings());
    state.insert(QStringLiteral("clock"), fastMoneyClock_);
    return state;
}

}  // namespace velta
