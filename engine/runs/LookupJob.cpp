#include "engine/runs/LookupJob.h"
#include "engine/Misc1.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/lookup/TldPolicy.h"
#include "engine/lookup/WhoisExchange.h"
#include "engine/lookup/WhoisRefusal.h"
#include "engine/runs/DnsPrecheck.h"
#include "engine/runs/LookupScheduler.h"
#include <QUrl>

TLookupJob::TLookupJob(TMisc1& engine, TLookupScheduler& scheduler, TDnsPrecheck* precheck, QString name, TLDInfo entry,
                       QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , scheduler_(scheduler)
    , precheck_(precheck)
    , name_(std::move(name))
    , entry_(std::move(entry))
    , pauses_(engine.whoisQuery().FirstRefusalPauseMs, engine.whoisQuery().MaxRefusalPauseMs,
              engine.whoisQuery().RefusalBoundMs)
{
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    connect(&pause_, &QTimer::timeout, this, &TLookupJob::AskWhois);
}

TLookupJob::~TLookupJob()
{
    if (dnsTicket_)
        precheck_->Forget(dnsTicket_);
    if (ticket_)
        scheduler_.Cancel(ticket_);
    if (holdsSlot_)
        scheduler_.Release(serverKey_, false);
}

void TLookupJob::Start()
{
    if (IsClosedTld(entry_.TLD)) {   // a brand TLD: nobody is asked
        details_.Reason.Text = ClosedTldReason();
        return Finish(LookupVerdict::Closed);
    }
    if (precheck_ && precheck_->AppliesTo(entry_.TLD)) {
        asked_.start();   // a domain that DNS leaves to the registry counts its time from here
        dnsTicket_ = precheck_->Ask(QueryForm(name_.toLower() + entry_.TLD), entry_.TLD,
                                    [this](bool delegated) { TakeDnsAnswer(delegated); });
        return;
    }
    StartRegistryRoute();
}

void TLookupJob::TakeDnsAnswer(bool delegated)
{
    dnsTicket_ = 0;
    if (!delegated) {
        StartRegistryRoute();
        return;
    }
    details_.LookupSucceeded = true;
    details_.Reason = {LookupRoute::Dns, precheck_->server(), QStringLiteral("delegated in DNS")};
    Finish(LookupVerdict::Taken);
}

void TLookupJob::StartRegistryRoute()
{
    const auto [route, endpoint] = engine_.FirstRouteOf(entry_);
    if (route != LookupRoute::Whois) {
        serverKey_ = TLookupScheduler::ServerKeyOf(route == LookupRoute::Cache ? endpoint : QUrl(endpoint).host());
        waitsForTurn_ = true;
        if (turnGiven_)
            TakeItsTurn();
        return;
    }
    isWhois_ = true;
    host_ = entry_.Server;
    serverKey_ = TLookupScheduler::ServerKeyOf(host_);
    details_.Reason = {LookupRoute::Whois, entry_.Server, QString()};
    AskWhois();
}

void TLookupJob::TakeItsTurn()
{
    turnGiven_ = true;
    if (!waitsForTurn_ || done_)
        return;
    waitsForTurn_ = false;
    ticket_ = scheduler_.Request(serverKey_, [this] { RunBlocking(); });
}

// A host that failed earlier in this search is not asked again, also when it failed
// while this lookup waited for its turn.
bool TLookupJob::SkippedAsFailed()
{
    if (!engine_.FailedServers.Contains(host_.toUpper()))
        return false;
    details_.Reason.Text = QStringLiteral("not asked again: it failed earlier in this search");
    Finish(LookupVerdict::LookupFailed);
    return true;
}

void TLookupJob::AskWhois()
{
    if (SkippedAsFailed())
        return;
    ticket_ = scheduler_.Request(serverKey_, [this] {
        ticket_ = 0;
        holdsSlot_ = true;
        if (SkippedAsFailed()) {
            holdsSlot_ = false;
            scheduler_.Release(serverKey_, false);
            return;
        }
        ++attempts_;
        if (!asked_.isValid())
            asked_.start();
        exchange_ = std::make_unique<TWhoisExchange>();
        connect(exchange_.get(), &TWhoisExchange::finished, this, &TLookupJob::TakeWhoisAnswer, Qt::QueuedConnection);
        exchange_->Start(host_, engine_.Whois1.Port, QueryForm(name_.toLower() + entry_.TLD), engine_.Whois1.limits());
    });
}

void TLookupJob::TakeWhoisAnswer()
{
    if (!exchange_ || done_)
        return;
    const TWhoisExchange::Outcome outcome = exchange_->outcome();
    const QByteArray text = exchange_->reply();
    const QString why = exchange_->why();
    exchange_.reset();
    const bool refused = outcome == TWhoisExchange::Outcome::Reset
                         || (outcome == TWhoisExchange::Outcome::Read && IsRefusalReply(text));
    // Listed before the slot goes, so a lookup waiting for this host is not sent to it.
    if (outcome == TWhoisExchange::Outcome::Failed)
        engine_.FailedServers.Add(host_.toUpper());
    holdsSlot_ = false;
    scheduler_.Release(serverKey_, refused);

    if (refused) {
        const qint64 pauseMs = pauses_.Next(RequestedWaitMs(text));
        if (pauseMs < 0) {
            const QString summary = outcome == TWhoisExchange::Outcome::Reset
                                        ? QStringLiteral("the connection was reset before any reply")
                                        : RefusalSummary(text);
            details_.Reason.Text = QStringLiteral("refused by the registry (asked %1 times): %2").arg(attempts_).arg(summary);
            Finish(LookupVerdict::LookupFailed);
        } else {
            pause_.start(static_cast<int>(pauseMs));
        }
        return;
    }
    switch (outcome) {
    case TWhoisExchange::Outcome::Read: {
        details_.LookupSucceeded = true;
        const QStringList lines = CutReplyIntoLines(text);
        const LookupVerdict verdict = JudgeReply(lines, entry_.MatchText.toUpper());
        details_.Reason.Text = ReplyVerdictReason(verdict, entry_.MatchText, lines);
        Finish(verdict);
        return;
    }
    case TWhoisExchange::Outcome::Stopped:
        details_.QueryStopped = true;
        details_.Reason.Text = why;
        Finish(LookupVerdict::LookupFailed);
        return;
    case TWhoisExchange::Outcome::Failed:
    case TWhoisExchange::Outcome::Refused:
    case TWhoisExchange::Outcome::Reset:
    case TWhoisExchange::Outcome::Waiting:
        details_.Reason.Text = why;
        Finish(LookupVerdict::LookupFailed);
        return;
    }
}

void TLookupJob::RunBlocking()
{
    ticket_ = 0;
    holdsSlot_ = true;
    asked_.start();
    scheduler_.BeginBlockingStep();
    JudgeDetails details;
    const LookupVerdict verdict = engine_.JudgeDomain(name_, entry_, isWhois_, &details);
    const bool refused = details.Reason.Text.startsWith(QLatin1String("refused by the registry"))
                         || details.Reason.Text.startsWith(QLatin1String("RDAP: too many requests"));
    if (holdsSlot_) {   // Abort() may have released it during the wait
        holdsSlot_ = false;
        scheduler_.Release(serverKey_, refused);
    }
    scheduler_.EndBlockingStep();
    if (!done_)
        details_ = details;
    Finish(verdict);
}

void TLookupJob::Abort()
{
    if (done_)
        return;
    if (dnsTicket_) {
        precheck_->Forget(dnsTicket_);
        dnsTicket_ = 0;
    }
    if (exchange_) {
        exchange_->Abort();   // finished() is queued; the job ends here
        exchange_.reset();
    }
    pause_.stop();
    if (ticket_) {
        scheduler_.Cancel(ticket_);
        ticket_ = 0;
    }
    if (holdsSlot_) {
        holdsSlot_ = false;
        scheduler_.Release(serverKey_, false);
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
