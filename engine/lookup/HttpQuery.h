#pragma once
#include <QRandomGenerator>
#include <QStringList>

class THttpClient;
class TFailedServers;
class MessagePump;

// GetHTTPResults: fills an HTTP lookup page's URL template for one domain, fetches the
// page and hands back its text as lines. A template that failed once during a search is
// not fetched again.
class THttpQuery {
public:
    THttpQuery(THttpClient& client, TFailedServers& failedServers, MessagePump& pump)
        : client_(client), failed_(failedServers), pump_(pump), random_(QRandomGenerator::securelySeeded())
    {
    }

    // `domain` is the lower-cased name followed by its extension. Returns true when a page
    // was fetched (its lines are in `reply`); false otherwise, with `reply` empty. A page
    // the server closed before any answer counts as fetched and empty. A failure puts the
    // whole template on the failed-server list, except when Stop ended the wait.
    bool GetHTTPResults(const QString& urlTemplate, const QString& domain, QStringList& reply);

    bool LastQueryStopped() const { return lastStopped_; }
    // Why the last query failed, in words; empty after success.
    const QString& LastFailure() const { return lastFailure_; }

private:
    THttpClient& client_;
    TFailedServers& failed_;
    MessagePump& pump_;
    QRandomGenerator random_;
    bool lastStopped_ = false;
    QString lastFailure_;
};
