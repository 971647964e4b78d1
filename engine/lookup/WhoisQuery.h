#pragma once
#include <QStringList>

class TWhoisClient;
class TFailedServers;
class MessagePump;

// GetWhoisResults: asks the whois client's current host about one domain and hands back
// the reply as lines. A host that failed once during a search is not asked again.
class TWhoisQuery {
public:
    TWhoisQuery(TWhoisClient& client, TFailedServers& failedServers, MessagePump& pump)
        : client_(client), failed_(failedServers), pump_(pump)
    {
    }

    // `query` is the lookup name followed by its extension. Returns true when the server
    // was reached and its reply read (the lines are in `reply`); false otherwise, with
    // `reply` empty. A failure puts the host on the failed-server list, except when Stop
    // ended the wait (LastQueryStopped) or the query text itself was unusable.
    bool GetWhoisResults(const QString& query, QStringList& reply);

    // The last query ended because the user pressed Stop (or Disconnect was called).
    bool LastQueryStopped() const { return lastStopped_; }

private:
    TWhoisClient& client_;
    TFailedServers& failed_;
    MessagePump& pump_;
    bool lastStopped_ = false;
};
