#include "engine/lookup/WebPageStep.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/UrlTemplate.h"

TWebPageStep::TWebPageStep(THttpSession& session, const QString& urlTemplate, const QString& domain, QString matchText,
                           THttpFetch::Limits limits, QRandomGenerator& random)
    : TWebPageStep(session, urlTemplate, QUrl(FillUrlTemplate(urlTemplate, domain, random)), std::move(matchText), limits)
{
}

TWebPageStep::TWebPageStep(THttpSession& session, const QString& urlTemplate, const QUrl& url, QString matchText,
                           THttpFetch::Limits limits)
    : TRouteStep(LookupRoute::Http, urlTemplate, url.host())
    , matchText_(std::move(matchText))
    , fetch_(std::make_unique<THttpFetch>(session, url, limits))
{
    connect(fetch_.get(), &THttpFetch::finished, this, &TWebPageStep::TakePage);
}

void TWebPageStep::Start()
{
    fetch_->Start();
}

void TWebPageStep::Abort()
{
    fetch_->Abort();
}

void TWebPageStep::TakePage()
{
    const THttpResult& page = fetch_->result();
    StepResult result;
    switch (page.outcome) {
    case THttpOutcome::Fetched:
    case THttpOutcome::ClosedBeforeBody: {   // an empty page
        const QStringList lines = CutReplyIntoLines(page.body);
        const LookupVerdict verdict = JudgeReply(lines, matchText_.toUpper());
        result = VerdictResult(verdict, ReplyVerdictReason(verdict, matchText_, lines));
        result.reply = page.body;
        break;
    }
    case THttpOutcome::Stopped:
        result.outcome = StepOutcome::Stopped;
        result.text = QStringLiteral("stopped");
        break;
    case THttpOutcome::Failed:
        result.text = page.failure;
        result.endpointFailed = true;
        break;
    }
    Finish(result);
}
