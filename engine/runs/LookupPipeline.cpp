#include "engine/runs/LookupPipeline.h"
#include "engine/Misc1.h"
#include "engine/runs/DnsPrecheck.h"
#include "engine/runs/LookupJob.h"
#include "engine/runs/RouteSelfChecks.h"
#include "engine/net/LookupScheduler.h"
#include <QEventLoop>

TLookupPipeline::TLookupPipeline(TMisc1& engine, TldsOfName tldsOf, Settings settings, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , tldsOf_(std::move(tldsOf))
    , scheduler_(std::make_unique<TLookupScheduler>(settings.parallel, settings.perServer))
    // Answers that come early wait here for their turn; the window bounds how many. DNS
    // answers most domains at once, so with it the window holds two resolver loads.
    , window_(static_cast<size_t>(
          std::max({4, 4 * settings.parallel, settings.dnsPrecheck ? 2 * engine.DnsResolver.maxOutstanding : 0})))
{
    if (settings.dnsPrecheck)
        precheck_ = std::make_unique<TDnsPrecheck>(engine_);
    if (settings.selfCheck)
        selfChecks_ = std::make_unique<TRouteSelfChecks>(engine_, *scheduler_, settings.notify);
    connect(&engine_, &TMisc1::stopRequested, this, &TLookupPipeline::AbortAll);
}

TLookupPipeline::~TLookupPipeline()
{
    AbortAll();
    jobs_.clear();
}

bool TLookupPipeline::IsLookedUp(int nameIndex)
{
    if (nameIndex != checkedName_) {
        checkedName_ = nameIndex;
        checkedNameValid_ = engine_.IsValidAddress(engine_.SearchList.at(nameIndex)).isEmpty();
    }
    return checkedNameValid_;
}

void TLookupPipeline::Feed()
{
    // The search list may still grow while the run goes on (names fed from outside).
    while (!aborted_ && jobs_.size() < window_ && nextToStart_.name < engine_.SearchList.count()) {
        const Position position = nextToStart_;
        const QStringList tlds = tldsOf_(position.name);
        if (position.tld >= tlds.size() || !IsLookedUp(position.name)) {
            nextToStart_ = {position.name + 1, 0};
            continue;
        }
        ++nextToStart_.tld;
        const TLDInfo* entry = engine_.TLDInfoList.Find(tlds.at(position.tld));
        if (!entry)
            continue;
        auto job = std::make_unique<TLookupJob>(engine_, *scheduler_, precheck_.get(), engine_.SearchList.at(position.name),
                                                *entry, TLookupJob::Options{++started_, false, false, selfChecks_.get()});
        TLookupJob* started = job.get();
        jobs_.emplace(position, std::move(job));
        started->Start();
    }
}

TLookupPipeline::Outcome TLookupPipeline::Await(int nameIndex, int tldIndex)
{
    const Position position{nameIndex, tldIndex};
    // Domains skipped by the caller are not needed any more, nor started.
    while (!jobs_.empty() && jobs_.begin()->first < position) {
        jobs_.begin()->second->Abort();
        jobs_.erase(jobs_.begin());
    }
    if (nextToStart_ < position)
        nextToStart_ = position;
    Feed();
    Outcome outcome;
    auto found = jobs_.find(position);
    if (found == jobs_.end()) {
        outcome.details.QueryStopped = true;   // aborted before it could start
        return outcome;
    }
    TLookupJob* job = found->second.get();
    if (!job->done()) {
        QEventLoop loop;
        connect(job, &TLookupJob::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    outcome = {job->verdict(), job->isWhois(), job->details()};
    jobs_.erase(found);
    Feed();
    return outcome;
}

void TLookupPipeline::CheckResolver(const QStringList& tlds, const std::function<void(const QString&)>& notify)
{
    if (precheck_)
        precheck_->CheckResolver(tlds, notify);
}

void TLookupPipeline::SetPaused(bool paused)
{
    scheduler_->SetPaused(paused);
}

void TLookupPipeline::AbortAll()
{
    aborted_ = true;
    // The slot each aborted lookup gives back must not start the next one.
    scheduler_->SetPaused(true);
    for (auto& [index, job] : jobs_)
        job->Abort();
    engine_.TakenListCache.AbortDownloads();
    if (selfChecks_)
        selfChecks_->AbortAll();
    if (precheck_)
        precheck_->StopAll();
}
