#pragma once

#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "room/RoomAccess.h"

class QTimer;
class QWebSocket;

namespace velta {

class Buzzers;
class Game;
class RoomHttp;
class SettingsStore;

// The room: the board and the host's view served to the venue's own network on one port,
// pages over HTTP and their live link over a WebSocket. It is one more view of the game: it
// follows the game's and the settings' signals and sends each page its whole state when it
// connects, then what changed. Nothing listens until it is opened.
class Room : public QObject {
    Q_OBJECT
  public:
    static constexpr qint64 kMaxMessageBytes = 4096;
    static constexpr int kMaxMessagesPerSecond = 30;
    static constexpr int kMaxConnections = 250;
    // A device whose unsent data passes this is dropped.
    static constexpr qint64 kMaxUnsentBytes = 512 * 1024;
    // A connection that is not a device's live link by then is closed.
    static constexpr int kIdleHttpMs = 10000;
    // Ports tried after the wanted one when it is taken.
    static constexpr int kOtherPorts = 20;

    // A phone's seat name is cut to this length.
    static constexpr int kMaxPlayerName = 20;

    Room(Game& game, SettingsStore& settings, Buzzers& buzzers, QObject* parent = nullptr);
    ~Room() override;

    // Where open() listens: every interface unless told otherwise.
    void setListenAddress(const QHostAddress& address) { listenAddress_ = address; }
    // Listens at the settings' port, or the first free one after it; false when none is
    // free. A new room code and host secret each time.
    bool open();
    // Every connection closes at once.
    void close();
    bool isOpen() const;
    quint16 port() const { return port_; }
    QString code() const { return access_.code(); }
    QString hostSecret() const { return access_.hostSecret(); }
    int devices(RoomAccess::Page page) const;

    // The fast-money clock as the board shows it; the pages show it too.
    void showFastMoneyClock(const QString& text);
    // The board's double or triple splash, put up for `ms`: the board pages show it as long.
    // Like the effects the board plays, it reaches the pages connected at that moment only.
    void showPointsSplash(int multiplier, int ms);

    // The IPv4 addresses of the interfaces that are up, loopback left out.
    static QStringList addresses();
    QString audienceUrl(const QString& address) const;
    QString hostUrl(const QString& address) const;

  Q_SIGNALS:
    void openChanged();
    void devicesChanged();

  private:
    struct Client {
        QWebSocket* socket = nullptr;
        RoomAccess::Page page = RoomAccess::Page::Audience;
        qint64 windowStart = 0;
        int messagesInWindow = 0;
        // A face-off phone: its seat's id, the syncs sent and not yet answered, the last
        // state of its seat it was told.
        QString device;
        QList<qint64> syncsSent;
        QString seatShown;
    };
    // A phone's seat outlives its link, so a reload keeps it.
    struct Seat {
        int team = 0;
        QString player;
    };
    friend class RoomHttp;

    void acceptSockets();
    void accept(QWebSocket* socket);
    void received(QWebSocket* socket, qint64 size, const QByteArray& text);
    void receivedFromPhone(Client& client, const QJsonObject& message);
    void eachPhone(const std::function<void(Client&)>& act);
    void sendSync();
    void followBuzzers();
    void showSeats();
    QJsonObject seatMessage(const Client& client) const;
    void announceWinner();
    void drop(QWebSocket* socket, int code, const QString& reason);
    void forget(QWebSocket* socket);
    void schedulePublish();
    void publish();
    void send(QWebSocket* socket, const QJsonObject& message);
    void sendText(QWebSocket* socket, const QString& text);
    // What happens on the board at one moment (an effect, a splash): kept in no state,
    // so never sent again to a page that connects later.
    void tellAudience(const QJsonObject& event);
    void effectStarted(const QString& relativePath, bool looped);
    QJsonObject stateFor(RoomAccess::Page page) const;

    Game& game_;
    SettingsStore& settings_;
    Buzzers& buzzers_;
    QHash<QString, Seat> seats_;
    QTimer* syncTimer_ = nullptr;
    RoomAccess access_;
    std::unique_ptr<RoomHttp> http_;
    QHostAddress listenAddress_ = QHostAddress::Any;
    quint16 port_ = 0;
    QList<Client> clients_;
    QJsonObject lastAudience_;
    QJsonObject lastHost_;
    bool publishPending_ = false;
    QString fastMoneyClock_;
};

}  // namespace velta
