#include "engine/lookup/WhoisClient.h"
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

TWhoisClient::TWhoisClient() = default;
TWhoisClient::~TWhoisClient() = default;

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

TWhoisClient::Outcome TWhoisClient::Exchange(const QString& query, QByteArray& reply, QString* why)
{
    reply.clear();
    auto fail = [why](Outcome outcome, const QString& reason) {
        if (why)
            *why = reason;
        return outcome;
    };
    if (abort_)   // called again from inside a wait
        return fail(Outcome::Failed, QStringLiteral("another query is still waiting"));
    if (HoldsControlCharacter(query))
        return fail(Outcome::Refused, QStringLiteral("the query holds a control character"));
    if (!IsPlausibleHostName(Host))
        return fail(Outcome::Failed, QStringLiteral("'%1' is not a host name").arg(Host));

    enum class End { Waiting, Closed, Error, Reset, Timeout, TooSlow, TooLong, Stopped };
    End end = End::Waiting;
    QString socketError;
    QEventLoop loop;
    QTimer timer;   // the connect, then each stretch without data
    timer.setSingleShot(true);
    QTimer deadline;   // the whole exchange
    deadline.setSingleShot(true);
    auto finish = [&](End how) {
        if (end != End::Waiting)
            return;
        end = how;
        loop.quit();
    };

    // Declared after everything its handlers touch, so it goes first.
    QTcpSocket socket;
    const QByteArray request = query.toUtf8() + "\r\n";
    auto takeData = [&] {
        if (ConnectionWasReset(socket)) {
            // What came before the reset can still be read; a reset with nothing before
            // it is how some registries turn a client away.
            reply += socket.readAll();
            socketError = QStringLiteral("the connection was reset");
            finish(reply.isEmpty() ? End::Reset : End::Error);
            return;
        }
        reply += socket.readAll();
        if (reply.size() > MaxReplyBytes)
            finish(End::TooLong);
        else if (socket.state() == QAbstractSocket::UnconnectedState)
            finish(End::Closed);   // the read met the end of the stream
        else
            timer.start(IdleTimeoutMs);
    };
    bool connected = false;
    QObject::connect(&socket, &QTcpSocket::connected, [&] {
        connected = true;
        socket.write(request);
        timer.start(IdleTimeoutMs);
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, takeData);
    QObject::connect(&socket, &QTcpSocket::disconnected, [&] { finish(End::Closed); });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, [&](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            finish(End::Closed);
        } else {
            socketError = connected ? socket.errorString() : QStringLiteral("unreachable: ") + socket.errorString();
            finish(End::Error);
        }
    });
    QObject::connect(&timer, &QTimer::timeout, [&] { finish(End::Timeout); });
    QObject::connect(&deadline, &QTimer::timeout, [&] { finish(End::TooSlow); });
    abort_ = [&] { finish(End::Stopped); };

    timer.start(ConnectTimeoutMs);
    deadline.start(ExchangeTimeoutMs);
    socket.connectToHost(Host, Port, QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (end == End::Waiting)   // an error may already have been reported
        loop.exec();
    abort_ = nullptr;

    if (end == End::Closed && socket.state() != QAbstractSocket::UnconnectedState) {
        reply += socket.readAll();   // what arrived together with the close
        if (reply.size() > MaxReplyBytes)
            end = End::TooLong;
    }
    QObject::disconnect(&socket, nullptr, nullptr, nullptr);
    socket.abort();

    switch (end) {
    case End::Closed: return Outcome::Read;
    case End::Stopped: reply.clear(); return fail(Outcome::Stopped, QStringLiteral("stopped"));
    case End::Timeout: break;
    case End::TooSlow: reply.clear(); return fail(Outcome::Failed, QStringLiteral("the reply took too long"));
    case End::TooLong: reply.clear(); return fail(Outcome::Failed, QStringLiteral("the reply is too long"));
    case End::Error: reply.clear(); return fail(Outcome::Failed, socketError);
    case End::Reset: reply.clear(); return fail(Outcome::Reset, socketError);
    case End::Waiting: break;
    }
    reply.clear();
    if (!connected)
        return fail(Outcome::Failed, QStringLiteral("unreachable: no connection in time"));
    return fail(Outcome::Failed, QStringLiteral("the server did not answer in time"));
}

void TWhoisClient::Abort()
{
    if (abort_)
        abort_();
}
