#include "engine/lookup/RdapQuery.h"
#include "engine/lookup/HttpClient.h"
#include "engine/lookup/InterruptiblePause.h"
#include "engine/lookup/RdapReply.h"
#include "engine/lookup/RetryPauses.h"
#include <QDateTime>
#include <QUrl>
#include <algorithm>

qint64 TRdapQuery::RetryAfterMs(const QByteArray& header)
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

TRdapQuery::Result TRdapQuery::Ask(const QString& base, const QString& domain)
{
    Result result;
    const QUrl url(base + QStringLiteral("domain/") + domain);
    const THttpClient::Headers accept{{"Accept", "application/rdap+json"}};
    TRetryPauses pauses(FirstRetryPauseMs, MaxRetryPauseMs, RetryBoundMs);
    for (;;) {
        ++result.attempts;
        const THttpClient::Result page = http_.Get(url, NetworkLimits::MaxRdapBytes, accept);
        if (page.outcome == THttpClient::Outcome::Stopped) {
            result.outcome = Outcome::Stopped;
            result.reason = QStringLiteral("stopped");
            return result;
        }
        if (page.status == 404 || (page.status == 200 && page.outcome == THttpClient::Outcome::Fetched)) {
            const RdapAnswer answer = ClassifyRdapAnswer(page.status, page.body, domain);
            result.lines = answer.lines;
            result.reason = answer.reason;
            switch (answer.kind) {
            case RdapAnswer::Kind::NotFound: result.outcome = Outcome::NotFound; break;
            case RdapAnswer::Kind::Found: result.outcome = Outcome::Found; break;
            case RdapAnswer::Kind::Reserved: result.outcome = Outcome::Reserved; break;
            case RdapAnswer::Kind::OtherDomain:
            case RdapAnswer::Kind::NoAnswer: result.outcome = Outcome::NoAnswer; break;
            }
            return result;
        }
        if (page.status != 429) {
            const bool noStatus = page.status == 0 || (page.status == 200 && page.outcome != THttpClient::Outcome::Fetched);
            result.reason = noStatus ? QStringLiteral("RDAP: ") + page.failure
                                     : QStringLiteral("RDAP answered HTTP %1").arg(page.status);
            return result;
        }

        // 429: too many requests from this client.
        const qint64 pauseMs = pauses.Next(RetryAfterMs(page.retryAfter));
        if (pauseMs < 0) {
            result.reason = QStringLiteral("RDAP: too many requests (asked %1 times)").arg(result.attempts);
            return result;
        }
        if ((stopRequested_ && stopRequested_()) || !pause_.Wait(static_cast<int>(pauseMs))) {
            result.outcome = Outcome::Stopped;
            result.reason = QStringLiteral("stopped");
            return result;
        }
    }
}
