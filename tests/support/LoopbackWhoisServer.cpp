#include "LoopbackWhoisServer.h"
#include <QHostAddress>
#include <QTcpSocket>
#include <memory>
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

void LoopbackWhoisServer::close()
{
    server_.close();
}

void LoopbackWhoisServer::Accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections;
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

    switch (mode_) {
    case Mode::Answer: {
        const QByteArray reply = responder_ ? responder_(query) : replies_.value(query, defaultReply_);
        socket->write(reply);
        socket->disconnectFromHost();   // after the reply has been written
        break;
    }
    case Mode::NeverAnswer:
        break;
    case Mode::Reset: {
        socket->write(responder_ ? responder_(query) : replies_.value(query, defaultReply_));
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
    }
}
