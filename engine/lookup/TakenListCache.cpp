#include "engine/lookup/TakenListCache.h"
#include "engine/SafeSave.h"
#include "engine/lookup/HttpClient.h"
#include "platform/ProgramFolder.h"
#include "settings/IniFile.h"
#include "engine/lookup/TakenListDownload.h"
#include <QDir>
#include <QEventLoop>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {

const QString kIndexFileName = QStringLiteral("Cache-index.ini");

QString LastCheckedKey(const QString& letter)
{
    return letter + QStringLiteral("-LastChecked");
}

} // namespace

TTakenListCache::TTakenListCache(THttpClient& http, std::function<QString()> cacheHome)
    : http_(http), cacheHome_(std::move(cacheHome))
{
    RegistryHosts = {
        {QStringLiteral("IE"), QStringLiteral("www.iedr.ie")},
        {QStringLiteral("FI"), QStringLiteral("www.ficora.fi")},
        {QStringLiteral("MC"), QStringLiteral("www.nic.mc")},
        {QStringLiteral("HU"), QStringLiteral("www.domain.hu")},
    };
}

TTakenListCache::~TTakenListCache() = default;

QString CacheTldOf(const QString& tld)
{
    QString t = tld.toUpper();
    if (t.startsWith(QLatin1Char('.')))
        t.remove(0, 1);
    return t;
}

bool TTakenListCache::IsCachedTld(const QString& tld)
{
    return tld == QLatin1String("FI") || tld == QLatin1String("IE") || tld == QLatin1String("MC")
           || tld == QLatin1String("HU");
}

QString TTakenListCache::ListLetter(const QString& upperName, const QString& tld)
{
    if (tld == QLatin1String("FI") || tld == QLatin1String("HU"))
        return QStringLiteral("A");
    if (tld != QLatin1String("IE") && tld != QLatin1String("MC"))
        return QString();
    // The letter names a file: only characters that are safe as a file name will do.
    if (upperName.isEmpty())
        return QString();
    const QChar c = upperName.at(0);
    const bool usable = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                        || c == QLatin1Char('-');
    return usable ? QString(c) : QString();
}

QByteArray TTakenListCache::TakenMarker(const QByteArray& upperName, const QString& tld)
{
    if (tld == QLatin1String("IE"))
        return upperName + ".IE<BR>";
    if (tld == QLatin1String("MC"))
        return ">WWW." + upperName + ".";
    if (tld == QLatin1String("FI"))
        return "<BR>" + upperName + ".";
    if (tld == QLatin1String("HU"))
        return ">" + upperName + ".HU</A>";
    return QByteArray();
}

namespace {

bool IsNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// True when `text` holds `before`, one or more name bytes, then `after`.
bool HoldsNameBetween(const QByteArray& text, QByteArrayView before, QByteArrayView after)
{
    const qsizetype size = text.size();
    for (qsizetype at = text.indexOf(before); at >= 0; at = text.indexOf(before, at + 1)) {
        qsizetype end = at + before.size();
        const qsizetype start = end;
        while (end < size && IsNameByte(text.at(end)))
            ++end;
        if (end > start && QByteArrayView(text).sliced(end).startsWith(after))
            return true;
    }
    return false;
}

} // namespace

bool TTakenListCache::HoldsListedName(const QByteArray& upperText, const QString& tld)
{
    if (tld == QLatin1String("IE")) {
        for (qsizetype at = upperText.indexOf(".IE<BR>"); at >= 0; at = upperText.indexOf(".IE<BR>", at + 1))
            if (at > 0 && IsNameByte(upperText.at(at - 1)))
                return true;
        return false;
    }
    if (tld == QLatin1String("MC"))
        return HoldsNameBetween(upperText, ">WWW.", ".");
    if (tld == QLatin1String("FI"))
        return HoldsNameBetween(upperText, "<BR>", ".");
    if (tld == QLatin1String("HU"))
        return HoldsNameBetween(upperText, ">", ".HU</A>");
    return false;
}

QString TTakenListCache::SourcePath(const QString& letter, const QString& tld)
{
    if (tld == QLatin1String("IE")) {
        const QChar c = letter.isEmpty() ? QChar() : letter.at(0);
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            return QStringLiteral("/statistics/") + letter.toLower() + QStringLiteral("-doms.html");
        return QStringLiteral("/statistics/0-9-doms.html");
    }
    if (tld == QLatin1String("MC"))
        return QStringLiteral("/listemc/alphabetique/mcNicListeMc-") + letter.toUpper() + QStringLiteral(".html");
    if (tld == QLatin1String("FI"))
        return QStringLiteral("/html/edomains.htm");
    if (tld == QLatin1String("HU"))
        return QStringLiteral("/domainsearch/dsearch.cgi?list=hu");
    return QString();
}

