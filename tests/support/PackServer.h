#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace velta::test {

// A small HTTP server for the download tests and benchmarks, on 127.0.0.1 only. Each path
// answers with a status and a body, and may misbehave on purpose: cut the body short, stop
// sending half-way, or redirect.
class PackServer : public QObject {
    Q_OBJECT
  public:
    enum class Fault {
        None,
        Truncate,  // announces the whole body, sends half and closes
        Stall,     // announces the whole body, sends half and then nothing
    };
    struct Route {
        int status = 200;
        QByteArray body;
        Fault fault = Fault::None;
        QByteArray location;  // for a redirect status
    };

    explicit PackServer(QObject* parent = nullptr);
    ~PackServer() override;

    // Listens on a free port of 127.0.0.1; false when it cannot.
    bool listen();
    QUrl url(const QString& path) const;

    void serve(const QString& path, const QByteArray& body) {
        route(path, Route{200, body, Fault::None, {}});
    }
    void route(const QString& path, const Route& route) { routes_[path] = route; }
    int requests(const QString& path) const { return requests_.value(path); }

  private:
    struct Connection {
        QByteArray request;
        QByteArray body;
        qint64 sent = 0;
        qint64 stop = 0;  // the body is sent up to here
        Fault fault = Fault::None;
        bool answered = false;
    };
    void accept();
    void readRequest(QTcpSocket* socket);
    void sendMore(QTcpSocket* socket);

    QTcpServer server_;  // a child, so the server moves to another thread whole
    QHash<QString, Route> routes_;
    QHash<QString, int> requests_;
    QHash<QTcpSocket*, Connection> connections_;
};

}  // namespace velta::test
