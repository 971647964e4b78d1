#pragma once
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/LookupVerdict.h"
#include <QStringList>
#include <optional>

class TMisc1;
struct TLDInfo;

// What JudgeDomain saw on its way to a verdict, for the automated search.
struct JudgeDetails {
    bool LookupSucceeded = false;   // the server answered (server route only)
    bool StopRequested = false;     // Stop was pressed by the time the reply was about to be judged
    bool QueryStopped = false;      // Stop (or Disconnect) ended the network wait itself
    LookupReason Reason;            // how the verdict was reached
};

// The domain as servers are asked about it: a name in any script by its A-label
// ("xn--..."), an ASCII name exactly as it is.
QString QueryForm(const QString& domain);

// Deciding which server answers for a domain, asking it, and judging the answer.
class TDomainLookup {
public:
    explicit TDomainLookup(TMisc1& engine) : engine_(engine) {}

    // Looks `Name` up under `TLD` (with its leading dot; when empty, `Name` carries the
    // TLD after its first "."). On the server routes the result is true when the server
    // answered, and `Reply` holds its lines; on the taken-list route (FI, IE, MC, HU with
    // the "Cache Domains Taken List" server, unless `SkipTakenLists`) it is true when the
    // name is not in the registry's list, `Reply` stays empty and `TakenListError` tells
    // whether the list was available. `IsWhois` tells whether the server is a whois host.
    // An empty `Name` returns false at once; a TLD without a server shows "A server to use
    // could not be found." and returns false, touching none of the outputs.
    bool LookUpAddress(const QString& Name, const QString& TLD, QStringList& Reply, bool& IsWhois,
                       bool SkipTakenLists, bool& TakenListError);

    // The verdict of the automated search for `Name` under the ticked entry `Entry`.
    LookupVerdict JudgeDomain(const QString& Name, const TLDInfo& Entry, bool& IsWhois, JudgeDetails* details = nullptr);

    // Stop (or Disconnect) ended the network wait of the last lookup.
    bool LastLookupStopped() const { return lastStopped_; }
    // The route and server of the last lookup, and why it failed (empty text when it
    // answered); JudgeDomain adds what decided the verdict.
    const LookupReason& LastReason() const { return lastReason_; }
    // The verdict of the last lookup by the rules of the automated search, and the bytes
    // its server sent when a whois server or a lookup page answered (empty after RDAP).
    LookupVerdict LastVerdict() const { return lastVerdict_; }
    const QByteArray& LastReplyBytes() const { return lastReplyBytes_; }

    // Ends the wait of a lookup in progress at once.
    void AbortWait();

private:
    void RunOnce(const QString& name, const TLDInfo& entry, bool skipTakenLists, bool askClosedTlds);

    TMisc1& engine_;
    class TLookupJob* waiting_ = nullptr;   // while a lookup is waited for
    bool lastStopped_ = false;
    LookupReason lastReason_;
    LookupVerdict lastVerdict_ = LookupVerdict::LookupFailed;
    bool lastAnswered_ = false;
    bool lastIsWhois_ = false;
    bool lastTakenListError_ = false;
    QStringList lastReply_;
    QByteArray lastReplyBytes_;
};
