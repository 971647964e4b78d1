#include "engine/lookup/WhoisQuery.h"
#include "engine/MessagePump.h"
#include "engine/lookup/FailedServers.h"
#include "engine/lookup/InterruptiblePause.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/RetryPauses.h"
#include "engine/lookup/WhoisClient.h"
#include "engine/lookup/WhoisRefusal.h"

bool TWhoisQuery::GetWhoisResults(const QString& query, QStringList& reply)
{
    reply.clear();
    lastStopped_ = false;
    lastFailure_.clear();
    attempts_ = 0;
    pump_.Process();

    const QString key = client_.Host.toUpper();
    if (failed_.Contains(key)) {
        lastFailure_ = QStringLiteral("not asked again: it failed earlier in this search");
        return false;
    }

    TRetryPauses pauses(FirstRefusalPauseMs, MaxRefusalPauseMs, RefusalBoundMs);
    for (;;) {
        ++attempts_;
        QByteArray text;
        const TWhoisClient::Outcome outcome = client_.Exchange(query, text, &lastFailure_);
        pump_.Process();
        pump_.Process();

        const bool refused = outcome == TWhoisClient::Outcome::Reset
                             || (outcome == TWhoisClient::Outcome::Read && IsRefusalReply(text));
        if (!refused) {
            switch (outcome) {
            case TWhoisClient::Outcome::Read:
                lastFailure_.clear();
                reply = CutReplyIntoLines(text);
                return true;
            case TWhoisClient::Outcome::Stopped:
                lastStopped_ = true;
                return false;
            case TWhoisClient::Outcome::Refused:
                return false;
            case TWhoisClient::Outcome::Failed:
            case TWhoisClient::Outcome::Reset:
            case TWhoisClient::Outcome::Waiting:
                break;
            }
            failed_.Add(key);
            return false;
        }

        // Refused: the registry limits this client and said nothing about the name.
        const QString summary = outcome == TWhoisClient::Outcome::Reset
                                    ? QStringLiteral("the connection was reset before any reply")
                                    : RefusalSummary(text);
        const qint64 pauseMs = pauses.Next(RequestedWaitMs(text));
        if (pauseMs < 0) {
            lastFailure_ = QStringLiteral("refused by the registry (asked %1 times): %2").arg(attempts_).arg(summary);
            return false;
        }
        if ((stopRequested_ && stopRequested_()) || !pause_.Wait(static_cast<int>(pauseMs))) {
            lastStopped_ = true;
            lastFailure_ = QStringLiteral("stopped");
            return false;
        }
    }
}
