#pragma once
#include "engine/lookup/LookUp.h"
#include "engine/lookup/LookupVerdict.h"
#include "engine/lookup/RetryPauses.h"
#include "engine/lookup/RouteStep.h"
#include "engine/lookup/TLDInfoList.h"
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class TDnsPrecheck;
class TMisc1;
class TLookupScheduler;
class TRouteSelfChecks;

// The lookup of one domain, as an object: Start() sets it going, it runs by itself on the
// event loop, and finished() says that its verdict and its details (with the reason) are
// there. Nothing in it waits: every question is a step (DNS, RDAP, whois, web page, taken
// list) that ends by a signal.
//
// With a DNS pre-check the resolver is asked first; a delegated name is taken and no
// registry hears of it. Then the TLD's routes are asked in turn (its RDAP service, then
// its assigned server), each step under its server's key at the scheduler, so a
// fall-back is paced like any query. A route that cannot tell hands over to the next; a
// refusal or 429 is asked again after its pause, through the scheduler; a server that
// could not be reached is given up for the rest of the search. With the run's route checks,
// a route is asked only once its check is settled (see TRouteSelfChecks).
class TLookupJob : public QObject {
    Q_OBJECT
public:
    struct Options {
        qint64 order = 0;              // the domain's place in the run: its requests go ahead of later ones
        bool skipTakenLists = false;   // the single search asks the taken-list TLDs' servers instead
        bool askClosedTlds = false;    // the single search asks a brand TLD's registry too
        TRouteSelfChecks* selfChecks = nullptr;   // the run's checks of its routes, if it makes them
    };
    TLookupJob(TMisc1& engine, TLookupScheduler& scheduler, TDnsPrecheck* precheck, QString name, TLDInfo entry,
               Options options, QObject* parent = nullptr);
    ~TLookupJob() override;

    void Start();
    // Ends the lookup at once: no verdict (details.QueryStopped), no server blamed.
    void Abort();

    bool done() const { return done_; }
    LookupVerdict verdict() const { return verdict_; }
    // The route asked last is a whois server.
    bool isWhois() const { return isWhois_; }
    const JudgeDetails& details() const { return details_; }
    // What the route asked last sent: a whois reply or web page, RDAP's lines.
    const StepResult& lastStep() const { return lastStep_; }
    // The taken-list route could not answer (its list was not available).
    bool takenListError() const { return takenListError_; }

signals:
    void finished();
    // A route's server is asked now: its host (RDAP or web) or whois host.
    void asking(const QString& host);

private:
    struct Route {
        LookupRoute kind;
        QString endpoint;   // RDAP base URL, whois host, URL template, taken-list server
    };
    void TakeDnsAnswer(bool delegated);
    void AskRoute();
    bool AwaitRouteCheck(LookupRoute kind, const QString& endpoint);
    bool SameReplyAsMadeUpName(const StepResult& result) const;
    void StartStep();
    void TakeStepResult();
    void HandOver(const QString& why);
    void TakeRefusal(const StepResult& result);
    void Fail(const QString& why);
    void Finish(LookupVerdict verdict);

    TMisc1& engine_;
    TLookupScheduler& scheduler_;
    TDnsPrecheck* precheck_;
    QString name_;
    TLDInfo entry_;
    Options options_;
    QList<Route> routes_;
    int routeIndex_ = 0;
    QStringList handedOver_;   // why the earlier routes could not tell
    QString rdapNotUsed_;      // why the RDAP service was passed over, for the verdict's reason
    QMetaObject::Connection routeCheck_;   // while the route's check is awaited
    quint64 dnsTicket_ = 0;    // a question at the resolver
    QString serverKey_;        // the scheduler's name for the server of the current route
    int ticket_ = 0;           // a request waiting for the scheduler
    bool holdsSlot_ = false;
    std::unique_ptr<TRouteStep> step_;
    std::optional<TRetryPauses> pauses_;   // of the current route
    qint64 pausedMs_ = 0;      // all routes' refusal pauses together
    int attempts_ = 0;         // questions to the current route
    QTimer pause_;
    QElapsedTimer asked_;      // since the first question
    bool done_ = false;
    LookupVerdict verdict_ = LookupVerdict::LookupFailed;
    bool isWhois_ = false;
    bool takenListError_ = false;
    JudgeDetails details_;
    StepResult lastStep_;
};
