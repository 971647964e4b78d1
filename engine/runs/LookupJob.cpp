#include "engine/runs/LookupJob.h"
#include "engine/Misc1.h"
#include "engine/lookup/TldPolicy.h"
#include "engine/net/LookupScheduler.h"
#include "engine/runs/DnsPrecheck.h"
#include "engine/runs/RouteSelfChecks.h"
#include "engine/runs/RouteStepFactory.h"
#include <algorithm>

namespace {
const QString kGivenUp = QStringLiteral("not asked again: it failed earlier in this search");
const QString kRdapGivenUp = QStringLiteral("RDAP: the service was not asked, it failed earlier in this search");
} // namespace

TLookupJob::TLookupJob(TMisc1& engine, TLookupScheduler& scheduler, TDnsPrecheck* precheck, QString name, TLDInfo entry,
                       Options options, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , scheduler_(scheduler)
    , precheck_(precheck)
    , name_(std::move(name))
    , entry_(std::move(entry))
    , options_(options)
{
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    connect(&pause_, &QTimer::timeout, this, &TLookupJob::AskRoute);
}

TLookupJob::~TLookupJob()
{
    if (dnsTicket_)
        precheck_->Forget(dnsTicket_);
    if (ticket_)
        scheduler_.Cancel(ticket_);
    if (step_)
        step_->Abort();
    if (holdsSlot_)
        scheduler_.Release(serverKey_);
}

void TLookupJob::Start()
{
    if (!options_.askClosedTlds && IsClosedTld(entry_.TLD)) {   // a brand TLD: nobody is asked
        details_.Reason.Text = ClosedTldReason();
        Finish(LookupVerdict::Closed);
        return;
    }
    for (const auto& [kind, endpoint] : engine_.RoutesOf(entry_, options_.skipTakenLists))
        routes_.append({kind, endpoint});
    if (precheck_ && precheck_->AppliesTo(entry_.TLD)) {
        asked_.start();   // a domain that DNS leaves to the registry counts its time from here
        dnsTicket_ = precheck_->Ask(QueryForm(name_.toLower() + entry_.TLD), entry_.TLD,
                                    [this](bool delegated) { TakeDnsAnswer(delegated); });
        return;
    }
    AskRoute();
}

void TLookupJob::TakeDnsAnswer(bool delegated)
{
    dnsTicket_ = 0;
    if (!delegated) {
        AskRoute();
        return;
    }
    details_.LookupSucceeded = true;
    details_.Reason = {LookupRoute::Dns, precheck_->server(), QStringLiteral("delegated in DNS"), -1};
    Finish(LookupVerdict::Taken);
}

// Asks the scheduler for the current route's server; a server given up earlier in this
// search is not asked, and the next route answers at once.
void TLookupJob::AskRoute()
{
    if (done_)
        return;
    if (routeIndex_ >= routes_.size()) {
        Fail(QStringLiteral("no server is assigned to ") + entry_.TLD);
        return;
    }
    const Route& route = routes_.at(routeIndex_);
    isWhois_ = route.kind == LookupRoute::Whois;
    details_.Reason.Route = route.kind;
    details_.Reason.Server = route.endpoint;
    if (engine_.FailedServers.Contains(route.endpoint)) {
        HandOver(route.kind == LookupRoute::Rdap ? kRdapGivenUp : kGivenUp);
        return;
    }
    if (!AwaitRouteCheck(route.kind, route.endpoint))
        return;
    if (route.kind == LookupRoute::Rdap && options_.selfChecks
        && options_.selfChecks->FindingFor(route.kind, route.endpoint, entry_.TLD).rdapNotUsed) {
        rdapNotUsed_ = QStringLiteral("the RDAP service is not used for %1 in this search: it says nic%1 is not registered")
                           .arg(entry_.TLD.toLower());
        HandOver(QStringLiteral("RDAP: ") + rdapNotUsed_);
        return;
    }
    serverKey_ = TLookupScheduler::ServerKeyOf(RouteHost(route.kind, route.endpoint));
    ticket_ = scheduler_.Request(serverKey_, options_.order, [this] { StartStep(); });
}

// True when the route may be asked now: the run makes no checks, or the route's check is
// settled. Otherwise the check runs (started by the first lookup that needs it) and this
// lookup asks the route again when it is settled.
bool TLookupJob::AwaitRouteCheck(LookupRoute kind, const QString& endpoint)
{
    TRouteSelfChecks* checks = options_.selfChecks;
    if (!checks || !TRouteSelfChecks::Applies(kind, entry_.TLD) || checks->Ensure(kind, endpoint, entry_, options_.order))
        return true;
    const QString key = TRouteSelfChecks::KeyOf(kind, endpoint, entry_.TLD);
    routeCheck_ = connect(checks, &TRouteSelfChecks::settled, this, [this, key](const QString& settled) {
        if (settled != key)
            return;
        disconnect(routeCheck_);
        AskRoute();
    });
    return false;
}

// A reply the phrase calls taken, equal to the reply for a name that does not exist.
bool TLookupJob::SameReplyAsMadeUpName(const StepResult& result) const
{
    if (!options_.selfChecks || result.verdict != LookupVerdict::Taken)
        return false;
    const Route& route = routes_.at(routeIndex_);
    if (route.kind != LookupRoute::Whois && route.kind != LookupRoute::Http)
        return false;
    const QString shape = options_.selfChecks->FindingFor(route.kind, route.endpoint, entry_.TLD).freeReplyShape;
    return !shape.isEmpty()
           && TRouteSelfChecks::ReplyShape(result.reply, QueryForm(name_.toLower() + entry_.TLD)) == shape;
}

void TLookupJob::StartStep()
{
    ticket_ = 0;
    holdsSlot_ = true;
    const Route& route = routes_.at(routeIndex_);
    // The server may have failed while this lookup waited for its turn.
    if (engine_.FailedServers.Contains(route.endpoint)) {
        holdsSlot_ = false;
        scheduler_.Release(serverKey_);
        HandOver(route.kind == LookupRoute::Rdap ? kRdapGivenUp : kGivenUp);
        return;
    }
    ++attempts_;
    if (!asked_.isValid())
        asked_.start();
    emit asking(RouteHost(route.kind, route.endpoint));
    step_ = MakeRouteStep(engine_, route.kind, route.endpoint, name_, entry_);
    // Queued: a step may end inside Start(), and this lookup lets it go when it ends.
    connect(step_.get(), &TRouteStep::finished, this, &TLookupJob::TakeStepResult, Qt::QueuedConnection);
    step_->Start();
}

void TLookupJob::TakeStepResult()
{
    if (!step_ || done_ || !step_->done())
        return;
    const StepResult result = step_->result();
    const LookupRoute route = step_->route();
    const QString endpoint = step_->endpoint();
    step_.reset();
    lastStep_ = result;
    // Listed before the slot goes, so a lookup waiting for this server is not sent to it.
    if (result.endpointFailed)
        engine_.FailedServers.Add(endpoint);
    holdsSlot_ = false;
    scheduler_.Release(serverKey_, {result.outcome == StepOutcome::Refused, result.retryAfterMs});

    switch (result.outcome) {
    case StepOutcome::Verdict: {
        details_.LookupSucceeded = result.answered;
        details_.Reason.Text = result.text;
        LookupVerdict verdict = result.verdict;
        if (SameReplyAsMadeUpName(result)) {
            verdict = LookupVerdict::Free;
            details_.Reason.Text = QStringLiteral("same reply as a name that does not exist");
        }
        if (handedOver_.contains(kRdapGivenUp))
            details_.Reason.Text += QStringLiteral(" (the RDAP service was given up earlier in this search)");
        else if (!rdapNotUsed_.isEmpty())
            details_.Reason.Text += QStringLiteral(" (") + rdapNotUsed_ + QLatin1Char(')');
        Finish(verdict);
        return;
    }
    case StepOutcome::Refused:
        TakeRefusal(result);
        return;
    case StepOutcome::Stopped:
        details_.QueryStopped = true;
        details_.Reason.Text = result.text;
        Finish(LookupVerdict::LookupFailed);
        return;
    case StepOutcome::NoAnswer:
        takenListError_ = route == LookupRoute::Cache;
        HandOver(result.text);
        return;
    }
}

// Asked again after the pause of the refusal rule (or the wait the server asked for),
// through the scheduler; when the pauses of this route, or of the whole domain, would pass
// their bound, the route gives up.
void TLookupJob::TakeRefusal(const StepResult& result)
{
    const LookupRoute route = routes_.at(routeIndex_).kind;
    const RetryPacing pacing = route == LookupRoute::Rdap ? engine_.RdapRetries : engine_.whoisQuery().refusalPacing();
    if (!pauses_)
        pauses_.emplace(pacing);
    const qint64 domainBoundMs = std::max(engine_.RdapRetries.boundMs, engine_.whoisQuery().refusalPacing().boundMs);
    qint64 pauseMs = pauses_->Next(result.retryAfterMs);
    if (pauseMs >= 0 && pausedMs_ + pauseMs > domainBoundMs)
        pauseMs = -1;
    if (pauseMs < 0) {
        if (route == LookupRoute::Rdap)
            HandOver(QStringLiteral("RDAP: too many requests (asked %1 times)").arg(attempts_));
        else
            Fail(QStringLiteral("refused by the registry (asked %1 times): %2").arg(attempts_).arg(result.refusalSummary));
        return;
    }
    pausedMs_ += pauseMs;
    pause_.start(static_cast<int>(pauseMs));
}

// The current route could not tell: the next one is asked, or the domain fails with the
// reasons of every route.
void TLookupJob::HandOver(const QString& why)
{
    if (routeIndex_ + 1 >= routes_.size()) {
        Fail(why);
        return;
    }
    handedOver_.append(why);
    ++routeIndex_;
    attempts_ = 0;
    pauses_.reset();
    AskRoute();
}

void TLookupJob::Fail(const QString& why)
{
    details_.Reason.Text = (QStringList(handedOver_) << why).join(QStringLiteral("; then "));
    Finish(LookupVerdict::LookupFailed);
}

void TLookupJob::Abort()
{
    if (done_)
        return;
    if (dnsTicket_) {
        precheck_->Forget(dnsTicket_);
        dnsTicket_ = 0;
    }
    disconnect(routeCheck_);
    if (step_) {
        step_->Abort();
        step_.reset();
    }
    pause_.stop();
    if (ticket_) {
        scheduler_.Cancel(ticket_);
        ticket_ = 0;
    }
    if (holdsSlot_) {
        holdsSlot_ = false;
        scheduler_.Release(serverKey_);
    }
    details_.QueryStopped = true;
    details_.Reason.Text = QStringLiteral("stopped");
    Finish(LookupVerdict::LookupFailed);
}

void TLookupJob::Finish(LookupVerdict verdict)
{
    if (done_)
        return;
    verdict_ = verdict;
    if (asked_.isValid())
        details_.Reason.Ms = asked_.elapsed();
    done_ = true;
    emit finished();
}
