#pragma once
#include "engine/MessagePump.h"
#include "engine/dns/DnsResolver.h"
#include "engine/SearchView.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/DefaultTLDInfoList.h"
#include "engine/lookup/NameValidation.h"
#include "engine/lookup/TLDInfoList.h"
#include "engine/lookup/FailedServers.h"
#include "engine/lookup/HttpClient.h"
#include "engine/lookup/HttpQuery.h"
#include "engine/lookup/InterruptiblePause.h"
#include "engine/lookup/LookUp.h"
#include "engine/lookup/LookupVerdict.h"
#include "engine/lookup/RdapBootstrap.h"
#include "engine/lookup/TakenListCache.h"
#include "engine/lookup/WhoisClient.h"
#include "engine/lookup/WhoisQuery.h"
#include "platform/FileLocations.h"
#include "platform/LinuxSystemProxySource.h"
#include "engine/names/Dictionary.h"
#include "engine/names/SearchList.h"
#include "engine/names/SoundexIndex.h"
#include "engine/runs/ResumePoint.h"
#include "platform/MessageBoxes.h"
#include "settings/ProxySettings.h"
#include <QObject>
#include <QStringList>

class INameFeed;

// The search engine: owns the built-in tables, the table of TLDs in use, the network
// clients and the name lists, and carries the lookup, list-building and search
// operations. Everything runs on the user-interface thread.
//
// Each area keeps its work in a class of its own (engine/lookup, engine/names,
// engine/runs); TMisc1 owns one of each and offers their operations under the
// names the rest of the program uses.
class TMisc1 : public QObject {
    Q_OBJECT
public:
    explicit TMisc1(QObject* parent = nullptr);
    ~TMisc1() override;

    // --- Seams to the front end -------------------------------------------------
    void setView(ISearchView* view) { view_ = view; }
    ISearchView* view() const { return view_; }
    void setMessageBoxes(IMessageBoxes* boxes) { boxes_ = boxes ? boxes : &silentBoxes_; }
    IMessageBoxes& messageBoxes() const { return *boxes_; }
    MessageButton ShowMessage(MessageKind kind, const QString& text, int buttons) { return boxes_->Show(kind, text, buttons); }

    MessagePump& pump() { return pump_; }
    // Handles pending window messages (throttled), so the window repaints and Stop can be pressed.
    void ProcessMessages() { pump_.Process(); }

    // Where the files live: every file in one folder (setProgramFolder), or an
    // installation's arrangement (setFileLocations).
    void setProgramFolder(const QString& folder);
    void setFileLocations(const FileLocations& locations) { locations_ = locations; }
    const FileLocations& fileLocations() const { return locations_; }
    const QString& programFolder() const { return locations_.programFolder; }
    QString settingsFile(const QString& fileName) const { return locations_.SettingsFile(fileName); }
    QString cacheFile(const QString& fileName) const { return locations_.CacheFile(fileName); }
    QString shippedDataFile(const QString& fileName) const { return locations_.ShippedDataFile(fileName); }
    QString defaultResultsFile() const { return locations_.DefaultResultsFile(); }

    // --- Stop request -------------------------------------------------------------
    // 0 while a search may go on; the Stop button sets it to 1.
    int StopRequest = 0;
    void RequestStop();

    // Closes the whois and HTTP connections where they are open (also ends a wait in progress).
    void Disconnect();

    // --- Tables of TLDs and servers ----------------------------------------------
    TTLDInfoList TLDInfoList;
    QStringList NewServerList;   // servers the user added (lower case)
    QStringList NewMatchList;    // the match text of each, same position
    QStringList NewDomainList;   // TLDs the user added (lower case)

    // --- Candidate generation -------------------------------------------------------
    // The dictionary ("english.dat"), the Soundex codes of its words ("Soundex.dat")
    // and the search list that PrepareList fills from the name sources.
    bool DictionaryPresent = false;   // whether LoadDictionary succeeded
    bool LoadDictionary();            // false when the file is missing or unreadable
    void ReleaseDictionary();
    const Dictionary& dictionary() const { return dictionary_; }
    QString GetDictWord(int index) const { return dictionary_.GetDictWord(index); }
    static int GetIndexFor(QChar letter) { return Dictionary::GetIndexFor(letter); }
    static QString GetInitialFor(int index) { return Dictionary::GetInitialFor(index); }

    bool BuildSoundexFile();          // false when the file could not be written
    bool LoadSoundexFile();           // builds the file again when it is damaged
    bool LoadOrBuildSoundexFile();    // loads "Soundex.dat", or builds it when it is missing
    QString GetSoundexFor(int index) const { return soundex_.GetSoundexFor(index); }
    QStringList DictSoundex() const { return soundex_.DictSoundex(); }

