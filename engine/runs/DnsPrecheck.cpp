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

TDnsPrecheck::TDnsPrecheck(TMisc1& engine, std::function<void(const QString&)> notify, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , notify_(std::move(notify))
    , resolver_(engine.DnsResolver)
{
}

void TDnsPrecheck::CheckResolver(const QStringList& tlds)
{
    if (!resolver_.isReady()) {
        SwitchOffForRun(QStringLiteral("DNS pre-check off for this run: no resolver (%1)").arg(resolver_.error()));
        return;
    }
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

    if (!answered) {
        SwitchOffForRun(QStringLiteral("DNS pre-check off for this run: the resolver at %1 does not answer").arg(server()));
        return;
    }
    if (lying.isEmpty())
        return;
    offForTld_ = QSet<QString>(lying.cbegin(), lying.cend());
    notify_(QStringLiteral("DNS pre-check off for %1: the resolver at %2 says made-up names there exist")
                .arg(lying.join(QStringLiteral(", ")), server()));
}

bool TDnsPrecheck::AppliesTo(const QString& tld) const
{
    return !offForRun_ && !offForTld_.contains(tld);
}

quint64 TDnsPrecheck::Ask(const QString& domain, Callback done)
{
    return resolver_.AskNameServers(domain.toLatin1(), [this, done = std::move(done)](const TDnsResolver::Answer& answer) {
        TakeAnswer(answer.verdict);
        done(answer.verdict == NsAnswer::Delegated);
    });
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
