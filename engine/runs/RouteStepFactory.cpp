#include "engine/runs/RouteStepFactory.h"
#include "engine/Misc1.h"
#include "engine/lookup/RdapStep.h"
#include "engine/lookup/TakenListStep.h"
#include "engine/lookup/WebPageStep.h"
#include "engine/lookup/WhoisStep.h"
#include <QRandomGenerator>
#include <QUrl>

QString RouteHost(LookupRoute kind, const QString& endpoint)
{
    if (kind != LookupRoute::Rdap && kind != LookupRoute::Http)
        return endpoint;
    const QString host = QUrl(endpoint).host();
    return host.isEmpty() ? endpoint : host;
}

std::unique_ptr<TRouteStep> MakeRouteStep(TMisc1& engine, LookupRoute kind, const QString& endpoint, const QString& name,
                                          const TLDInfo& entry)
{
    const QString query = QueryForm(name.toLower() + entry.TLD);
    switch (kind) {
    case LookupRoute::Rdap:
        return std::make_unique<TRdapStep>(engine.Http.session(), endpoint, query.toLower(),
                                           engine.Http.limits(NetworkLimits::MaxRdapBytes));
    case LookupRoute::Http:
        return std::make_unique<TWebPageStep>(engine.Http.session(), endpoint, query, entry.MatchText,
                                              engine.Http.limits(NetworkLimits::MaxLookupPageBytes),
                                              *QRandomGenerator::global());
    case LookupRoute::Cache:
        return std::make_unique<TTakenListStep>(engine.TakenListCache, name, CacheTldOf(entry.TLD));
    case LookupRoute::Whois:
    case LookupRoute::Dns:
    case LookupRoute::None:
        break;
    }
    return std::make_unique<TWhoisStep>(endpoint, engine.Whois1.Port, query, entry.MatchText, engine.Whois1.limits());
}
