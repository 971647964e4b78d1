#pragma once
#include "engine/net/NetworkLimits.h"
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

// One whois exchange (RFC 3912) that runs by itself on the event loop: connect to
// host:port, send the query and CR LF, read until the server closes, close. It ends by
// the signal finished(), once; Abort() ends it at once as Stopped.
//
// Every wait is bounded: the connect by ConnectTimeoutMs, every stretch without data by
// IdleTimeoutMs, the whole exchange by ExchangeTimeoutMs; a reply longer than
// MaxReplyBytes is a failure.
class TWhoisExchange : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Waiting,   // not ended yet
        Read,      // the server closed the connection; the reply holds all it sent
        Failed,    // not resolvable, refused, reset, timed out, too long
        Stopped,   // ended by Abort(); no fault of the server
        Refused,   // the query itself was unusable (control characters); nothing was sent
        Reset,     // the server reset the connection before sending a single byte
    };

    struct Limits {
        int ConnectTimeoutMs = NetworkLimits::ConnectTimeoutMs;
        int IdleTimeoutMs = NetworkLimits::IdleTimeoutMs;
        int ExchangeTimeoutMs = NetworkLimits::WhoisExchangeTimeoutMs;
        qint64 MaxReplyBytes = NetworkLimits::MaxWhoisReplyBytes;
    };

    explicit TWhoisExchange(QObject* parent = nullptr);
    ~TWhoisExchange() override;

    // Starts the exchange; finished() may come before this returns (a query that cannot
    // be sent, a host that is no host name).
    void Start(const QString& host, quint16 port, const QString& query, const Limits& limits);
    void Abort();

    Outcome outcome() const { return outcome_; }
    const QByteArray& reply() const { return reply_; }   // when Read
    const QString& why() const { return why_; }          // a short reason otherwise

signals:
    void finished();

private:
    enum class End { Closed, Error, Reset, Timeout, TooSlow, TooLong, Stopped };
    void TakeData();
    void Finish(End how);
    void Fail(Outcome outcome, const QString& why);

    Limits limits_;
    QTcpSocket socket_;
    QTimer idle_;       // the connect, then each stretch without data
    QTimer deadline_;   // the whole exchange
    QByteArray request_;
    QByteArray reply_;
    QString why_;
    QString socketError_;
    bool connected_ = false;
    Outcome outcome_ = Outcome::Waiting;
};

// True for an IP address literal or a name made of letters, digits, "-", "_" and ".".
// Anything else (blanks, control characters) can never be resolved and is not handed to
// the resolver.
bool IsPlausibleHostName(const QString& host);
