#include "engine/lookup/RdapStep.h"
#include "engine/lookup/RdapReply.h"
#include "engine/net/HttpSession.h"
#include <QDateTime>
#include <algorithm>

TRdapStep::TRdapStep(THttpSession& session, const QString& base, QString domain, THttpFetch::Limits limits)
    : TRouteStep(LookupRoute::Rdap, base, QUrl(base).host())
    , domain_(std::move(domain))
    , fetch_(std::make_unique<THttpFetch>(session, QUrl(base + QStringLiteral("domain/") + domain_), limits,
                                          THttpHeaders{{"Accept", "application/rdap+json"}}))
{
    connect(fetch_.get(), &THttpFetch::finished, this, &TRdapStep::TakeAnswer);
}

void TRdapStep::Start()
{
    fetch_->Start();
}

void TRdapStep::Abort()
{
    fetch_->Abort();
}

qint64 TRdapStep::RetryAfterMs(const QByteArray& header)
{
    const QByteArray value = header.trimmed();
    if (value.isEmpty())
        return -1;
    bool isNumber = false;
    const qint64 seconds = value.toLongLong(&isNumber);
    if (isNumber)
        return seconds < 0 ? -1 : std::min<qint64>(seconds, 86'400) * 1000;
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(value), Qt::RFC2822Date);
    if (!when.isValid())
        return -1;
    return std::clamp<qint64>(QDateTime::currentDateTimeUtc().msecsTo(when), 0, 86'400'000);
}

StepResult TRdapStep::Judge(const QString& domain, const THttpResult& page)
{
    StepResult result;
    if (page.outcome == THttpOutcome::Stopped) {
        result.outcome = StepOutcome::Stopped;
        result.text = QStringLiteral("stopped");
        return result;
    }
    if (page.status == 404 || (page.status == 200 && page.outcome == THttpOutcome::Fetched)) {
        const RdapAnswer answer = ClassifyRdapAnswer(page.status, page.body, domain);
        switch (answer.kind) {
        case RdapAnswer::Kind::NotFound: result = VerdictResult(LookupVerdict::Free, answer.reason); break;
        case RdapAnswer::Kind::Found: result = VerdictResult(LookupVerdict::Taken, answer.reason); break;
        case RdapAnswer::Kind::Reserved: result = VerdictResult(LookupVerdict::Reserved, answer.reason); break;
        case RdapAnswer::Kind::OtherDomain:   // no verdict: the next route answers
        case RdapAnswer::Kind::NoAnswer: result.text = answer.reason; break;
        }
        result.lines = answer.lines;
        return result;
    }
    if (page.status == 429) {
        result.outcome = StepOutcome::Refused;
        result.retryAfterMs = RetryAfterMs(page.retryAfter);
        result.refusalSummary = QStringLiteral("too many requests");
        result.text = QStringLiteral("RDAP: too many requests");
        return result;
    }
    const bool noStatus = page.status == 0 || (page.status == 200 && page.outcome != THttpOutcome::Fetched);
    result.text = noStatus ? QStringLiteral("RDAP: ") + page.failure : QStringLiteral("RDAP answered HTTP %1").arg(page.status);
    result.endpointFailed = page.unreachable();
    return result;
}

void TRdapStep::TakeAnswer()
{
    Finish(Judge(domain_, fetch_->result()));
}
