#pragma once
#include "engine/lookup/LookUp.h"
#include "engine/lookup/LookupVerdict.h"
#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class TDnsPrecheck;
class TMisc1;
class TLookupJob;
class TLookupScheduler;
class TRouteSelfChecks;

// The lookups of an automated run, many at once: domains are started in list order (each
// name under each of its TLDs) up to a window ahead of the one the run needs next, the
// scheduler deciding when each may ask its server; Await() hands the verdicts back in
// list order, running the event loop while it waits, so everything the run shows and
// writes comes out exactly as one lookup at a time would give it.
class TLookupPipeline : public QObject {
    Q_OBJECT
public:
    struct Settings {
        int parallel = 16;    // lookups in flight in all (1 to 64)
        int perServer = 1;    // at once to one server (1 to 8)
        bool dnsPrecheck = false;   // DNS is asked first; the window then reaches far enough ahead to keep DNS busy
        bool selfCheck = false;     // each route is checked once before it is trusted (TRouteSelfChecks)
        std::function<void(const QString&)> notify;   // hears what the route checks found
    };
    // The TLDs that name n of the search list is checked under, in order.
    using TldsOfName = std::function<QStringList(int nameIndex)>;
    TLookupPipeline(TMisc1& engine, TldsOfName tldsOf, Settings settings, QObject* parent = nullptr);
    ~TLookupPipeline() override;

    struct Outcome {
        LookupVerdict verdict = LookupVerdict::LookupFailed;
        bool isWhois = false;
        JudgeDetails details;
    };
    // The verdict for name `nameIndex` of the search list under its TLD `tldIndex`.
    // Invalid names are never looked up; the caller skips them.
    Outcome Await(int nameIndex, int tldIndex);

    // With the DNS pre-check: the check of the resolver that the run makes before its
    // first lookup (see TDnsPrecheck); `notify` hears what it switched off.
    void CheckResolver(const QStringList& tlds, const std::function<void(const QString&)>& notify);

    // While a question is open, nothing new starts.
    void SetPaused(bool paused);
    // Stop: every lookup in flight ends at once, every connection is closed.
    void AbortAll();

    const TLookupScheduler& scheduler() const { return *scheduler_; }

private:
    // A domain of the run: a name of the search list and the position of one of its TLDs.
    struct Position {
        int name = 0;
        int tld = 0;
        auto operator<=>(const Position&) const = default;
    };
    void Feed();
    bool IsLookedUp(int nameIndex);

    TMisc1& engine_;
    TldsOfName tldsOf_;
    std::unique_ptr<TLookupScheduler> scheduler_;
    std::unique_ptr<TDnsPrecheck> precheck_;   // outlives the jobs, which hold questions at its resolver
    std::unique_ptr<TRouteSelfChecks> selfChecks_;   // outlives the jobs, which wait for its checks
    std::map<Position, std::unique_ptr<TLookupJob>> jobs_;   // started, not yet handed back
    Position nextToStart_;
    size_t window_;
    int checkedName_ = -1;      // the last name whose validity is known
    bool checkedNameValid_ = false;
    qint64 started_ = 0;        // jobs started: each one's place in the run
    bool aborted_ = false;
};
