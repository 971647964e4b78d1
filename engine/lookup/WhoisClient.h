#pragma once
#include "engine/lookup/NetworkLimits.h"
#include <QByteArray>
#include <QString>
#include <functional>

class QTcpSocket;

// The whois client (RFC 3912): connect to host:port, send the query and CR LF, read
// until the server closes, close. One connection at a time.
//
// The wait runs a local event loop, so the window keeps repainting and Stop can be
// pressed; Abort() (Stop, or Disconnect while waiting) ends it at once. Every wait is
// bounded: the connect by ConnectTimeoutMs, every stretch without data by IdleTimeoutMs,
// the whole exchange by ExchangeTimeoutMs, and a reply longer than MaxReplyBytes is a
// failure.
class TWhoisClient {
public:
    enum class Outcome {
        Read,      // the server closed the connection; the reply holds all it sent
        Failed,    // not resolvable, refused, reset, timed out, too long
        Stopped,   // ended by Abort(); no fault of the server
        Refused,   // the query itself was unusable (control characters); nothing was sent
        Reset,     // the server reset the connection before sending a single byte
    };

    TWhoisClient();
    ~TWhoisClient();
    TWhoisClient(const TWhoisClient&) = delete;
    TWhoisClient& operator=(const TWhoisClient&) = delete;

    QString Host = QStringLiteral("whois.internic.net");   // set before every lookup
    quint16 Port = 43;
    int ConnectTimeoutMs = NetworkLimits::ConnectTimeoutMs;
    int IdleTimeoutMs = NetworkLimits::IdleTimeoutMs;
    int ExchangeTimeoutMs = NetworkLimits::WhoisExchangeTimeoutMs;
    qint64 MaxReplyBytes = NetworkLimits::MaxWhoisReplyBytes;

    // Performs one exchange with Host:Port. `reply` is emptied first and holds what was
    // read when the outcome is Read. `why`, when given, gets a short reason on failure.
    Outcome Exchange(const QString& query, QByteArray& reply, QString* why = nullptr);

    // Ends an exchange in progress at once; it reports Stopped. Does nothing when idle.
    void Abort();
    // Closes the connection if one is open.
    void Disconnect() { Abort(); }
    bool Connected() const { return static_cast<bool>(abort_); }

private:
    std::function<void()> abort_;   // set only while an exchange waits
};

// True for an IP address literal or a name made of letters, digits, "-", "_" and ".".
// Anything else (blanks, control characters) can never be resolved and is not handed to
// the resolver.
bool IsPlausibleHostName(const QString& host);
