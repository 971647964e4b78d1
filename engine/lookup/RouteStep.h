#pragma once
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/LookupVerdict.h"
#include <QByteArray>
#include <QObject>
#include <QStringList>

// How one route's question about a domain ended.
enum class StepOutcome {
    Verdict,       // the route told: free, taken, ... (StepResult::verdict)
    NoAnswer,      // the route could not tell; the TLD's next route may
    Refused,       // the server turned the client away (a whois refusal, an RDAP 429): ask again later
    Stopped,       // ended by Abort(); no fault of the server
};

struct StepResult {
    StepOutcome outcome = StepOutcome::NoAnswer;
    LookupVerdict verdict = LookupVerdict::LookupFailed;   // with Verdict
    QString text;                  // what decided, or why there is no answer
    bool answered = false;         // the server answered (its reply was judged)
    bool endpointFailed = false;   // unreachable or timed out: not worth asking again in this search
    qint64 retryAfterMs = -1;      // Refused: the wait the server asked for, -1 for none
    QString refusalSummary;        // Refused: the refusal in a few words
    QByteArray reply;              // what a whois server or web page sent
    QStringList lines;             // RDAP: the record or "not found" answer as lines to show
};

// One question to one route (RDAP service, whois server, web page, taken list) about one
// domain, as an object: Start() sends it, finished() says once that result() is there,
// Abort() ends it at once as Stopped. A step asks once; pauses, retries and the order of
// routes are the lookup's.
class TRouteStep : public QObject {
    Q_OBJECT
public:
    // `endpoint`: the RDAP base URL, whois host, URL template or taken-list server;
    // `host`: the host the scheduler paces it by.
    TRouteStep(LookupRoute route, QString endpoint, QString host)
        : route_(route), endpoint_(std::move(endpoint)), host_(std::move(host))
    {
    }

    virtual void Start() = 0;
    virtual void Abort() = 0;

    LookupRoute route() const { return route_; }
    const QString& endpoint() const { return endpoint_; }
    const QString& host() const { return host_; }
    bool done() const { return done_; }
    const StepResult& result() const { return result_; }

signals:
    void finished();

protected:
    static StepResult VerdictResult(LookupVerdict verdict, QString text)
    {
        StepResult result;
        result.outcome = StepOutcome::Verdict;
        result.verdict = verdict;
        result.answered = true;
        result.text = std::move(text);
        return result;
    }
    void Finish(StepResult result)
    {
        if (done_)
            return;
        done_ = true;
        result_ = std::move(result);
        emit finished();
    }

private:
    LookupRoute route_;
    QString endpoint_;
    QString host_;
    bool done_ = false;
    StepResult result_;
};
