#include "engine/lookup/RdapBootstrapRefresh.h"
#include "engine/SafeSave.h"
#include "engine/lookup/HttpClient.h"
#include "engine/lookup/RdapBootstrap.h"
#include "settings/IniFile.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>

namespace {

constexpr qint64 kMaxBootstrapBytes = 4LL << 20;   // IANA's file is about 70 KB
const QString kIndexSection = QStringLiteral("RDAP");
const QString kLastTried = QStringLiteral("LastTried");

QString IndexFile(const QString& cacheFolder)
{
    return cacheFolder + QStringLiteral("/Cache-index.ini");
}

} // namespace

QString RdapBootstrapCacheFile(const QString& cacheFolder)
{
    return cacheFolder + QStringLiteral("/rdap-dns.json");
}

void UseBestRdapBootstrap(TRdapBootstrap& bootstrap, const QString& cacheFolder)
{
    QHash<QString, QString> iana;
    QFile cached(RdapBootstrapCacheFile(cacheFolder));
    const bool fromCache = cached.size() <= kMaxBootstrapBytes && cached.open(QIODevice::ReadOnly)
                           && TRdapBootstrap::ParseIana(cached.readAll(), iana);
    if (!fromCache)
        TRdapBootstrap::ParseIana(TRdapBootstrap::ShippedIanaFile(), iana);
    bootstrap.Use(iana, TRdapBootstrap::ParseOverrides(TRdapBootstrap::ShippedOverrides()));
}

TRdapBootstrapRefresh::TRdapBootstrapRefresh(TRdapBootstrap& bootstrap, const THttpClient& proxyFrom,
                                             QString cacheFolder, QObject* parent)
    : QObject(parent), bootstrap_(bootstrap), proxyFrom_(proxyFrom), cacheFolder_(std::move(cacheFolder))
{
}

TRdapBootstrapRefresh::~TRdapBootstrapRefresh() = default;

bool TRdapBootstrapRefresh::StartIfDue()
{
    if (manager_)
        return false;   // one is running
    IniFile index(IndexFile(cacheFolder_));
    const QDateTime lastTried = QDateTime::fromString(index.ReadString(kIndexSection, kLastTried, QString()), Qt::ISODate);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (lastTried.isValid() && lastTried <= now && lastTried.secsTo(now) < 24 * 3600)
        return false;
    if (!QDir().mkpath(cacheFolder_))
        return false;
    index.WriteString(kIndexSection, kLastTried, now.toString(Qt::ISODate));
    index.Save();

    manager_ = std::make_unique<QNetworkAccessManager>();
    if (proxyFrom_.ProxyHost.isEmpty() || proxyFrom_.ProxyPort < 1 || proxyFrom_.ProxyPort > 65535)
        manager_->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    else
        manager_->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxyFrom_.ProxyHost,
                                         static_cast<quint16>(proxyFrom_.ProxyPort)));
    QNetworkRequest request(Source);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(TimeoutMs);
    QNetworkReply* reply = manager_->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxBootstrapBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Take(reply); });
    return true;
}

void TRdapBootstrapRefresh::Take(QNetworkReply* reply)
{
    bool refreshed = false;
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->read(kMaxBootstrapBytes + 1) : QByteArray();
    QHash<QString, QString> iana;
    if (body.size() <= kMaxBootstrapBytes && TRdapBootstrap::ParseIana(body, iana)
        && SaveFileAtomically(RdapBootstrapCacheFile(cacheFolder_), body)) {
        bootstrap_.Use(iana, TRdapBootstrap::ParseOverrides(TRdapBootstrap::ShippedOverrides()));
        refreshed = true;
    }
    reply->deleteLater();
    manager_.release()->deleteLater();   // it owns the reply's connection; let both go after this signal
    emit finished(refreshed);
}