    TSearchList SearchList;
    void AddItemToSearchList(QStringView name) { SearchList.AddItem(name); }
    void AddItemsToSearchList(const QStringList& names) { SearchList.AddItems(names); }
    void AddItemsToSearchList(const TSearchList& names) { SearchList.AddItems(names); }
    void PrepareList();

private:
    Dictionary dictionary_;
    SoundexIndex soundex_{dictionary_};   // reads the words of dictionary_, declared before it

public:
    // --- Built-in tables ----------------------------------------------------------
    const BuiltinTables& builtinTables() const { return builtinTables_; }
    QString GetServerName(int index) const { return builtinTables_.GetServerName(index); }
    int ServerCount() const { return builtinTables_.ServerCount(); }
    int TLDCount() const { return builtinTables_.TLDCount(); }
    QString GetServerMatchText(int index) const { return builtinTables_.GetServerMatchText(index); }
    // The user's own servers (NewServerList/NewMatchList) come first.
    QString FindMatchTextForServer(const QString& fullName) const
    {
        return builtinTables_.FindMatchTextForServer(fullName, NewServerList, NewMatchList);
    }
    QString GetTLDName(int index) const { return builtinTables_.GetTLDName(index); }
    QStringList GetTLDServerIndexes(int index) const { return builtinTables_.GetTLDServerIndexes(index); }
    // Makes TLDInfoList anew from the built-in tables, with the given tick of each entry.
    void BuildDefaultTLDInfoList(const QList<bool>& checkStates)
    {
        ::BuildDefaultTLDInfoList(builtinTables_, TLDInfoList, checkStates);
    }

    // --- Name validation ----------------------------------------------------------
    // Why `name` cannot be looked up, or empty when it can.
    QString IsValidAddress(const QString& name) const { return ::IsValidAddress(name); }

    // --- Search runs ---------------------------------------------------------------
    // The counters of the automated run, set to 0 by the Start button.
    qint32 CheckedCount = 0;
    qint32 TakenCount = 0;
    qint32 FreeCount = 0;
    qint32 ErrorCount = 0;
    // Counts one result by the first letter of its status text and shows the counters.
    void UpdateMultipleCount(const QString& status);
    QString CounterText() const;   // "N checked, N taken, N free, N errors"
    void ResetCounters();
    void RunSingleSearch();
    // The automated search; with a feed, over the feed's names instead of the name sources.
    void RunMultipleSearch(INameFeed* feed = nullptr);
    // Continuing a stopped run: set before Start to where the run is to begin (the run
    // takes it and clears it). After a run, StoppedAt is the first domain it left without
    // a result, invalid when it reached its end (LastRunFinished) or ended before its list.
    ResumePoint ResumeFrom;
    ResumePoint StoppedAt;
    bool LastRunFinished = false;
    // The advanced dialog's proxy entries as last applied (at start-up and by its OK).
    // After a failed whois lookup the searches compare them with the system's proxy.
    ProxyBoxes ProxyEntries;
    bool ProxySettingsDiffer() const;
    // Lookup/Timeout: the seconds without data before a whois or HTTP query is given up;
    // a connect waits no longer either.
    void SetLookupTimeout(int seconds);

    // --- Lookups ------------------------------------------------------------------
    // The clients and their settings: Whois1.Port (43), Whois1/Http time-outs and reply
    // caps, Http's proxy and credentials (put there by ApplyProxySettings), the registries'
    // hosts and the cache-days value (TakenListCache.RegistryHosts, .CacheDays).
    TWhoisClient Whois1;
    THttpClient Http;
    TFailedServers FailedServers;   // emptied by every search start
    TTakenListCache TakenListCache{Http, [this] { return locations_.cacheFolder; }};

    // RDAP, asked before a TLD's assigned server where the bootstrap knows its service.
    // Off until the settings switch it on (the window and the CLI read Lookup/RDAP).
    TRdapBootstrap RdapBootstrap;     // the shipped bootstrap until another is used
    bool RdapEnabled = false;
    QSet<QString> RdapPinnedTlds;     // ".de": the assigned server answers first (lower case)
    // The RDAP base URL that answers `tld` first, or empty when its assigned server does
    // (RDAP off, the TLD pinned, no service known, or a taken-list TLD of the automated run).
    QString RdapBaseFor(const QString& tld, bool skipTakenLists = true) const;
    RetryPacing RdapRetries;          // the pauses after a 429; tests shorten them

