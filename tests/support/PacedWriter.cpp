#include "PacedWriter.h"
#include <QTcpSocket>
#include <QTimer>
#include <memory>

void WriteAsTaken(QTcpSocket* socket, std::function<QByteArray()> next, qint64* sent)
{
    auto more = [socket, next = std::move(next), sent] {
        if (socket->state() != QAbstractSocket::ConnectedState || socket->bytesToWrite() > 0)
            return;
        const QByteArray piece = next();
        if (piece.isEmpty()) {
            socket->disconnectFromHost();
            return;
        }
        if (sent)
            *sent += piece.size();
        socket->write(piece);
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

void TrickleWithoutEnd(QTcpSocket* socket, int intervalMs, QByteArray pattern, qint64* sent)
{
    auto* timer = new QTimer(socket);   // dies with the socket
    auto at = std::make_shared<qsizetype>(0);
    QObject::connect(timer, &QTimer::timeout, socket, [socket, pattern, at, sent] {
        if (socket->state() != QAbstractSocket::ConnectedState || pattern.isEmpty())
            return;
        socket->write(pattern.mid(*at, 1));
        *at = (*at + 1) % pattern.size();
        if (sent)
            ++*sent;
    });
    timer->start(intervalMs);
}
