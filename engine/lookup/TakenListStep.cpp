#include "engine/lookup/TakenListStep.h"
#include "engine/lookup/TakenListCache.h"
#include "engine/lookup/TakenListDownload.h"

TTakenListStep::TTakenListStep(TTakenListCache& cache, QString name, QString tld)
    : TRouteStep(LookupRoute::Cache, CacheDomainsTakenListServer, CacheDomainsTakenListServer)
    , cache_(cache)
    , name_(std::move(name))
    , tld_(std::move(tld))
{
}

void TTakenListStep::Start()
{
    if (cache_.Consult(name_, tld_).kind != TakenListAnswer::Kind::NeedsList) {
        Answer(QString());
        return;
    }
    download_ = cache_.DownloadFor(name_, tld_);
    if (download_->done())
        TakeDownload();
    else
        connect(download_, &TTakenListDownload::finished, this, &TTakenListStep::TakeDownload);
}

void TTakenListStep::TakeDownload()
{
    if (!download_->stopped()) {
        Answer(download_->failure());
        return;
    }
    StepResult result;
    result.outcome = StepOutcome::Stopped;
    result.text = QStringLiteral("stopped");
    Finish(result);
}

void TTakenListStep::Abort()
{
    // The download goes on for the other names of its list until the search stops it.
    if (download_)
        download_->disconnect(this);
    StepResult result;
    result.outcome = StepOutcome::Stopped;
    result.text = QStringLiteral("stopped");
    Finish(result);
}

void TTakenListStep::Answer(const QString& downloadFailure)
{
    const TakenListAnswer answer = cache_.Consult(name_, tld_);
    switch (answer.kind) {
    case TakenListAnswer::Kind::Free:
        Finish(VerdictResult(LookupVerdict::Free, QStringLiteral("not in the registry's list of taken names")));
        return;
    case TakenListAnswer::Kind::Taken:
        Finish(VerdictResult(LookupVerdict::Taken, QStringLiteral("in the registry's list of taken names")));
        return;
    case TakenListAnswer::Kind::Unavailable:
    case TakenListAnswer::Kind::NeedsList:
        break;
    }
    StepResult result;
    result.text = downloadFailure.isEmpty() ? answer.why : downloadFailure;
    Finish(result);
}