    // Lookups of an automated run at once, in all and to one server (Lookup/Parallel and
    // Lookup/PerServer); 1 in all is one lookup at a time.
    int LookupParallel = 16;
    int LookupPerServer = 1;
    // The automated run asks DNS first: a name delegated there is taken without a registry
    // query. Off until the settings switch it on (the window and the CLI read Lookup/DNSPrecheck).
    bool DnsPrecheck = false;
    // The automated run checks each route once before trusting it (TRouteSelfChecks). Off
    // until the settings switch it on (Lookup/SelfCheck).
    bool LookupSelfCheck = false;
    TDnsResolver::Settings DnsResolver;   // the system's resolver unless a server is named
    int DnsProbeBoundMs = 2000;           // the longest the resolver check delays a run
    // The route that answers an entry first in the automated run, and where it asks: the
    // RDAP base URL, the whois host, the URL template or the taken-list pseudo-server.
    std::pair<LookupRoute, QString> FirstRouteOf(const TLDInfo& entry) const;
    // Every route of an entry in the order they are asked: its RDAP service, then its
    // assigned server (the taken list only in automated runs, unless `skipTakenLists`).
    QList<std::pair<LookupRoute, QString>> RoutesOf(const TLDInfo& entry, bool skipTakenLists) const;
    // Empties FailedServers and forgets the taken lists that could not be obtained: every
    // search starts with every server and list worth asking again.
    void ForgetFailures()
    {
        FailedServers.Clear();
        TakenListCache.ForgetUnobtainableLists();
    }

    bool GetWhoisResults(const QString& query, QStringList& reply) { return whoisQuery_.GetWhoisResults(query, reply); }
    bool GetHTTPResults(const QString& urlTemplate, const QString& domain, QStringList& reply)
    {
        return httpQuery_.GetHTTPResults(urlTemplate, domain, reply);
    }
    bool LookUpAddress(const QString& Name, const QString& TLD, QStringList& Reply, bool& IsWhois, bool SkipTakenLists,
                       bool& TakenListError)
    {
        return lookup_.LookUpAddress(Name, TLD, Reply, IsWhois, SkipTakenLists, TakenListError);
    }
    LookupVerdict JudgeDomain(const QString& Name, const TLDInfo& Entry, bool& IsWhois, JudgeDetails* details = nullptr)
    {
        return lookup_.JudgeDomain(Name, Entry, IsWhois, details);
    }
    bool IsTakenListFresh(const QString& Name, const QString& TLD) const { return TakenListCache.IsTakenListFresh(Name, TLD); }
    bool CheckTakenList(const QString& Name, const QString& TLD, bool& TakenListError)
    {
        return TakenListCache.CheckTakenList(Name, TLD, TakenListError);
    }
    // Stop (or Disconnect) ended the network wait of the last lookup: a failure that is
    // no fault of the server, which is therefore not on FailedServers.
    bool LastLookupStopped() const { return lookup_.LastLookupStopped(); }
    // How the last lookup went: route, server, and what decided or why it failed.
    const LookupReason& LastLookupReason() const { return lookup_.LastReason(); }
    LookupVerdict LastLookupVerdict() const { return lookup_.LastVerdict(); }
    const QByteArray& LastReplyBytes() const { return lookup_.LastReplyBytes(); }
    const TWhoisQuery& whoisQuery() const { return whoisQuery_; }
    TWhoisQuery& whoisQuery() { return whoisQuery_; }   // its refusal pauses are settings
    const THttpQuery& httpQuery() const { return httpQuery_; }

    // The system's proxy settings (Linux: the http_proxy variable, else the desktop's own
    // setting); tests install a fake.
    void setSystemProxySource(ISystemProxySource* source) { systemProxy_ = source ? source : &linuxProxy_; }
    const ISystemProxySource& systemProxySource() const { return *systemProxy_; }

private:
    TInterruptiblePause refusalPause_;   // Stop and Disconnect end it at once
    TWhoisQuery whoisQuery_{Whois1, FailedServers, pump_, refusalPause_, [this] { return StopRequest != 0; }};
    THttpQuery httpQuery_{Http, FailedServers, pump_};
    TDomainLookup lookup_{*this};
    LinuxSystemProxySource linuxProxy_;
    ISystemProxySource* systemProxy_ = &linuxProxy_;

signals:
    // Emitted by RequestStop so that a network wait can end at once.
    void stopRequested();
    // A lookup of the single search asks `host` now (a fall-back after RDAP, say).
    void lookupAsking(const QString& host);

private:
    ISearchView* view_ = nullptr;
    SilentMessageBoxes silentBoxes_;
    IMessageBoxes* boxes_ = &silentBoxes_;
    MessagePump pump_;
    FileLocations locations_;
    BuiltinTables builtinTables_;
};
