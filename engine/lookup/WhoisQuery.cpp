#include "engine/lookup/WhoisQuery.h"
#include "engine/MessagePump.h"
#include "engine/lookup/FailedServers.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/WhoisClient.h"

bool TWhoisQuery::GetWhoisResults(const QString& query, QStringList& reply)
{
    reply.clear();
    lastStopped_ = false;
    pump_.Process();

    const QString key = client_.Host.toUpper();
    if (failed_.Contains(key))
        return false;

    QByteArray text;
    const TWhoisClient::Outcome outcome = client_.Exchange(query, text);
    pump_.Process();
    pump_.Process();

    switch (outcome) {
    case TWhoisClient::Outcome::Read:
        reply = CutReplyIntoLines(text);
        return true;
    case TWhoisClient::Outcome::Stopped:
        lastStopped_ = true;
        return false;
    case TWhoisClient::Outcome::Refused:
        return false;
    case TWhoisClient::Outcome::Failed:
        break;
    }
    failed_.Add(key);
    return false;
}
