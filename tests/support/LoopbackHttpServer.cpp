#include "LoopbackHttpServer.h"
#include "PacedWriter.h"
#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <sys/socket.h>

ScriptedReply ScriptedReply::Page(const QByteArray& body, int status)
{
    ScriptedReply r;
    r.status = status;
    r.reason = status == 200 ? "OK" : "Scripted";
    r.body = body;
    return r;
}

ScriptedReply ScriptedReply::Redirect(const QByteArray& location, int status)
{
    ScriptedReply r;
    r.status = status;
    r.reason = "Found";
    r.headers.append({"Location", location});
    return r;
}

ScriptedReply ScriptedReply::Hostile(Mode mode)
{
    ScriptedReply r;
    r.mode = mode;
    r.body = QByteArray(4096, 'x');
    return r;
}

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent), server_(std::make_unique<QTcpServer>())
{
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    // Open connections end in a reset, which also discards what the client has not read
    // yet: a client still taking in an endless reply stops at once instead of reading
    // megabytes of backlog first.
    for (QTcpSocket* socket : server_->findChildren<QTcpSocket*>()) {
        const linger hard{1, 0};
        if (socket->socketDescriptor() >= 0)
            ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        socket->abort();
    }
}

void LoopbackHttpServer::useTls(const QSslCertificate& certificate, const QSslKey& key)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(tls);
    server_ = std::move(server);
    tls_ = true;
}

bool LoopbackHttpServer::listen()
{
    return listen(QHostAddress::LocalHost, 0);
}

bool LoopbackHttpServer::listen(const QHostAddress& address, quint16 port)
{
    // QSslServer hands connections on once encrypted; the plain server at once.
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, &LoopbackHttpServer::Accept);
    return server_->listen(address, port);
}

quint16 LoopbackHttpServer::port() const
{
    return server_->serverPort();
}

QByteArray LoopbackHttpServer::hostAndPort() const
{
    return server_->serverAddress().toString().toLatin1() + ':' + QByteArray::number(port());
}

QByteArray LoopbackHttpServer::origin() const
{
    return (tls_ ? "https://" : "http://") + hostAndPort();
}

void LoopbackHttpServer::Accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        ++connections;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] { Serve(socket, buffer); });
        if (socket->bytesAvailable() > 0)
            Serve(socket, buffer);
    }
}

ScriptedReply LoopbackHttpServer::ReplyFor(const HttpRequestSeen& request) const
{
    if (handler_)
        return handler_(request);
    if (routes_.contains(request.target))
        return routes_.value(request.target);
    if (routes_.contains(request.path))
        return routes_.value(request.path);
    return ScriptedReply::Page("not found", 404);
}

void LoopbackHttpServer::Serve(QTcpSocket* socket, std::shared_ptr<QByteArray> buffer)
{
    *buffer += socket->readAll();
    const qsizetype end = buffer->indexOf("\r\n\r\n");
    if (end < 0)
        return;
    disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);

    HttpRequestSeen request;
    const QList<QByteArray> lines = buffer->left(end).split('\n');
    buffer->remove(0, end + 4);
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    request.path = request.target.left(request.target.indexOf('?') < 0 ? request.target.size() : request.target.indexOf('?'));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    requests.append(request);
    mostAnswering = std::max(mostAnswering, ++answering);
    emit requestReceived(request);

    const ScriptedReply reply = ReplyFor(request);
    if (answerDelayMs > 0 && reply.mode == ScriptedReply::Mode::Respond)
        QTimer::singleShot(answerDelayMs, socket, [this, socket, reply, buffer] { Respond(socket, reply, buffer); });
    else
        Respond(socket, reply, buffer);
}

void LoopbackHttpServer::Respond(QTcpSocket* socket, const ScriptedReply& reply, std::shared_ptr<QByteArray> buffer)
{
    --answering;
    const bool keepOpen = keepAlive && reply.mode == ScriptedReply::Mode::Respond;
    auto head = [&](bool withLength) {
        QByteArray h = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reply.reason + "\r\n";
        for (const auto& header : reply.headers)
            h += header.first + ": " + header.second + "\r\n";
        if (withLength)
            h += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        h += keepOpen ? "\r\n" : "Connection: close\r\n\r\n";
        return h;
    };
    switch (reply.mode) {
    case ScriptedReply::Mode::Respond:
        socket->write(head(true) + reply.body);
        if (!keepOpen) {
            socket->disconnectFromHost();
            break;
        }
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] { Serve(socket, buffer); });
        if (!buffer->isEmpty() || socket->bytesAvailable() > 0)
            Serve(socket, buffer);
        break;
    case ScriptedReply::Mode::NeverAnswer:
        break;
    case ScriptedReply::Mode::CloseWithoutReply:
        socket->disconnectFromHost();
        break;
    case ScriptedReply::Mode::CloseMidBody:
        socket->write(head(true) + reply.body.left(reply.body.size() / 2));
        socket->disconnectFromHost();
        break;
    case ScriptedReply::Mode::Stream:
        socket->write(head(false));
        WriteAsTaken(socket, [left = reply.streamBytes]() mutable {
            static constexpr qint64 piece = 64 * 1024;
            const qint64 n = std::min(piece, left);
            left -= n;
            return QByteArray(static_cast<qsizetype>(n), 'a');
        });
        break;
    case ScriptedReply::Mode::EndlessHeaders: {
        socket->write("HTTP/1.1 200 OK\r\n");
        auto line = std::make_shared<qint64>(0);
        WriteAsTaken(socket, [line] {
            QByteArray lines;
            for (int i = 0; i < 512; ++i)
                lines += "X-Filler-" + QByteArray::number(++*line) + ": " + QByteArray(100, 'h') + "\r\n";
            return lines;
        }, &bytesSent);
        break;
    }
    case ScriptedReply::Mode::TrickleBody:
        socket->write(head(false));
        TrickleWithoutEnd(socket, reply.trickleIntervalMs, reply.body.isEmpty() ? QByteArray("x") : reply.body, &bytesSent);
        break;
    }
}
