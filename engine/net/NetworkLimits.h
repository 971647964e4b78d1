#pragma once
#include <QtGlobal>

// Bounds on every network wait and every reply, so that a server that never answers, or
// answers without end, cannot hold a search. The clients start from these values; tests
// shorten them.
namespace NetworkLimits {
inline constexpr int ConnectTimeoutMs = 15'000;             // name resolution and TCP connect
inline constexpr int IdleTimeoutMs = 30'000;                // longest stretch without any data
// Longest a whole exchange may take: a server that trickles a byte now and then never
// lets the idle bound run out.
inline constexpr int WhoisExchangeTimeoutMs = 120'000;
inline constexpr int PageTimeoutMs = 300'000;
inline constexpr qint64 MaxWhoisReplyBytes = 1LL << 20;     // 1 MiB
inline constexpr qint64 MaxPageBytes = 32LL << 20;          // 32 MiB
// A registry's answer page for one name is cut into lines in memory, a list entry per
// line break, so its cap is lower than that of the taken-list downloads.
inline constexpr qint64 MaxLookupPageBytes = 4LL << 20;     // 4 MiB
inline constexpr int MaxRedirects = 20;
inline constexpr qint64 MaxRdapBytes = 1LL << 20;           // 1 MiB: an RDAP answer for one name
// A registry that refuses a query (limit exceeded, an empty reply; for RDAP a 429) is asked again after a
// pause: the first of FirstRefusalPauseMs, each further one twice the last up to
// MaxRefusalPauseMs, or as long as the refusal itself asks. When the pauses would add up
// to more than RefusalBoundMs the domain gets an error instead.
inline constexpr int FirstRefusalPauseMs = 1'000;
inline constexpr int MaxRefusalPauseMs = 60'000;
inline constexpr int RefusalBoundMs = 180'000;
} // namespace NetworkLimits
