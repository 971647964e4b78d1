#pragma once
#include "engine/lookup/RouteStep.h"
#include "engine/net/WhoisExchange.h"
#include <memory>

// Asks a whois server about one domain and judges the reply by the TLD's phrase. A
// refusal (a refusal text, an empty reply, a reset before any byte) is no verdict: the
// lookup asks again after a pause. A server that cannot be reached, or does not answer in
// time, fails the domain and is not asked again in this search.
class TWhoisStep : public TRouteStep {
    Q_OBJECT
public:
    TWhoisStep(const QString& host, quint16 port, QString query, QString matchText, TWhoisExchange::Limits limits);

    void Start() override;
    void Abort() override;

private:
    void TakeReply();

    quint16 port_;
    QString query_;
    QString matchText_;
    TWhoisExchange::Limits limits_;
    TWhoisExchange exchange_;
};
