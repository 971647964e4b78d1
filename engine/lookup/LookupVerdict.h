#pragma once
#include <QString>

// The outcome of judging one domain in an automated search.
enum class LookupVerdict {
    Free,          // the reply holds the server's "not registered" phrase, or the name is not in the taken list
    Taken,         // the reply lacks the phrase, or the name is in the taken list
    ServerError,   // the reply lacks the phrase but reports a host name that could not be resolved
    LookupFailed,  // the server could not be asked, or the taken list was not available
};

// The text the automated search records and shows for a verdict; the counters go by its
// first letter.
inline QString VerdictStatusText(LookupVerdict verdict)
{
    switch (verdict) {
    case LookupVerdict::Free: return QStringLiteral("FREE");
    case LookupVerdict::Taken: return QStringLiteral("TAKEN");
    case LookupVerdict::ServerError: return QStringLiteral("ERROR");
    case LookupVerdict::LookupFailed: break;
    }
    return QStringLiteral("Error, Try using another server for this domain extension !");
}
