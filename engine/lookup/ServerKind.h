#pragma once
#include <QLatin1StringView>
#include <QString>

// What a server's full name says about how to ask it.

// The pseudo-server that answers from the downloaded lists of taken names.
inline constexpr QLatin1StringView CacheServerName("Cache Domains Taken List");

// The phrase assumed for a server that names none of its own.
inline constexpr QLatin1StringView DefaultMatchText("No Match");

// A full server name whose first four characters are exactly "http" is an HTTP
// lookup page (URL template); every other name is a whois host, even one that
// begins "HTTP" in capitals.
inline bool IsHttpServer(const QString& fullName)
{
    return fullName.startsWith(QLatin1StringView("http"), Qt::CaseSensitive);
}
