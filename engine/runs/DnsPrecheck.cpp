#include "engine/runs/DnsPrecheck.h"
#include "engine/Misc1.h"
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>

namespace {

// So many questions in a row without any reply mean the resolver has gone away.
constexpr int kSilentAnswersToGiveUp = 20;

// A name nobody owns: 24 random letters have 26^24 spellings.
QString MadeUpName()
{
    QString name;
    for (int i = 0; i < 24; ++i)
        name.append(QChar(u'a' + QRandomGenerator::global()->bounded(26)));
    return name;
}

} // namespace

TDnsPrecheck::TDnsPrecheck(TMisc1& engine, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , resolver_(engine.DnsResolver)
{
}

void TDnsPrecheck::CheckResolver(const QStringList& tlds, std::function<void(const QString&)> notify)
{
    notify_ = std::move(notify);
    if (!resolver_.isReady()) {
        SwitchOffForRun(QStringLiteral("DNS pre-check off for this run: no resolver (%1)").arg(resolver_.error()));
        return;
    }
    if (tlds.isEmpty())
        return;   // nothing ticked: each TLD is checked at its first domain
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&engine_, &TMisc1::stopRequested, &loop, &QEventLoop::quit);

    int unanswered = static_cast<int>(tlds.size());
    bool answered = false;
    QStringList lying;
    for (const QString& tld : tlds) {
        resolver_.AskNameServers(QueryForm(MadeUpName() + tld).toLatin1(), [&, tld](const TDnsResolver::Answer& answer) {
            if (answer.verdict == NsAnswer::Delegated)
                lying.append(tld);
            answered = answered || answer.verdict == NsAnswer::Delegated || answer.verdict == NsAnswer::NotDelegated;
            if (--unanswered == 0)
                loop.quit();
        });
    }
    bound.start(engine_.DnsProbeBoundMs);
    if (unanswered > 0 && engine_.StopRequest == 0)
        loop.exec();
    resolver_.ForgetAll();   // the made-up names still open: their answers would come too late
    checkedTlds_ = QSet<QString>(tlds.cbegin(), tlds.cend());

    if (!answered) {
        SwitchOffForRun(QStringLiteral("DNS pre-check off for this run: the resolver at %1 does not answer").arg(server()));
        return;
    }
    if (!lying.isEmpty())
        SwitchOffForTlds(lying);
}

void TDnsPrecheck::SwitchOffForTlds(const QStringList& tlds)
{
    for (const QString& tld : tlds)
        offForTld_.insert(tld);
    notify_(QStringLiteral("DNS pre-check off for %1: the resolver at %2 says made-up names there exist")
                .arg(tlds.join(QStringLiteral(", ")), server()));
}

bool TDnsPrecheck::AppliesTo(const QString& tld) const
{
    return !offForRun_ && !offForTld_.contains(tld);
}

quint64 TDnsPrecheck::Ask(const QString& domain, const QString& tld, Callback done)
{
    const quint64 ticket = nextTicket_++;
    if (checkedTlds_.contains(tld)) {
        AskResolver(ticket, domain, std::move(done));
        return ticket;
    }
    parked_[tld].append({ticket, domain, std::move(done)});
    if (!checkingTlds_.contains(tld)) {
        checkingTlds_.insert(tld);
        CheckTld(tld);
    }
    return ticket;
}

void TDnsPrecheck::AskResolver(quint64 ticket, const QString& domain, Callback done)
{
    const quint64 asked = resolver_.AskNameServers(
        domain.toLatin1(), [this, ticket, done = std::move(done)](const TDnsResolver::Answer& answer) {
            atResolver_.remove(ticket);
            TakeAnswer(answer.verdict);
            done(answer.verdict == NsAnswer::Delegated);
        });
    atResolver_.insert(ticket, asked);
}

void TDnsPrecheck::CheckTld(const QString& tld)
{
    resolver_.AskNameServers(QueryForm(MadeUpName() + tld).toLatin1(),
                             [this, tld](const TDnsResolver::Answer& answer) { TakeTldCheck(tld, answer.verdict); });
}

// The questions that waited for their TLD's check go on: to the resolver, or without DNS.
void TDnsPrecheck::TakeTldCheck(const QString& tld, NsAnswer answer)
{
    checkingTlds_.remove(tld);
    checkedTlds_.insert(tld);
    if (answer == NsAnswer::Delegated)
        SwitchOffForTlds({tld});
    for (Parked& question : parked_.take(tld)) {
        if (AppliesTo(tld))
            AskResolver(question.ticket, question.domain, std::move(question.done));
        else
            question.done(false);
    }
}

void TDnsPrecheck::Forget(quint64 ticket)
{
    if (const auto asked = atResolver_.constFind(ticket); asked != atResolver_.cend()) {
        resolver_.Forget(*asked);
        atResolver_.erase(asked);
        return;
    }
    for (QList<Parked>& waiting : parked_)
        waiting.removeIf([ticket](const Parked& question) { return question.ticket == ticket; });
}

void TDnsPrecheck::StopAll()
{
    resolver_.ForgetAll();
    atResolver_.clear();
    parked_.clear();
    checkingTlds_.clear();
}

void TDnsPrecheck::TakeAnswer(NsAnswer answer)
{
    silentInARow_ = answer == NsAnswer::NoReply ? silentInARow_ + 1 : 0;
    if (silentInARow_ == kSilentAnswersToGiveUp && !offForRun_)
        SwitchOffForRun(QStringLiteral("DNS pre-check off for the rest of this run: the resolver at %1 stopped answering")
                            .arg(server()));
}

void TDnsPrecheck::SwitchOffForRun(const QString& why)
{
    offForRun_ = true;
    notify_(why);
}
