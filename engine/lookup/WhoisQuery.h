#pragma once
#include "engine/lookup/RetryPauses.h"
#include "engine/net/NetworkLimits.h"
#include <QStringList>
#include <functional>

class TWhoisClient;
class TFailedServers;
class TInterruptiblePause;
class MessagePump;

// GetWhoisResults: asks the whois client's current host about one domain and hands back
// the reply as lines. A host that failed once during a search is not asked again. A host
// that refuses the query (it limits this client) is asked again after a pause.
class TWhoisQuery {
public:
    TWhoisQuery(TWhoisClient& client, TFailedServers& failedServers, MessagePump& pump, TInterruptiblePause& pause,
                std::function<bool()> stopRequested)
        : client_(client), failed_(failedServers), pump_(pump), pause_(pause), stopRequested_(std::move(stopRequested))
    {
    }

    // The pauses after a refusal (see NetworkLimits); tests shorten them.
    int FirstRefusalPauseMs = NetworkLimits::FirstRefusalPauseMs;
    int MaxRefusalPauseMs = NetworkLimits::MaxRefusalPauseMs;
    int RefusalBoundMs = NetworkLimits::RefusalBoundMs;
    RetryPacing refusalPacing() const { return {FirstRefusalPauseMs, MaxRefusalPauseMs, RefusalBoundMs}; }

    // `query` is the lookup name followed by its extension. Returns true when the server
    // was reached and answered (the lines are in `reply`); false otherwise, with `reply`
    // empty. A refusal (data/refusals.txt, an empty reply, a reset before any byte) is
    // asked again until the pauses reach their bound, and then is a failure that does not
    // list the host. Any other failure puts the host on the failed-server list, except
    // when Stop ended the wait (LastQueryStopped) or the query text itself was unusable.
    bool GetWhoisResults(const QString& query, QStringList& reply);

    // The last query ended because the user pressed Stop (or Disconnect was called).
    bool LastQueryStopped() const { return lastStopped_; }
    // Why the last query failed, in words; empty after success.
    const QString& LastFailure() const { return lastFailure_; }
    // How many times the last query was sent (more than once after refusals).
    int LastAttempts() const { return attempts_; }

private:
    TWhoisClient& client_;
    TFailedServers& failed_;
    MessagePump& pump_;
    TInterruptiblePause& pause_;
    std::function<bool()> stopRequested_;
    bool lastStopped_ = false;
    QString lastFailure_;
    int attempts_ = 0;
};
