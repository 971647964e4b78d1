#pragma once
#include <QString>

// The outcome of judging one domain in an automated search.
enum class LookupVerdict {
    Free,          // the reply holds the server's "not registered" phrase, or the name is not in the taken list
    Taken,         // the reply lacks the phrase, or the name is in the taken list
    ServerError,   // the reply lacks the phrase but reports a host name that could not be resolved
    LookupFailed,  // the server could not be asked, or the taken list was not available
    Reserved,      // the registry holds the name back (reserved, blocked, premium-held): nobody can register it
    Closed,        // a brand TLD: only its owner may hold names, so none was asked
};

// The text the automated search records and shows for a verdict; the counters go by its
// first letter. A reserved name and a brand TLD's name cannot be registered: both count
// as taken.
inline QString VerdictStatusText(LookupVerdict verdict)
{
    switch (verdict) {
    case LookupVerdict::Free: return QStringLiteral("FREE");
    case LookupVerdict::Taken:
    case LookupVerdict::Reserved:
    case LookupVerdict::Closed: return QStringLiteral("TAKEN");
    case LookupVerdict::ServerError: return QStringLiteral("ERROR");
    case LookupVerdict::LookupFailed: break;
    }
    return QStringLiteral("Error, Try using another server for this domain extension !");
}
