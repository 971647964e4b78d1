#include "engine/lookup/WhoisStep.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/WhoisRefusal.h"

TWhoisStep::TWhoisStep(const QString& host, quint16 port, QString query, QString matchText, TWhoisExchange::Limits limits)
    : TRouteStep(LookupRoute::Whois, host, host)
    , port_(port)
    , query_(std::move(query))
    , matchText_(std::move(matchText))
    , limits_(limits)
{
    // Queued: the exchange may end inside Start(), and its owner may go in the handler.
    connect(&exchange_, &TWhoisExchange::finished, this, &TWhoisStep::TakeReply, Qt::QueuedConnection);
}

void TWhoisStep::Start()
{
    exchange_.Start(endpoint(), port_, query_, limits_);
}

void TWhoisStep::Abort()
{
    exchange_.Abort();
    StepResult result;
    result.outcome = StepOutcome::Stopped;
    result.text = QStringLiteral("stopped");
    Finish(result);
}

void TWhoisStep::TakeReply()
{
    StepResult result;
    const TWhoisExchange::Outcome outcome = exchange_.outcome();
    const QByteArray& text = exchange_.reply();
    const bool refused = outcome == TWhoisExchange::Outcome::Reset
                         || (outcome == TWhoisExchange::Outcome::Read && IsRefusalReply(text));
    if (refused) {
        result.outcome = StepOutcome::Refused;
        result.retryAfterMs = RequestedWaitMs(text);
        result.refusalSummary = outcome == TWhoisExchange::Outcome::Reset
                                    ? QStringLiteral("the connection was reset before any reply")
                                    : RefusalSummary(text);
        result.text = QStringLiteral("refused by the registry: ") + result.refusalSummary;
        Finish(result);
        return;
    }
    switch (outcome) {
    case TWhoisExchange::Outcome::Read: {
        const QStringList lines = CutReplyIntoLines(text);
        const LookupVerdict verdict = JudgeReply(lines, matchText_.toUpper());
        result = VerdictResult(verdict, ReplyVerdictReason(verdict, matchText_, lines));
        result.reply = text;
        break;
    }
    case TWhoisExchange::Outcome::Stopped:
        result.outcome = StepOutcome::Stopped;
        result.text = exchange_.why();
        break;
    case TWhoisExchange::Outcome::Failed:
        result.endpointFailed = true;
        result.text = exchange_.why();
        break;
    case TWhoisExchange::Outcome::Refused:
    case TWhoisExchange::Outcome::Reset:
    case TWhoisExchange::Outcome::Waiting:
        result.text = exchange_.why();
        break;
    }
    Finish(result);
}
