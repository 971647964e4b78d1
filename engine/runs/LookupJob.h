#pragma once
#include "engine/lookup/LookUp.h"
#include "engine/lookup/LookupVerdict.h"
#include "engine/lookup/RetryPauses.h"
#include "engine/lookup/TLDInfoList.h"
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

class TDnsPrecheck;
class TMisc1;
class TLookupScheduler;
class TWhoisExchange;

// The lookup of one domain in an automated run, as an object: Start() asks the
// scheduler for its server, the lookup runs by itself on the event loop, and finished()
// says that its verdict, its whois flag and its details (with the reason) are there.
//
// With a DNS pre-check, the resolver is asked first; a delegated name is taken and no
// registry hears of it.
//
// A whois route runs as its own exchange, so lookups of different servers overlap;
// refusals are asked again after their pauses, through the scheduler. Every other route
// (RDAP and the assigned server after it, a web page, the taken-list cache) runs as the
// one-at-a-time lookup that the single search uses, inside a blocking step.
class TLookupJob : public QObject {
    Q_OBJECT
public:
    TLookupJob(TMisc1& engine, TLookupScheduler& scheduler, TDnsPrecheck* precheck, QString name, TLDInfo entry,
               QObject* parent = nullptr);
    ~TLookupJob() override;

    void Start();
    // A route that blocks the event loop runs only when the run needs its verdict next, as
    // one lookup at a time would run it; the pipeline says when.
    bool waitsForItsTurn() const { return waitsForTurn_; }
    void TakeItsTurn();
    // Ends the lookup at once: no verdict (details.QueryStopped), the server not blamed.
    void Abort();

    bool done() const { return done_; }
    LookupVerdict verdict() const { return verdict_; }
    bool isWhois() const { return isWhois_; }
    const JudgeDetails& details() const { return details_; }

signals:
    void finished();

private:
    void TakeDnsAnswer(bool delegated);
    void StartRegistryRoute();
    void AskWhois();
    bool SkippedAsFailed();
    void TakeWhoisAnswer();
    void RunBlocking();
    void Finish(LookupVerdict verdict);

    TMisc1& engine_;
    TLookupScheduler& scheduler_;
    TDnsPrecheck* precheck_;
    quint64 dnsTicket_ = 0;   // a question at the resolver
    bool turnGiven_ = false;  // the pipeline needs this verdict next
    QString name_;
    TLDInfo entry_;
    QString host_;          // the whois host, upper-cased for FailedServers
    QString serverKey_;     // the scheduler's name for the server asked
    int ticket_ = 0;        // a request waiting for the scheduler
    bool holdsSlot_ = false;
    std::unique_ptr<TWhoisExchange> exchange_;
    TRetryPauses pauses_;
    QTimer pause_;
    int attempts_ = 0;
    QElapsedTimer asked_;   // since the first question to a server
    bool waitsForTurn_ = false;
    bool done_ = false;
    LookupVerdict verdict_ = LookupVerdict::LookupFailed;
    bool isWhois_ = false;
    JudgeDetails details_;
};
