#include "engine/runs/RouteSelfChecks.h"
#include "engine/Misc1.h"
#include "engine/lookup/TldPolicy.h"
#include "engine/net/LookupScheduler.h"
#include "engine/runs/RouteStepFactory.h"
#include <QRandomGenerator>
#include <QUrl>

namespace {

// A name nobody registers: 24 random letters.
QString MadeUpName()
{
    QString name;
    for (int i = 0; i < 24; ++i)
        name += QChar('a' + QRandomGenerator::global()->bounded(26));
    return name;
}

bool IsSingleLabel(const QString& tld)
{
    return tld.count(QLatin1Char('.')) == 1;   // ".com", not ".co.uk"
}

// A gTLD must hold nic.<tld>; a country's TLD may not.
bool NicMustExist(const QString& tld)
{
    return IsSingleLabel(tld) && !IsCountryCodeTld(tld);
}

} // namespace

struct TRouteSelfChecks::Check {
    LookupRoute kind = LookupRoute::None;
    QString endpoint;
    QString key;
    QString serverKey;
    QString tld;
    QString name;     // the name asked: "nic" or a made-up one
    QString domain;   // as sent
    qint64 order = 0; // the place in the run of the lookup that needs the check
    QString madeUpDomain;   // whois and web pages: the made-up name, as sent,
    QString madeUpShape;    // and its reply, when the phrase missed it
    TLDInfo entry;
    int ticket = 0;
    bool holdsSlot = false;
    std::unique_ptr<TRouteStep> step;
    Finding finding;
};

