#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <functional>

class QTcpSocket;

// Writers for hostile test servers that never finish their answer. Both stop only when
// the peer goes away or the socket is destroyed; `sent`, when given, counts the bytes
// handed to the socket.

// Writes the pieces `next` makes as fast as the peer takes them, keeping no more than one
// piece queued, so the server's own memory stays small however long it floods.
void FloodWithoutEnd(QTcpSocket* socket, std::function<QByteArray()> next, qint64* sent = nullptr);

// Writes one byte of `pattern` (over and over) every `intervalMs`.
void TrickleWithoutEnd(QTcpSocket* socket, int intervalMs, QByteArray pattern, qint64* sent = nullptr);
