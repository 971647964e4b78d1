#include "engine/lookup/HttpQuery.h"
#include "engine/MessagePump.h"
#include "engine/lookup/FailedServers.h"
#include "engine/lookup/HttpClient.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/TakenListCache.h"
#include "engine/lookup/UrlTemplate.h"

bool THttpQuery::GetHTTPResults(const QString& urlTemplate, const QString& domain, QStringList& reply)
{
    reply.clear();
    lastStopped_ = false;
    lastFailure_.clear();
    pump_.Process();

    const QString key = urlTemplate.toUpper();
    if (failed_.Contains(key)) {
        lastFailure_ = QStringLiteral("not asked again: it failed earlier in this search");
        return false;
    }

    THttpClient::Result page;
    if (urlTemplate == CacheDomainsTakenListServer) {
        page.failure = QStringLiteral("not a web address");   // the marker of the taken-list route is no page
    } else {
        const QUrl url(FillUrlTemplate(urlTemplate, domain, random_));
        page = client_.Get(url, NetworkLimits::MaxLookupPageBytes);
    }
    pump_.Process();
    pump_.Process();

    switch (page.outcome) {
    case THttpClient::Outcome::Fetched:
        reply = CutReplyIntoLines(page.body);
        return true;
    case THttpClient::Outcome::ClosedBeforeBody:
        return true;   // an empty page
    case THttpClient::Outcome::Stopped:
        lastStopped_ = true;
        lastFailure_ = QStringLiteral("stopped");
        return false;
    case THttpClient::Outcome::Failed:
        break;
    }
    lastFailure_ = page.failure;
    failed_.Add(key);
    return false;
}
