#pragma once
#include "engine/lookup/RouteStep.h"
#include "engine/net/HttpFetch.h"
#include <memory>

class THttpSession;
class QRandomGenerator;

// Fetches a registry's lookup page for one domain (its URL template filled in) and judges
// the page by the TLD's phrase. A page that cannot be fetched fails the domain, and the
// template is not fetched again in this search.
class TWebPageStep : public TRouteStep {
    Q_OBJECT
public:
    // `domain`: the lower-cased name followed by its extension.
    TWebPageStep(THttpSession& session, const QString& urlTemplate, const QString& domain, QString matchText,
                 THttpFetch::Limits limits, QRandomGenerator& random);

    void Start() override;
    void Abort() override;

private:
    TWebPageStep(THttpSession& session, const QString& urlTemplate, const QUrl& url, QString matchText,
                 THttpFetch::Limits limits);
    void TakePage();

    QString matchText_;
    std::unique_ptr<THttpFetch> fetch_;
};
