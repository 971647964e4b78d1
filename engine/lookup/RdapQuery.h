#pragma once
#include "engine/lookup/NetworkLimits.h"
#include <QStringList>
#include <functional>

class THttpClient;
class TInterruptiblePause;

// Asks a TLD's RDAP service about one domain: GET <base>domain/<name> with
// "Accept: application/rdap+json", through the HTTP client (its proxy, redirects and
// bounds). The answer is judged by ClassifyRdapAnswer: a 404 from the TLD's own service
// means the name is not registered, unless it says that the registry holds the name back
// (Reserved); a domain object for the domain asked means it is registered. A 429 is asked again after a pause (as long as Retry-After says,
// else growing from a second) until the pauses reach their bound. Anything else is no
// answer, and the caller asks the TLD's assigned server instead.
class TRdapQuery {
public:
    TRdapQuery(THttpClient& http, TInterruptiblePause& pause, std::function<bool()> stopRequested)
        : http_(http), pause_(pause), stopRequested_(std::move(stopRequested))
    {
    }

    int FirstRetryPauseMs = NetworkLimits::FirstRefusalPauseMs;
    int MaxRetryPauseMs = NetworkLimits::MaxRefusalPauseMs;
    int RetryBoundMs = NetworkLimits::RefusalBoundMs;

    enum class Outcome { NotFound, Found, Reserved, NoAnswer, Stopped };
    struct Result {
        Outcome outcome = Outcome::NoAnswer;
        QStringList lines;   // what the single search shows: the record, or the "not found" answer
        QString reason;      // what decided, or why there is no answer
        int attempts = 0;
    };

    // `base` ends with "/"; `domain` is the A-label form ("xn--...") in lower case.
    Result Ask(const QString& base, const QString& domain);

    // The wait a Retry-After header asks for (seconds, or an HTTP date), in milliseconds;
    // -1 when it names none.
    static qint64 RetryAfterMs(const QByteArray& header);

private:
    THttpClient& http_;
    TInterruptiblePause& pause_;
    std::function<bool()> stopRequested_;
};
