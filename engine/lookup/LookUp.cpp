#include "engine/lookup/LookUp.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/Misc1.h"
#include "engine/lookup/ServerKind.h"
#include "engine/lookup/TakenListCache.h"
#include "engine/lookup/TldPolicy.h"
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

bool TDomainLookup::LookUpAddress(const QString& Name, const QString& TLD, QStringList& Reply, bool& IsWhois,
                                  bool SkipTakenLists, bool& TakenListError)
{
    if (Name.isEmpty())
        return false;
    lastStopped_ = false;
    lastReason_ = LookupReason();
    rdapVerdict_.reset();

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

    // RDAP first, where the TLD's service is known; when it gives no answer, the assigned
    // server answers instead.
    const QString query = QueryForm(lookupName + extension);
    QString rdapFailure;
    if (const QString base = engine_.RdapBaseFor(extension, SkipTakenLists); !base.isEmpty()) {
        const TRdapQuery::Result rdap = engine_.rdapQuery().Ask(base, query.toLower());
        lastReason_ = {LookupRoute::Rdap, base, rdap.reason};
        if (rdap.outcome == TRdapQuery::Outcome::Stopped) {
            lastStopped_ = true;
            return false;
        }
        if (rdap.outcome != TRdapQuery::Outcome::NoAnswer) {
            IsWhois = false;
            TakenListError = false;
            Reply = rdap.lines;
            rdapVerdict_ = rdap.outcome == TRdapQuery::Outcome::NotFound   ? LookupVerdict::Free
                           : rdap.outcome == TRdapQuery::Outcome::Reserved ? LookupVerdict::Reserved
                                                                           : LookupVerdict::Taken;
            engine_.ProcessMessages();
            return true;
        }
        rdapFailure = rdap.reason;
    }

    const QString cacheTld = CacheTldOf(TLD);
    lastReason_ = LookupReason();
    lastReason_.Server = server;
    if (!SkipTakenLists && server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(cacheTld)) {
        lastReason_.Route = LookupRoute::Cache;
        const bool free = engine_.CheckTakenList(lookupName, cacheTld, TakenListError);
        lastStopped_ = engine_.TakenListCache.LastDownloadStopped();
        lastReason_.Text = engine_.TakenListCache.LastFailure();
        return free;
    }

    TakenListError = false;
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
    if (!result && !rdapFailure.isEmpty() && !lastStopped_)
        lastReason_.Text = rdapFailure + QStringLiteral("; then ") + lastReason_.Text;
    engine_.ProcessMessages();
    return result;
}

LookupVerdict TDomainLookup::JudgeDomain(const QString& Name, const TLDInfo& Entry, bool& IsWhois, JudgeDetails* details)
{
    JudgeDetails seen;
    if (IsClosedTld(Entry.TLD)) {   // a brand TLD: nobody is asked
        if (details)
            details->Reason.Text = ClosedTldReason();
        return LookupVerdict::Closed;
    }
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
    if (server == CacheDomainsTakenListServer && TTakenListCache::IsCachedTld(CacheTldOf(tld))) {
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

        if (rdapVerdict_) {
            verdict = *rdapVerdict_;
        } else {
            verdict = JudgeReply(reply, match);
            lastReason_.Text = ReplyVerdictReason(verdict, matchText, reply);
        }
    }
    seen.Reason = lastReason_;
    if (details)
        *details = seen;
    return verdict;
}
