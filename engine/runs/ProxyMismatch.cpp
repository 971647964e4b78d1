#include "engine/Misc1.h"

// A firewall that blocks whois but lets a proxy through is the likely cause of a failed
// lookup when the system uses a proxy that our own entries do not match.
bool TMisc1::ProxySettingsDiffer() const
{
    return ::ProxySettingsDiffer(systemProxySource(), ProxyEntries.Server, ProxyEntries.Port);
}
