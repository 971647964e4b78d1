#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <functional>

class QTcpSocket;

// Writers for test servers that send long or endless answers. `sent`, when given,
// counts the bytes handed to the socket.

// Writes the pieces `next` makes as fast as the peer takes them, keeping no more than one
// piece queued, so the server's own memory stays small however much it sends. An empty
// piece ends the answer: the connection is closed once the queued bytes are out. A
// `next` that never gives one floods until the peer goes away.
void WriteAsTaken(QTcpSocket* socket, std::function<QByteArray()> next, qint64* sent = nullptr);

// Writes one byte of `pattern` (over and over) every `intervalMs`, without end.
void TrickleWithoutEnd(QTcpSocket* socket, int intervalMs, QByteArray pattern, qint64* sent = nullptr);