QByteArray TTakenListCache::ToCacheText(const QByteArray& page)
{
    // A lone CR, a lone LF and a CR LF pair each end a line; a last line without an end
    // gets one.
    const QByteArray upper = page.toUpper();
    QByteArray text;
    text.reserve(upper.size() + upper.size() / 16 + 2);
    const qsizetype size = upper.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = upper.at(i);
        if (c == '\r') {
            text += "\r\n";
            if (i + 1 < size && upper.at(i + 1) == '\n')
                ++i;
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    if (!text.isEmpty() && !text.endsWith("\r\n"))
        text += "\r\n";
    return text;
}

QString TTakenListCache::FormatIndexDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QDate TTakenListCache::ParseIndexDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid())
        return date;
    date = QLocale().toDate(trimmed, QLocale::ShortFormat);
    // A two-digit year reads as 19xx; no list was downloaded before 1950.
    if (date.isValid() && date.year() < 1950)
        date = date.addYears(100);
    return date;
}

QString TTakenListCache::CacheFolder() const
{
    return ProgramFile(cacheHome_(), QStringLiteral("Cache"));
}

QString TTakenListCache::IndexFile() const
{
    return CacheFolder() + QLatin1Char('/') + kIndexFileName;
}

QString TTakenListCache::ListFile(const QString& tld, const QString& letter) const
{
    return CacheFolder() + QLatin1Char('/') + tld + QLatin1Char('/') + letter;
}

QDate TTakenListCache::StoredDate(const QString& tld, const QString& letter) const
{
    const IniFile index(IndexFile());
    return ParseIndexDate(index.ReadString(tld, LastCheckedKey(letter), QString()));
}

bool TTakenListCache::IsTakenListFresh(const QString& name, const QString& tld) const
{
    const QString letter = ListLetter(name.toUpper(), tld);
    if (letter.isEmpty())
        return false;
    if (!QFileInfo(ListFile(tld, letter)).isFile())
        return false;
    const QDate stored = StoredDate(tld, letter);
    if (!stored.isValid())
        return false;   // missing or unreadable: the earliest date
    const int days = std::clamp(CacheDays ? CacheDays() : 7, 1, 120);
    return Today().addDays(-days) <= stored;
}

bool TTakenListCache::Load(const QString& path, QByteArray& text)
{
    const QFileInfo info(path);
    if (path == loadedPath_ && info.size() == loadedSize_ && info.lastModified() == loadedModified_) {
        text = loadedText_;
        return true;
    }
    // A list of ours is a page of at most MaxPageBytes with CR LF line ends; a larger
    // file was not written here and is downloaded again instead of read.
    QFile file(path);
    if (info.size() > 2 * http_.MaxPageBytes || !file.open(QIODevice::ReadOnly))
        return false;
    text = ToCacheText(file.readAll());
    loadedPath_ = path;
    loadedSize_ = info.size();
    loadedModified_ = info.lastModified();
    loadedText_ = text;
    return true;
}

bool TTakenListCache::Store(const QString& tld, const QString& letter, const QByteArray& text)
{
    if (!QDir().mkpath(CacheFolder() + QLatin1Char('/') + tld))
        return false;
    if (!SaveFileAtomically(ListFile(tld, letter), text))
        return false;
    loadedPath_.clear();   // the file changed under the remembered copy

    IniFile index(IndexFile());
    index.WriteString(tld, LastCheckedKey(letter), FormatIndexDate(Today()));
    return index.Save();
}

TakenListAnswer TTakenListCache::Consult(const QString& name, const QString& tld)
{
    const QString upperName = name.toUpper();
    const QString letter = ListLetter(upperName, tld);
    const QByteArray marker = TakenMarker(upperName.toUtf8(), tld);
    if (letter.isEmpty() || marker.isEmpty())
        return {TakenListAnswer::Kind::Unavailable, QStringLiteral("no list of taken names covers this name")};
    QByteArray text;
    if (IsTakenListFresh(name, tld) && Load(ListFile(tld, letter), text))
        return {text.contains(marker) ? TakenListAnswer::Kind::Taken : TakenListAnswer::Kind::Free, QString()};
    if (unobtainable_.contains(tld + QLatin1Char('/') + letter))
        return {TakenListAnswer::Kind::Unavailable,
                QStringLiteral("taken list missing: it could not be obtained earlier in this search")};
    return {TakenListAnswer::Kind::NeedsList, QString()};
}

