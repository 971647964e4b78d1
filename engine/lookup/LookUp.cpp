#include "engine/lookup/LookUp.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/Misc1.h"
#include "engine/lookup/ServerKind.h"
#include "engine/lookup/TakenListCache.h"

namespace {

// The TLD as the taken-list cache names it: upper case, without one leading dot.
QString CacheTld(const QString& tld)
{
    QString t = tld.toUpper();
    if (t.startsWith(QLatin1Char('.')))
        t.remove(0, 1);
    return t;
}

QString WithoutSpaces(QString text)
{
    return text.remove(QLatin1Char(' '));
}

} // namespace

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

    const TLDInfo* entry = engine_.TLDInfoList.Find(extension);
    const QString server = entry ? entry->Server : QString();
    if (server.isEmpty()) {
        lastReason_.Text = QStringLiteral("no server is assigned to ") + extension;
        engine_.ShowMessage(MessageKind::Error, QStringLiteral("A server to use could not be found."), MbOk);
        return false;
    }

    engine_.ProcessMessages();
    engine_.Disconnect();
    IsWhois = !IsHttpServer(server);
    if (IsWhois && engine_.Whois1.Host != server)
        engine_.Whois1.Host = server;
    engine_.ProcessMessages();
    Reply.clear();

    const QString cacheTld = CacheTld(TLD);
    lastReason_.Server = server;
    if (!SkipTakenLists && server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(cacheTld)) {
        lastReason_.Route = LookupRoute::Cache;
        const bool free = engine_.CheckTakenList(lookupName, cacheTld, TakenListError);
        lastStopped_ = engine_.TakenListCache.LastDownloadStopped();
        lastReason_.Text = engine_.TakenListCache.LastFailure();
        return free;
    }

    TakenListError = false;
    const QString query = lookupName + extension;
    bool result = false;
    if (IsWhois) {
        lastReason_.Route = LookupRoute::Whois;
        result = engine_.GetWhoisResults(query, Reply);
        lastStopped_ = engine_.whoisQuery().LastQueryStopped();
        lastReason_.Text = engine_.whoisQuery().LastFailure();
    } else {
        lastReason_.Route = LookupRoute::Http;
        result = engine_.GetHTTPResults(server, query, Reply);
        lastStopped_ = engine_.httpQuery().LastQueryStopped();
        lastReason_.Text = engine_.httpQuery().LastFailure();
    }
    engine_.ProcessMessages();
    return result;
}

LookupVerdict TDomainLookup::JudgeDomain(const QString& Name, const TLDInfo& Entry, bool& IsWhois, JudgeDetails* details)
{
    JudgeDetails seen;
    // Taken from the entry now: processing messages during the lookup may change it.
    const QString tld = Entry.TLD;
    const QString server = Entry.Server;
    // The window may replace every entry while the lookup waits (the advanced dialog's OK):
    // nothing of Entry is read after the wait.
    const QString matchText = Entry.MatchText;
    const QString match = matchText.toUpper();

    QStringList reply;
    bool takenListError = false;
    LookupVerdict verdict = LookupVerdict::LookupFailed;
    if (server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(CacheTld(tld))) {
        const bool free = LookUpAddress(Name, tld, reply, IsWhois, false, takenListError);
        if (takenListError) {
            verdict = LookupVerdict::LookupFailed;
        } else {
            verdict = free ? LookupVerdict::Free : LookupVerdict::Taken;
            lastReason_.Text = free ? QStringLiteral("not in the registry's list of taken names")
                                    : QStringLiteral("in the registry's list of taken names");
        }
        seen.QueryStopped = lastStopped_;
    } else if (!LookUpAddress(Name, tld, reply, IsWhois, false, takenListError)) {
        verdict = LookupVerdict::LookupFailed;
        seen.QueryStopped = lastStopped_;
    } else {
        seen.LookupSucceeded = true;
        engine_.ProcessMessages();
        engine_.ProcessMessages();
        engine_.ProcessMessages();
        seen.StopRequested = engine_.StopRequest != 0;

        verdict = JudgeReply(reply, match);
        lastReason_.Text = ReplyVerdictReason(verdict, matchText);
    }
    seen.Reason = lastReason_;
    if (details)
        *details = seen;
    return verdict;
}
