// An RDAP answer body: read as a domain object, turned into the single search's lines,
// read as a "not found" answer, which always has a line to show, and classified as a 404
// and a 200 answer, which always say what decided.
#include "engine/lookup/RdapReply.h"
#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    RdapDomainRecord record;
    QString why;
    if (ReadRdapDomain(body, record, &why)) {
        if (RdapRecordLines(record).isEmpty())
            __builtin_trap();
    } else if (why.isEmpty()) {
        __builtin_trap();   // a refusal always says why
    }
    if (RdapNotFoundLines(QStringLiteral("name.test"), body).isEmpty())
        __builtin_trap();
    for (const int status : {200, 404})
        if (ClassifyRdapAnswer(status, body, QStringLiteral("name.test")).reason.isEmpty())
            __builtin_trap();
    return 0;
}
