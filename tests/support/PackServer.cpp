#include "PackServer.h"

#include <QTcpSocket>

namespace velta::test {

namespace {
constexpr qint64 kChunk = 256 * 1024;
}

PackServer::PackServer(QObject* parent) : QObject(parent), server_(this) {
    connect(&server_, &QTcpServer::newConnection, this, &PackServer::accept);
}

PackServer::~PackServer() {
    for (QTcpSocket* socket : connections_.keys()) {
        socket->disconnect(this);
        socket->abort();
    }
}

bool PackServer::listen() {
    return server_.listen(QHostAddress::LocalHost, 0);
}

QUrl PackServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void PackServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connections_.insert(socket, Connection());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { sendMore(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            connections_.remove(socket);
            socket->deleteLater();
        });
    }
}

void PackServer::readRequest(QTcpSocket* socket) {
    Connection& c = connections_[socket];
    c.request += socket->readAll();
    // A secure connection asked of a server that has none: it answers in plain text, and the
    // client's handshake fails.
    if (!c.answered && c.request.startsWith('\x16')) {
        c.answered = true;
        socket->write("HTTP/1.1 400 Sin TLS\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    if (c.answered || !c.request.contains("\r\n\r\n")) {
        return;
    }
    c.answered = true;
    const QString path = QString::fromLatin1(c.request.split(' ').value(1));
    ++requests_[path];
    const Route route = routes_.value(path, Route{404, "no existe", Fault::None, {}});
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + " Respuesta\r\n";
    if (!route.location.isEmpty()) {
        head += "Location: " + route.location + "\r\n";
    }
    head += "Content-Length: " + QByteArray::number(route.body.size()) +
            "\r\nConnection: close\r\n\r\n";
    socket->write(head);
    c.body = route.body;
    c.fault = route.fault;
    c.stop = route.fault == Fault::None ? route.body.size() : route.body.size() / 2;
    sendMore(socket);
}

// The body goes out a chunk at a time as the socket drains, so a large pack never sits
// whole in the socket's buffer.
void PackServer::sendMore(QTcpSocket* socket) {
    auto found = connections_.find(socket);
    if (found == connections_.end() || !found->answered || socket->bytesToWrite() > kChunk) {
        return;
    }
    Connection& c = *found;
    if (c.sent < c.stop) {
        const qint64 size = qMin(kChunk, c.stop - c.sent);
        socket->write(c.body.constData() + c.sent, size);
        c.sent += size;
        return;
    }
    if (c.fault != Fault::Stall && socket->bytesToWrite() == 0) {
        socket->disconnectFromHost();
    }
}

}  // namespace velta::test
