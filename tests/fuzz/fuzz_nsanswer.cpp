// A resolver's answer to an NS question, as the DNS pre-check reads it: any bytes give one
// of the answers, and only a reply holding NS records can say "delegated".
#include "engine/dns/NsAnswer.h"
#include <ares.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView reply(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const NsAnswer answer = ReadNsAnswer(ARES_SUCCESS, reply);
    if (answer != NsAnswer::Delegated && answer != NsAnswer::NotDelegated)
        __builtin_trap();   // a reply in hand is read, never taken for silence
    if (size < 12 && answer == NsAnswer::Delegated)
        __builtin_trap();   // no room for a header, let alone a record
    return 0;
}
