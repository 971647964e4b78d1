#include "engine/runs/LookupPipeline.h"
#include "engine/Misc1.h"
#include "engine/runs/DnsPrecheck.h"
#include "engine/runs/LookupJob.h"
#include "engine/runs/LookupScheduler.h"
#include <QEventLoop>

TLookupPipeline::TLookupPipeline(TMisc1& engine, QStringList tlds, Settings settings, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , tlds_(std::move(tlds))
    , scheduler_(std::make_unique<TLookupScheduler>(settings.parallel, settings.perServer))
    // Answers that come early wait here for their turn; the window bounds how many. DNS
    // answers most domains at once, so with it the window holds two resolver loads.
    , window_(std::max({4, 4 * settings.parallel, settings.dnsPrecheck ? 2 * engine.DnsResolver.maxOutstanding : 0}))
{
    if (settings.dnsPrecheck)
        precheck_ = std::make_unique<TDnsPrecheck>(engine_, [this](const QString& text) {
            if (notify_)
                notify_(text);
        });
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
    const qint64 total = qint64(engine_.SearchList.count()) * tlds_.size();
    while (!aborted_ && nextToStart_ < total && nextToStart_ - nextToHand_ < window_) {
        const int nameIndex = static_cast<int>(nextToStart_ / tlds_.size());
        const int tldIndex = static_cast<int>(nextToStart_ % tlds_.size());
        const qint64 index = nextToStart_++;
        if (!IsLookedUp(nameIndex))
            continue;
        const TLDInfo* entry = engine_.TLDInfoList.Find(tlds_.at(tldIndex));
        if (!entry)
            continue;
        auto job = std::make_unique<TLookupJob>(engine_, *scheduler_, precheck_.get(), engine_.SearchList.at(nameIndex), *entry);
        TLookupJob* started = job.get();
        jobs_.emplace(index, std::move(job));
        started->Start();
    }
}

TLookupPipeline::Outcome TLookupPipeline::Await(int nameIndex, int tldIndex)
{
    const qint64 index = IndexOf(nameIndex, tldIndex);
    nextToHand_ = index;
    if (nextToStart_ <= index)
        nextToStart_ = index;   // names skipped by the caller are not started
    Feed();
    Outcome outcome;
    auto found = jobs_.find(index);
    if (found == jobs_.end()) {
        outcome.details.QueryStopped = true;   // aborted before it could start
        return outcome;
    }
    TLookupJob* job = found->second.get();
    job->TakeItsTurn();
    if (!job->done()) {
        QEventLoop loop;
        connect(job, &TLookupJob::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    outcome = {job->verdict(), job->isWhois(), job->details()};
    jobs_.erase(found);
    nextToHand_ = index + 1;
    Feed();
    return outcome;
}

void TLookupPipeline::CheckResolver(const std::function<void(const QString&)>& notify)
{
    notify_ = notify;
    if (precheck_)
        precheck_->CheckResolver(tlds_);
}

void TLookupPipeline::SetPaused(bool paused)
{
    scheduler_->SetPaused(paused);
}

void TLookupPipeline::AbortAll()
{
    aborted_ = true;
    for (auto& [index, job] : jobs_)
        job->Abort();
    if (precheck_)
        precheck_->StopAll();
}
