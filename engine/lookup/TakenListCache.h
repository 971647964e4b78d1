#pragma once
#include "engine/lookup/ServerKind.h"
#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <memory>

class THttpClient;
class TTakenListDownload;

// What the cache can tell about a name without the network.
struct TakenListAnswer {
    enum class Kind {
        Free,          // a fresh list that does not hold the name
        Taken,         // a fresh list that holds it
        Unavailable,   // no list can answer (`why` says why)
        NeedsList,     // the list is missing or stale: it must be downloaded first
    };
    Kind kind = Kind::Unavailable;
    QString why;
};

// The server name that sends lookups of FI, IE, MC and HU names to the taken-list cache.
inline const QString CacheDomainsTakenListServer{CacheServerName};

// A TLD as the cache names it: upper case, without one leading dot (".ie" -> "IE").
QString CacheTldOf(const QString& tld);

// The lists of taken names that four registries publish, downloaded on demand and kept
// in the folder "Cache" of the cache folder (the program folder, or an installation's
// $XDG_CACHE_HOME/tarnwick):
//   Cache/<TLD>/<letter>   the page upper-cased, as lines ending in CR LF
//   Cache/Cache-index.ini  [<TLD>] <letter>-LastChecked=<date of the download>
// FI and HU have one list (letter A); IE and MC one per first character of the name.
// A list is used while it is no older than the cache-days limit, read afresh at every
// check; a stale list is downloaded again and never used as a fallback.
class TTakenListCache {
public:
    TTakenListCache(THttpClient& http, std::function<QString()> cacheHome);
    ~TTakenListCache();

    // The registries' web hosts by TLD ("host" or "host:port"); the pages are fetched
    // over http:// from them.
    QMap<QString, QString> RegistryHosts;
    // Days a downloaded list stays in use (1 to 120), asked at every check.
    std::function<int()> CacheDays = [] { return 7; };
    // Today's date; a seam for tests.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };

    // True when the list file for the name's letter exists and its date in the index is
    // not older than the cache-days limit. `tld` is "IE", "FI", "MC" or "HU".
    bool IsTakenListFresh(const QString& name, const QString& tld) const;

    // True when the name is not in the registry's list (free), false when it is (taken).
    // `TakenListError` becomes true when the list could not be downloaded or stored; the
    // caller then reports a failed lookup whatever the result.
    bool CheckTakenList(const QString& name, const QString& tld, bool& TakenListError);

    // The answer for the name from a fresh list, without the network.
    TakenListAnswer Consult(const QString& name, const QString& tld);
    // The download of the list that answers for the name, shared by every name that needs
    // it: started by the first call, forgotten when it ends (its list is then stored, or
    // the list is unobtainable for the rest of the search).
    TTakenListDownload* DownloadFor(const QString& name, const QString& tld);
    // Stop: every download ends at once.
    void AbortDownloads();

    // The last download ended because the user pressed Stop.
    bool LastDownloadStopped() const { return lastStopped_; }
    // Why the last check could not answer, in words; empty when it could.
    const QString& LastFailure() const { return lastFailure_; }

    // A list that could not be obtained is asked for once per search; later names of the
    // same list get the error at once. Every search start forgets them.
    void ForgetUnobtainableLists() { unobtainable_.clear(); }

    // The pieces of the rule, public for the tests and the CLI.
    static bool IsCachedTld(const QString& tld);                                   // FI, IE, MC, HU
    static QString ListLetter(const QString& upperName, const QString& tld);        // empty when unusable
    static QByteArray TakenMarker(const QByteArray& upperName, const QString& tld);
    // True when the (upper-cased) page holds at least one entry shaped like the TLD's
    // marker; a page without one (a home page, an error page) is no list of taken names.
    static bool HoldsListedName(const QByteArray& upperText, const QString& tld);
    static QString SourcePath(const QString& letter, const QString& tld);
    // The page as the cache holds it: upper-cased, every line ended by CR LF.
    static QByteArray ToCacheText(const QByteArray& page);
    // Index dates are written as ISO 8601 and read in that form or in the short date
    // format of the current locale; anything else gives an invalid date (stale).
    static QString FormatIndexDate(const QDate& date);
    static QDate ParseIndexDate(const QString& text);

    QString CacheFolder() const;
    QString IndexFile() const;
    QString ListFile(const QString& tld, const QString& letter) const;

private:
    QDate StoredDate(const QString& tld, const QString& letter) const;
    bool Store(const QString& tld, const QString& letter, const QByteArray& text);
    bool Load(const QString& path, QByteArray& text);
    // Stores a downloaded list; returns why it is unusable (empty when stored).
    QString Accept(const QString& tld, const QString& letter, const QByteArray& page, const QString& failure, QByteArray& text);

    THttpClient& http_;
    std::function<QString()> cacheHome_;   // the folder that holds Cache/
    bool lastStopped_ = false;
    QString lastFailure_;
    QSet<QString> unobtainable_;   // "TLD/letter" of the lists this search could not obtain
    std::map<QString, std::unique_ptr<TTakenListDownload>> downloads_;   // by "TLD/letter", while they run

    // The list read last, so that a run over many names of one letter reads it once.
    QString loadedPath_;
    qint64 loadedSize_ = -1;
    QDateTime loadedModified_;
    QByteArray loadedText_;
};
