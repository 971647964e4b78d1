#pragma once
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/RouteStep.h"
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

class TMisc1;
class TLookupScheduler;
struct TLDInfo;

// The checks a run makes of its routes before trusting them, each once per run, at the
// first domain that is about to ask the route for a TLD; each check is one query, paced
// by the scheduler like any other, and what it finds is said once as a notice.
//
// - RDAP: every gTLD holds nic.<tld>. A service that answers that it is not registered
//   cannot be routing the TLD, so it is not used for that gTLD in this run. For a
//   country's TLD, where nic.<tld> may not exist, the same answer is only a notice.
// - whois and web pages: a made-up name (24 random letters) must be judged free. When the
//   phrase misses it, free names there cannot be told by the phrase; unless nic.<tld>, a
//   registered name, gets the same reply, a reply the same as the made-up name's reply
//   (the asked name, digits and white space aside) is free.
class TRouteSelfChecks : public QObject {
    Q_OBJECT
public:
    using Notify = std::function<void(const QString&)>;
    TRouteSelfChecks(TMisc1& engine, TLookupScheduler& scheduler, Notify notify, QObject* parent = nullptr);
    ~TRouteSelfChecks() override;

    // What the check of one route for one TLD found; nothing, while it is not settled or
    // when it could not tell (no answer, refused, stopped).
    struct Finding {
        bool settled = false;
        bool rdapNotUsed = false;   // the service said the gTLD's nic.<tld> is not registered
        QString freeReplyShape;     // the made-up name's reply, when the phrase missed it (ReplyShape)
    };

    // Whether route `kind` at `endpoint` is checked at all for the TLD `tld`.
    static bool Applies(LookupRoute kind, const QString& tld);
    // True when the check of the route for `entry` is settled. Otherwise it starts (once),
    // asking the scheduler at `order`, and settled(key) follows.
    bool Ensure(LookupRoute kind, const QString& endpoint, const TLDInfo& entry, qint64 order);
    Finding FindingFor(LookupRoute kind, const QString& endpoint, const QString& tld) const;
    static QString KeyOf(LookupRoute kind, const QString& endpoint, const QString& tld);

    // A reply as compared with the made-up name's: the asked domain (as sent, and in its
    // own script), digits and white space set aside.
    static QString ReplyShape(const QByteArray& reply, const QString& domain);

    // Stop: every check in flight ends; none settles.
    void AbortAll();

signals:
    void settled(const QString& key);

private:
    struct Check;
    void Ask(Check& check);
    void StartStep(Check& check);
    void TakeResult(Check& check);
    void Judge(Check& check, const StepResult& result);

    TMisc1& engine_;
    TLookupScheduler& scheduler_;
    Notify notify_;
    std::map<QString, std::unique_ptr<Check>> checks_;
};
