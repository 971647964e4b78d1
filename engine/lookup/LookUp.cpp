#include "engine/lookup/LookUp.h"
#include "engine/Misc1.h"
#include "engine/lookup/ServerKind.h"
#include "engine/lookup/NameValidation.h"
#include "engine/lookup/ReplyLines.h"
#include "engine/net/LookupScheduler.h"
#include "engine/runs/LookupJob.h"
#include <QEventLoop>
#include <QUrl>

namespace {

QString WithoutSpaces(QString text)
{
    return text.remove(QLatin1Char(' '));
}


} // namespace

QString QueryForm(const QString& domain)
{
    for (const QChar c : domain)
        if (c.unicode() > 127) {
            const QByteArray ace = QUrl::toAce(domain, QUrl::AceProcessingOption::IgnoreIDNWhitelist);
            return ace.isEmpty() ? domain : QString::fromLatin1(ace);
        }
    return domain;
}

// Runs one lookup of `Name` under `entry` and waits for it once; Stop and Disconnect end
// the wait at once.
void TDomainLookup::RunOnce(const QString& name, const TLDInfo& entry, bool skipTakenLists, bool askClosedTlds)
{
    TLookupScheduler scheduler(1, 1);
    TLookupJob job(engine_, scheduler, nullptr, name, entry, TLookupJob::Options{0, skipTakenLists, askClosedTlds});
    QEventLoop loop;
    QObject::connect(&job, &TLookupJob::finished, &loop, &QEventLoop::quit);
    QObject::connect(&job, &TLookupJob::asking, &engine_, &TMisc1::lookupAsking);
    const QMetaObject::Connection stop = QObject::connect(&engine_, &TMisc1::stopRequested, &job, &TLookupJob::Abort);
    waiting_ = &job;
    job.Start();
    if (!job.done())
        loop.exec();
    waiting_ = nullptr;
    QObject::disconnect(stop);

    lastStopped_ = job.details().QueryStopped;
    lastReason_ = job.details().Reason;
    lastVerdict_ = job.verdict();
    lastAnswered_ = job.details().LookupSucceeded;
    lastIsWhois_ = job.isWhois();
    lastTakenListError_ = job.takenListError();
    const StepResult& step = job.lastStep();
    lastReply_ = step.lines.isEmpty() ? CutReplyIntoLines(step.reply) : step.lines;
    lastReplyBytes_ = step.lines.isEmpty() ? step.reply : QByteArray();
}

void TDomainLookup::AbortWait()
{
    if (waiting_)
        waiting_->Abort();
}

bool TDomainLookup::LookUpAddress(const QString& Name, const QString& TLD, QStringList& Reply, bool& IsWhois,
                                  bool SkipTakenLists, bool& TakenListError)
{
    if (Name.isEmpty())
        return false;
    lastStopped_ = false;
    lastReason_ = LookupReason();

    QString lookupName;
    QString extension;
    if (!TLD.isEmpty()) {
        lookupName = WithoutSpaces(Name);
        extension = TLD;
    } else {
        const qsizetype dot = Name.indexOf(QLatin1Char('.'));
        lookupName = WithoutSpaces(dot < 0 ? Name : Name.left(dot));
        extension = QLatin1Char('.') + WithoutSpaces(dot < 0 ? QString() : Name.mid(dot + 1));
    }
    lookupName = lookupName.toLower();

    const TLDInfo* found = engine_.TLDInfoList.Find(extension);
    if (!found || found->Server.isEmpty()) {
        lastReason_.Text = QStringLiteral("no server is assigned to ") + extension;
        engine_.ShowMessage(MessageKind::Error, QStringLiteral("A server to use could not be found."), MbOk);
        return false;
    }
    TLDInfo entry = *found;
    entry.TLD = extension;
    // Nobody can register a name that DNS cannot hold; no server hears of it.
    if (!FitsInDns(lookupName + extension)) {
        lastReason_.Text = QStringLiteral("the name is longer than DNS allows (63 characters a label as xn--...)");
        return false;
    }

    engine_.ProcessMessages();
    // Each lookup opens its own whois connection; kept HTTP connections serve the next.
    engine_.Whois1.Disconnect();
    IsWhois = !IsHttpServer(entry.Server);
    if (IsWhois && engine_.Whois1.Host != entry.Server)
        engine_.Whois1.Host = entry.Server;
    engine_.ProcessMessages();
    Reply.clear();

    // A TLD carried by the name is never the taken-list route.
    RunOnce(lookupName, entry, SkipTakenLists || TLD.isEmpty(), true);
    IsWhois = lastIsWhois_;
    const bool cacheRoute = lastReason_.Route == LookupRoute::Cache;
    TakenListError = cacheRoute && (lastTakenListError_ || lastStopped_);
    engine_.ProcessMessages();
    if (cacheRoute)   // true when the name is not in the registry's list
        return TakenListError || lastVerdict_ != LookupVerdict::Taken;
    if (!lastAnswered_)
        return false;
    Reply = lastReply_;
    return true;
}

LookupVerdict TDomainLookup::JudgeDomain(const QString& Name, const TLDInfo& Entry, bool& IsWhois, JudgeDetails* details)
{
    // Taken from the entry now: the window may replace every entry while the lookup
    // waits (the advanced dialog's OK).
    const TLDInfo entry = Entry;
    RunOnce(Name, entry, false, false);
    JudgeDetails seen;
    if (lastAnswered_) {
        engine_.ProcessMessages();
        engine_.ProcessMessages();
        engine_.ProcessMessages();
    }
    seen.LookupSucceeded = lastAnswered_;
    seen.QueryStopped = lastStopped_;
    seen.StopRequested = engine_.StopRequest != 0;
    seen.Reason = lastReason_;
    IsWhois = lastIsWhois_;
    if (details)
        *details = seen;
    return lastVerdict_;
}