TRouteSelfChecks::TRouteSelfChecks(TMisc1& engine, TLookupScheduler& scheduler, Notify notify, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , scheduler_(scheduler)
    , notify_(std::move(notify))
{
}

TRouteSelfChecks::~TRouteSelfChecks()
{
    AbortAll();
}

QString TRouteSelfChecks::KeyOf(LookupRoute kind, const QString& endpoint, const QString& tld)
{
    return RouteName(kind) + QLatin1Char(' ') + endpoint + QLatin1Char(' ') + tld.toLower();
}

bool TRouteSelfChecks::Applies(LookupRoute kind, const QString& tld)
{
    switch (kind) {
    case LookupRoute::Rdap: return IsSingleLabel(tld) || IsCountryCodeTld(tld);
    case LookupRoute::Whois:
    case LookupRoute::Http: return true;
    case LookupRoute::Cache:
    case LookupRoute::Dns:
    case LookupRoute::None: break;
    }
    return false;
}

bool TRouteSelfChecks::Ensure(LookupRoute kind, const QString& endpoint, const TLDInfo& entry, qint64 order)
{
    const QString key = KeyOf(kind, endpoint, entry.TLD);
    auto found = checks_.find(key);
    if (found != checks_.end())
        return found->second->finding.settled;

    auto check = std::make_unique<Check>();
    check->kind = kind;
    check->endpoint = endpoint;
    check->key = key;
    check->tld = entry.TLD.toLower();
    check->entry = entry;
    check->name = kind == LookupRoute::Rdap ? QStringLiteral("nic") : MadeUpName();
    check->domain = QueryForm(check->name + check->tld);
    check->serverKey = TLookupScheduler::ServerKeyOf(RouteHost(kind, endpoint));
    check->order = order;
    Check& started = *check;
    checks_.emplace(key, std::move(check));
    Ask(started);
    return false;
}

void TRouteSelfChecks::Ask(Check& check)
{
    check.ticket = scheduler_.Request(check.serverKey, check.order, [this, &check] { StartStep(check); });
}

TRouteSelfChecks::Finding TRouteSelfChecks::FindingFor(LookupRoute kind, const QString& endpoint, const QString& tld) const
{
    const auto found = checks_.find(KeyOf(kind, endpoint, tld));
    return found == checks_.end() ? Finding() : found->second->finding;
}

void TRouteSelfChecks::StartStep(Check& check)
{
    check.ticket = 0;
    check.holdsSlot = true;
    check.step = MakeRouteStep(engine_, check.kind, check.endpoint, check.name, check.entry);
    // Queued: a step may end inside Start(), and this check lets it go when it ends.
    connect(check.step.get(), &TRouteStep::finished, this, [this, &check] { TakeResult(check); }, Qt::QueuedConnection);
    check.step->Start();
}

void TRouteSelfChecks::TakeResult(Check& check)
{
    if (!check.step || !check.step->done())
        return;
    const StepResult result = check.step->result();
    check.step.reset();
    if (result.endpointFailed)
        engine_.FailedServers.Add(check.endpoint);
    check.holdsSlot = false;
    scheduler_.Release(check.serverKey, {result.outcome == StepOutcome::Refused, result.retryAfterMs});
    if (result.outcome == StepOutcome::Stopped)
        return;
    const bool secondQuestion = !check.madeUpShape.isEmpty();
    if (result.outcome == StepOutcome::Verdict || secondQuestion)
        Judge(check, result);
    if (check.ticket || check.step)
        return;   // a second question is on its way
    check.finding.settled = true;
    emit settled(check.key);
}

void TRouteSelfChecks::Judge(Check& check, const StepResult& result)
{
    const QString tld = check.tld;
    if (check.kind == LookupRoute::Rdap) {
        if (result.verdict != LookupVerdict::Free)
            return;
        const QString said = QStringLiteral("RDAP service %1 answers that nic%2 is not registered").arg(check.endpoint, tld);
        if (NicMustExist(tld)) {
            check.finding.rdapNotUsed = true;
            notify_(said + QStringLiteral(", though every gTLD holds that name: it is not used for %1 in this search, "
                                          "the assigned server answers instead").arg(tld));
        } else {
            notify_(said + QStringLiteral(": if that name exists, its FREE answers for %1 cannot be trusted").arg(tld));
        }
        return;
    }
    if (check.madeUpShape.isEmpty()) {   // the answer for the made-up name
        if (result.verdict != LookupVerdict::Taken)
            return;   // the phrase told the made-up name free, as it should
        check.madeUpShape = ReplyShape(result.reply, check.domain);
        if (check.madeUpShape.isEmpty())
            return;
        // Is it told apart from a registered name's reply at all? nic.<tld> is registered in
        // every gTLD and in most countries' TLDs; a server that answers every question with
        // the same words (a notice, a refusal in prose) must not turn every name free.
        check.madeUpDomain = check.domain;
        check.name = QStringLiteral("nic");
        check.domain = QueryForm(check.name + check.tld);
        Ask(check);
        return;
    }
    const QString cannotTell = QStringLiteral("%1: the reply for %2, a name that does not exist, lacks the phrase of free "
                                              "names, so free names there cannot be told by it")
                                   .arg(check.endpoint, check.madeUpDomain);
    if (result.outcome != StepOutcome::Verdict) {
        notify_(cannotTell + QStringLiteral("; %1, a registered name, could not be asked to compare, so every name there "
                                            "stays taken").arg(check.domain));
        return;
    }
    if (ReplyShape(result.reply, check.domain) == check.madeUpShape) {
        notify_(cannotTell + QStringLiteral("; %1, a registered name, gets the same reply, so every name there stays taken")
                                 .arg(check.domain));
        return;
    }
    check.finding.freeReplyShape = check.madeUpShape;
    notify_(cannotTell + QStringLiteral("; a reply the same as that one counts as free"));
}

QString TRouteSelfChecks::ReplyShape(const QByteArray& reply, const QString& domain)
{
    QString text = QString::fromUtf8(reply);
    text.remove(domain, Qt::CaseInsensitive);
    const QString letters = QUrl::fromAce(domain.toLatin1(), QUrl::IgnoreIDNWhitelist);
    if (!letters.isEmpty() && letters != domain)
        text.remove(letters, Qt::CaseInsensitive);
    QString shape;
    shape.reserve(text.size());
    for (const QChar c : text)
        if (!c.isDigit() && !c.isSpace())
            shape += c;
    return shape;
}

void TRouteSelfChecks::AbortAll()
{
    for (auto& [key, check] : checks_) {
        if (check->ticket) {
            scheduler_.Cancel(check->ticket);
            check->ticket = 0;
        }
        if (check->step) {
            check->step->Abort();
            check->step.reset();
        }
        if (check->holdsSlot) {
            check->holdsSlot = false;
            scheduler_.Release(check->serverKey);
        }
    }
}
