#pragma once
#include "engine/lookup/RouteStep.h"
#include "engine/net/HttpFetch.h"
#include <memory>

class THttpSession;

// Asks a TLD's RDAP service about one domain: GET <base>domain/<name> with
// "Accept: application/rdap+json". A 404 from the TLD's own service means the name is
// not registered; a domain object means it is; a 429 is a refusal (with its
// Retry-After). Anything else is no answer, and the TLD's assigned server answers
// instead; a service that cannot be reached or does not answer in time is not worth
// asking again in this search.
class TRdapStep : public TRouteStep {
    Q_OBJECT
public:
    // `base` ends with "/"; `domain` is the A-label form ("xn--...") in lower case.
    TRdapStep(THttpSession& session, const QString& base, QString domain, THttpFetch::Limits limits);

    void Start() override;
    void Abort() override;

    // The wait a Retry-After header asks for (seconds, or an HTTP date), in milliseconds;
    // -1 when it names none.
    static qint64 RetryAfterMs(const QByteArray& header);
    // The verdict on one answer of the service.
    static StepResult Judge(const QString& domain, const THttpResult& page);

private:
    void TakeAnswer();

    QString domain_;
    std::unique_ptr<THttpFetch> fetch_;
};
