#include "engine/Misc1.h"
#include <algorithm>

TMisc1::TMisc1(QObject* parent)
    : QObject(parent)
{
    RdapBootstrap.UseShipped();
    // Stop ends a network wait at once.
    connect(this, &TMisc1::stopRequested, this, [this] {
        Whois1.Abort();
        Http.Abort();
        refusalPause_.Abort();
    });
}

TMisc1::~TMisc1() = default;

void TMisc1::SetLookupTimeout(int seconds)
{
    const int ms = std::clamp(seconds, 1, 120) * 1000;
    Whois1.IdleTimeoutMs = ms;
    Whois1.ConnectTimeoutMs = std::min(NetworkLimits::ConnectTimeoutMs, ms);
    Http.IdleTimeoutMs = ms;
}

QString TMisc1::RdapBaseFor(const QString& tld, bool skipTakenLists) const
{
    if (!RdapEnabled || RdapPinnedTlds.contains(tld.toLower()))
        return QString();
    if (!skipTakenLists) {
        // The taken-list TLDs keep their cache in the automated run.
        const TLDInfo* entry = TLDInfoList.Find(tld);
        if (entry && entry->Server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(CacheTldOf(tld)))
            return QString();
    }
    return RdapBootstrap.BaseUrlForTld(tld);
}

void TMisc1::setProgramFolder(const QString& folder)
{
    locations_ = FileLocations::InOneFolder(folder);
}

void TMisc1::RequestStop()
{
    StopRequest = 1;
    emit stopRequested();
}

QList<std::pair<LookupRoute, QString>> TMisc1::RoutesOf(const TLDInfo& entry, bool skipTakenLists) const
{
    QList<std::pair<LookupRoute, QString>> routes;
    if (const QString base = RdapBaseFor(entry.TLD, skipTakenLists); !base.isEmpty())
        routes.append({LookupRoute::Rdap, base});
    if (entry.Server.isEmpty())
        return routes;
    if (!skipTakenLists && entry.Server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(CacheTldOf(entry.TLD)))
        routes.append({LookupRoute::Cache, entry.Server});
    else
        routes.append({IsHttpServer(entry.Server) ? LookupRoute::Http : LookupRoute::Whois, entry.Server});
    return routes;
}

std::pair<LookupRoute, QString> TMisc1::FirstRouteOf(const TLDInfo& entry) const
{
    const auto routes = RoutesOf(entry, false);
    return routes.isEmpty() ? std::pair{LookupRoute::Whois, entry.Server} : routes.first();
}
