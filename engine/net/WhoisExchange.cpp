#include "engine/net/WhoisExchange.h"
#include <QHostAddress>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

bool IsPlausibleHostName(const QString& host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    QHostAddress literal;
    if (literal.setAddress(host))
        return true;
    for (const QChar c : host) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-')
                        || c == QLatin1Char('_') || c == QLatin1Char('.');
        if (!ok)
            return false;
    }
    return true;
}

namespace {

bool HoldsControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127)
            return true;
    return false;
}

// Qt reports a connection reset (RST) as an orderly close. With an unbuffered socket the
// data is still in the kernel when readyRead comes, and so is a pending reset, which
// would cut the reply short: it must count as a failure, not as the end of the reply.
bool ConnectionWasReset(const QTcpSocket& socket)
{
#ifdef Q_OS_UNIX
    const qintptr descriptor = socket.socketDescriptor();
    if (descriptor < 0)
        return false;
    int pending = 0;
    socklen_t size = sizeof pending;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_ERROR, &pending, &size) != 0)
        return false;
    return pending != 0;
#else
    Q_UNUSED(socket);
    return false;
#endif
}

} // namespace

TWhoisExchange::TWhoisExchange(QObject* parent)
    : QObject(parent)
{
    idle_.setSingleShot(true);
    deadline_.setSingleShot(true);
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        socket_.write(request_);
        idle_.start(limits_.IdleTimeoutMs);
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &TWhoisExchange::TakeData);
    connect(&socket_, &QTcpSocket::disconnected, this, [this] { Finish(End::Closed); });
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            Finish(End::Closed);
        } else {
            socketError_ = connected_ ? socket_.errorString() : QStringLiteral("unreachable: ") + socket_.errorString();
            Finish(End::Error);
        }
    });
    connect(&idle_, &QTimer::timeout, this, [this] { Finish(End::Timeout); });
    connect(&deadline_, &QTimer::timeout, this, [this] { Finish(End::TooSlow); });
}

TWhoisExchange::~TWhoisExchange()
{
    socket_.disconnect(this);
    socket_.abort();
}

void TWhoisExchange::Start(const QString& host, quint16 port, const QString& query, const Limits& limits)
{
    limits_ = limits;
    if (HoldsControlCharacter(query))
        return Fail(Outcome::Refused, QStringLiteral("the query holds a control character"));
    if (!IsPlausibleHostName(host))
        return Fail(Outcome::Failed, QStringLiteral("'%1' is not a host name").arg(host));
    request_ = query.toUtf8() + "\r\n";
    idle_.start(limits_.ConnectTimeoutMs);
    deadline_.start(limits_.ExchangeTimeoutMs);
    socket_.connectToHost(host, port, QIODevice::ReadWrite | QIODevice::Unbuffered);
}

void TWhoisExchange::Abort()
{
    Finish(End::Stopped);
}

void TWhoisExchange::TakeData()
{
    if (outcome_ != Outcome::Waiting)
        return;
    if (ConnectionWasReset(socket_)) {
        // What came before the reset can still be read; a reset with nothing before it is
        // how some registries turn a client away.
        reply_ += socket_.readAll();
        socketError_ = QStringLiteral("the connection was reset");
        Finish(reply_.isEmpty() ? End::Reset : End::Error);
        return;
    }
    reply_ += socket_.readAll();
    if (reply_.size() > limits_.MaxReplyBytes)
        Finish(End::TooLong);
    else if (socket_.state() == QAbstractSocket::UnconnectedState)
        Finish(End::Closed);   // the read met the end of the stream
    else
        idle_.start(limits_.IdleTimeoutMs);
}

void TWhoisExchange::Fail(Outcome outcome, const QString& why)
{
    outcome_ = outcome;
    why_ = why;
    reply_.clear();
    emit finished();
}

void TWhoisExchange::Finish(End how)
{
    if (outcome_ != Outcome::Waiting)
        return;
    idle_.stop();
    deadline_.stop();
    if (how == End::Closed && socket_.state() != QAbstractSocket::UnconnectedState) {
        reply_ += socket_.readAll();   // what arrived together with the close
        if (reply_.size() > limits_.MaxReplyBytes)
            how = End::TooLong;
    }
    socket_.disconnect(this);
    socket_.abort();

    switch (how) {
    case End::Closed:
        outcome_ = Outcome::Read;
        emit finished();
        return;
    case End::Stopped: return Fail(Outcome::Stopped, QStringLiteral("stopped"));
    case End::TooSlow: return Fail(Outcome::Failed, QStringLiteral("the reply took too long"));
    case End::TooLong: return Fail(Outcome::Failed, QStringLiteral("the reply is too long"));
    case End::Error: return Fail(Outcome::Failed, socketError_);
    case End::Reset: return Fail(Outcome::Reset, socketError_);
    case End::Timeout: break;
    }
    Fail(Outcome::Failed, connected_ ? QStringLiteral("the server did not answer in time")
                                     : QStringLiteral("unreachable: no connection in time"));
}
