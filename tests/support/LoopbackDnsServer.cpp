#include "LoopbackDnsServer.h"
#include <QNetworkDatagram>

namespace {

void AppendUint16(QByteArray& bytes, quint16 value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xff));
}

QByteArray EncodedName(const QByteArray& name)
{
    QByteArray bytes;
    for (const QByteArray& label : name.split('.'))
        bytes.append(char(label.size())).append(label);
    return bytes.append('\0');
}

} // namespace

LoopbackDnsServer::LoopbackDnsServer(QObject* parent)
    : QObject(parent)
{
    connect(&socket_, &QUdpSocket::readyRead, this, &LoopbackDnsServer::Serve);
}

bool LoopbackDnsServer::listen()
{
    return socket_.bind(QHostAddress::LocalHost, 0);
}

void LoopbackDnsServer::Serve()
{
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        const QByteArray reply = Reply(datagram.data());
        if (!reply.isEmpty())
            socket_.writeDatagram(reply, datagram.senderAddress(), static_cast<quint16>(datagram.senderPort()));
    }
}

QByteArray LoopbackDnsServer::Reply(const QByteArray& query)
{
    // The header, then one question: labels up to a zero byte, its type and class.
    if (query.size() < 17)
        return {};
    qsizetype at = 12;
    QList<QByteArray> labels;
    while (at < query.size() && query[at] != 0) {
        const int length = static_cast<unsigned char>(query[at]);
        labels.append(query.mid(at + 1, length).toLower());
        at += 1 + length;
    }
    const qsizetype questionEnd = at + 5;
    if (questionEnd > query.size())
        return {};
    const QByteArray name = labels.join('.');
    questions.append(name);
    const Answer answer = answers_.value(name, wildcards_.value(labels.value(labels.size() - 1), otherwise));
    if (answer == Answer::Silent)
        return {};

    const int rcode = answer == Answer::NxDomain ? 3 : answer == Answer::ServFail ? 2 : 0;
    quint16 flags = 0x8000 | (quint8(query[2]) & 0x01) << 8 | 0x0080 | rcode;
    if (answer == Answer::Truncated)
        flags |= 0x0200;
    const int records = answer == Answer::Delegated ? 2 : answer == Answer::Garbage ? 3 : 0;

    QByteArray reply = query.left(2);
    AppendUint16(reply, flags);
    for (int count : {1, records, 0, 0})
        AppendUint16(reply, static_cast<quint16>(count));
    reply.append(query.mid(12, questionEnd - 12));
    if (answer == Answer::Garbage)
        return reply.append("\xc0\x0c\x00\x02\x00\x01\xff", 7);
    for (int i = 0; i < records; ++i) {
        const QByteArray server = EncodedName("ns" + QByteArray::number(i + 1) + ".example.net");
        reply.append("\xc0\x0c", 2);   // the question's name
        AppendUint16(reply, 2);        // NS
        AppendUint16(reply, 1);        // IN
        reply.append("\x00\x00\x0e\x10", 4);   // an hour
        AppendUint16(reply, static_cast<quint16>(server.size()));
        reply.append(server);
    }
    return reply;
}
