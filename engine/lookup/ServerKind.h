#pragma once
#include <QString>

// A server whose full name begins with exactly "http" (case-sensitive) is an HTTP lookup
// page; every other name is taken as a whois host.
inline bool IsHttpServer(const QString& serverName)
{
    return serverName.startsWith(QLatin1String("http"), Qt::CaseSensitive);
}
