#include "LoopbackWhoisServer.h"

#include "PacedWriter.h"
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <utility>
#include <sys/socket.h>

LoopbackWhoisServer::LoopbackWhoisServer(QObject* parent)
    : QObject(parent)
{
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackWhoisServer::Accept);
}

LoopbackWhoisServer::~LoopbackWhoisServer() = default;

bool LoopbackWhoisServer::listen()
{
    return server_.listen(QHostAddress::LocalHost, 0);
}

bool LoopbackWhoisServer::listen(const QHostAddress& address, quint16 port)
{
    return server_.listen(address, port);
}

void LoopbackWhoisServer::close()
{
    server_.close();
}

void LoopbackWhoisServer::Accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections;
        mostOpenConnections = std::max(mostOpenConnections, ++openConnections);
        // Counted closed as the socket closes, not when it is deleted later: by then the
        // client may already have opened its next connection.
        auto counted = std::make_shared<bool>(true);
        auto closed = [this, counted] {
            if (std::exchange(*counted, false))
                --openConnections;
        };
        connect(socket, &QTcpSocket::disconnected, this, closed);
        connect(socket, &QObject::destroyed, this, closed);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] { Serve(socket, *buffer); });
    }
}

void LoopbackWhoisServer::Serve(QTcpSocket* socket, QByteArray& buffer)
{
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf('\n');
    if (end < 0)
        return;
    QByteArray query = buffer.left(end);
    if (query.endsWith('\r'))
        query.chop(1);
    buffer.clear();
    disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);
    queries.append(query);
    emit queryReceived(query);

    const QByteArray reply = responder_ ? responder_(query) : replies_.value(query, defaultReply_);
    switch (chooser_ ? chooser_(query) : mode_) {
    case Mode::Answer: {
        auto answer = [socket, reply] {
            socket->write(reply);
            socket->disconnectFromHost();   // after the reply has been written
        };
        if (answerDelayMs > 0)
            QTimer::singleShot(answerDelayMs, socket, answer);
        else
            answer();
        break;
    }
    case Mode::NeverAnswer:
        break;
    case Mode::Reset: {
        socket->write(reply);
        socket->flush();
        // A zero linger time makes close() send RST instead of FIN.
        const linger hard{1, 0};
        ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        socket->abort();
        socket->deleteLater();
        break;
    }
    case Mode::CloseWithoutReply:
        socket->disconnectFromHost();
        break;
    case Mode::Trickle:
        TrickleWithoutEnd(socket, trickleIntervalMs, reply.isEmpty() ? QByteArray("x") : reply, &bytesSent);
        break;
    case Mode::Flood: {
        const QByteArray lines = QByteArray("   Registrar: Example Registrar\r\n").repeated(2048);
        WriteAsTaken(socket, [lines] { return lines; }, &bytesSent);
        break;
    }
    }
}
