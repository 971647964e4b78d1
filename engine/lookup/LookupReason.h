#pragma once
#include <QString>

// The way a lookup went: `rdap` asks the TLD's RDAP service, `whois` and `http` its
// assigned server, `cache` answers from a registry's list of taken names, `dns` found the
// name delegated before any registry was asked.
enum class LookupRoute { None, Rdap, Whois, Http, Cache, Dns };

inline QString RouteName(LookupRoute route)
{
    switch (route) {
    case LookupRoute::Rdap: return QStringLiteral("rdap");
    case LookupRoute::Whois: return QStringLiteral("whois");
    case LookupRoute::Http: return QStringLiteral("http");
    case LookupRoute::Cache: return QStringLiteral("cache");
    case LookupRoute::Dns: return QStringLiteral("dns");
    case LookupRoute::None: break;
    }
    return QString();
}

// How a domain's verdict was reached: the route and server that answered (or were
// asked last), and in words what decided it, or why there is no answer.
struct LookupReason {
    LookupRoute Route = LookupRoute::None;
    QString Server;   // RDAP base URL, whois host, URL template or the taken-list pseudo-server
    QString Text;     // "the reply holds \"No Match\"", "refused by the registry: ...", ...
    qint64 Ms = -1;   // how long the lookup took, from the first question to the verdict; -1: none was asked
};
