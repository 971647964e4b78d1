#pragma once
#include <QByteArrayView>
#include <QString>

// What a resolver's answer to "the NS records of NAME" says about NAME.
enum class NsAnswer {
    Delegated,      // NS records for the name: it is registered and in use
    NotDelegated,   // the name does not exist, or has no NS records: proves nothing
    ServerFailure,  // SERVFAIL, REFUSED, a malformed or truncated answer
    NoReply,        // no answer in time, or the resolver cannot be reached
};

// Reads c-ares' outcome of an NS query: its status code and, on success, the answer's
// bytes. Any bytes are safe here.
NsAnswer ReadNsAnswer(int aresStatus, QByteArrayView reply);

// In words, for a reason or a notice: "NXDOMAIN", "the query timed out", ...
QString NsStatusText(int aresStatus);
