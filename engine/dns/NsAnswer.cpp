#include "engine/dns/NsAnswer.h"
#include <ares.h>
#include <limits>
#include <netdb.h>

namespace {

// True when the answer section holds at least one NS record.
bool HoldsNameServers(QByteArrayView reply)
{
    if (reply.size() > std::numeric_limits<int>::max())
        return false;
    hostent* host = nullptr;
    const int status = ares_parse_ns_reply(reinterpret_cast<const unsigned char*>(reply.data()),
                                           static_cast<int>(reply.size()), &host);
    const bool delegated = status == ARES_SUCCESS && host && host->h_aliases && host->h_aliases[0];
    if (host)
        ares_free_hostent(host);
    return delegated;
}

} // namespace

NsAnswer ReadNsAnswer(int aresStatus, QByteArrayView reply)
{
    switch (aresStatus) {
    case ARES_SUCCESS:
        return HoldsNameServers(reply) ? NsAnswer::Delegated : NsAnswer::NotDelegated;
    case ARES_ENOTFOUND:   // NXDOMAIN
    case ARES_ENODATA:     // the name exists without NS records
        return NsAnswer::NotDelegated;
    case ARES_ETIMEOUT:
    case ARES_ECONNREFUSED:
        return NsAnswer::NoReply;
    default:
        return NsAnswer::ServerFailure;
    }
}

QString NsStatusText(int aresStatus)
{
    switch (aresStatus) {
    case ARES_ENOTFOUND: return QStringLiteral("NXDOMAIN");
    case ARES_ENODATA: return QStringLiteral("no NS records");
    case ARES_ESERVFAIL: return QStringLiteral("SERVFAIL");
    case ARES_EREFUSED: return QStringLiteral("the resolver refused the query");
    case ARES_ETIMEOUT: return QStringLiteral("no answer in time");
    case ARES_ECONNREFUSED: return QStringLiteral("the resolver cannot be reached");
    default: return QString::fromUtf8(ares_strerror(aresStatus));
    }
}
