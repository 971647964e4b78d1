#pragma once
#include "engine/net/NetworkLimits.h"
#include "engine/net/WhoisExchange.h"
#include <QByteArray>
#include <QString>

// The whois client of the blocking lookups (the single search, JudgeDomain): one
// TWhoisExchange at a time, waited for in a local event loop, so the window keeps
// repainting and Stop can be pressed; Abort() (Stop, or Disconnect while waiting) ends
// it at once.
class TWhoisClient {
public:
    using Outcome = TWhoisExchange::Outcome;

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

    // The bounds above, for exchanges of their own (the lookup pipeline's).
    TWhoisExchange::Limits limits() const { return {ConnectTimeoutMs, IdleTimeoutMs, ExchangeTimeoutMs, MaxReplyBytes}; }

    // Performs one exchange with Host:Port. `reply` is emptied first and holds what was
    // read when the outcome is Read. `why`, when given, gets a short reason on failure.
    Outcome Exchange(const QString& query, QByteArray& reply, QString* why = nullptr);

    // Ends an exchange in progress at once; it reports Stopped. Does nothing when idle.
    void Abort();
    // Closes the connection if one is open.
    void Disconnect() { Abort(); }
    bool Connected() const { return current_ != nullptr; }

private:
    TWhoisExchange* current_ = nullptr;   // set only while an exchange waits
};