TTakenListDownload* TTakenListCache::DownloadFor(const QString& name, const QString& tld)
{
    const QString letter = ListLetter(name.toUpper(), tld);
    const QString listKey = tld + QLatin1Char('/') + letter;
    if (const auto running = downloads_.find(listKey); running != downloads_.end())
        return running->second.get();
    const QUrl url(QStringLiteral("http://") + RegistryHosts.value(tld) + SourcePath(letter, tld));
    auto download = std::make_unique<TTakenListDownload>(
        http_.session(), url, http_.limits(), [this, tld, letter](const THttpResult& page, QByteArray& text) {
            if (page.outcome == THttpOutcome::Fetched && !page.body.isEmpty())
                return Accept(tld, letter, page.body, QString(), text);
            return Accept(tld, letter, QByteArray(), page.failure.isEmpty() ? QStringLiteral("the page is empty") : page.failure,
                          text);
        });
    TTakenListDownload* started = download.get();
    // Connected first, so it runs before the lookups hear of the end: they find the
    // download forgotten and the list stored.
    QObject::connect(started, &TTakenListDownload::finished, started, [this, listKey] {
        const auto found = downloads_.find(listKey);
        if (found == downloads_.end())
            return;
        found->second.release()->deleteLater();   // inside its own signal
        downloads_.erase(found);
    });
    downloads_.emplace(listKey, std::move(download));
    started->Start();
    return started;
}

void TTakenListCache::AbortDownloads()
{
    // Each ends (and is forgotten) as it is aborted.
    while (!downloads_.empty())
        downloads_.begin()->second->Abort();
}

QString TTakenListCache::Accept(const QString& tld, const QString& letter, const QByteArray& page, const QString& failure,
                                QByteArray& text)
{
    // An empty page (also one the server closed before answering), or a page that lists
    // no name at all (a home page, an error page served as a success), is no list:
    // storing it would make every name of the letter free for days.
    QString why;
    if (!failure.isEmpty()) {
        why = QStringLiteral("taken list missing: ") + failure;
    } else {
        text = ToCacheText(page);
        if (!HoldsListedName(text, tld)) {
            text.clear();
            why = QStringLiteral("taken list missing: the page lists no names");
        } else if (!Store(tld, letter, text)) {
            why = QStringLiteral("taken list missing: it could not be stored");
        }
    }
    if (!why.isEmpty())
        unobtainable_.insert(tld + QLatin1Char('/') + letter);
    return why;
}

bool TTakenListCache::CheckTakenList(const QString& name, const QString& tld, bool& TakenListError)
{
    lastStopped_ = false;
    lastFailure_.clear();
    if (tld.isEmpty())
        return true;
    TakenListAnswer answer = Consult(name, tld);
    QString downloadFailure;
    if (answer.kind == TakenListAnswer::Kind::NeedsList) {
        TTakenListDownload* download = DownloadFor(name, tld);
        if (!download->done()) {
            QEventLoop loop;
            QObject::connect(download, &TTakenListDownload::finished, &loop, &QEventLoop::quit);
            loop.exec();
        }
        // Forgotten by now, but deleted only when the event loop next runs.
        if (download->stopped()) {
            TakenListError = true;
            lastStopped_ = true;
            lastFailure_ = QStringLiteral("stopped");
            return true;
        }
        downloadFailure = download->failure();
        // A list that could not be stored still answers, with the error.
        if (!download->text().isEmpty()) {
            TakenListError = !downloadFailure.isEmpty();
            lastFailure_ = downloadFailure;
            return !download->text().contains(TakenMarker(name.toUpper().toUtf8(), tld));
        }
        answer = Consult(name, tld);
    }
    TakenListError = answer.kind != TakenListAnswer::Kind::Free && answer.kind != TakenListAnswer::Kind::Taken;
    if (TakenListError)
        lastFailure_ = downloadFailure.isEmpty() ? answer.why : downloadFailure;
    return answer.kind != TakenListAnswer::Kind::Taken;
}
