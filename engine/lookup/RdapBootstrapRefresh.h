#pragma once
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class TRdapBootstrap;
class THttpClient;

// IANA's RDAP bootstrap as the program uses it: the copy refreshed from IANA into the
// cache folder ("rdap-dns.json") when it is sound, else the shipped one, always with our
// overrides on top.
QString RdapBootstrapCacheFile(const QString& cacheFolder);
void UseBestRdapBootstrap(TRdapBootstrap& bootstrap, const QString& cacheFolder);

// Refreshes the cached copy from IANA in the background, at most once a day (the time of
// the last try is kept in Cache-index.ini, [RDAP] LastTried). A download that fails, or
// that is not a sound bootstrap, keeps the last good copy; nothing waits for it.
class TRdapBootstrapRefresh : public QObject {
    Q_OBJECT
public:
    TRdapBootstrapRefresh(TRdapBootstrap& bootstrap, const THttpClient& proxyFrom, QString cacheFolder,
                          QObject* parent = nullptr);
    ~TRdapBootstrapRefresh() override;

    QUrl Source{QStringLiteral("https://data.iana.org/rdap/dns.json")};
    int TimeoutMs = 60'000;

    // Starts a download unless one was tried in the last 24 hours. True when it started.
    bool StartIfDue();

signals:
    // The download ended; `refreshed` when a new copy is now in use.
    void finished(bool refreshed);

private:
    void Take(QNetworkReply* reply);

    TRdapBootstrap& bootstrap_;
    const THttpClient& proxyFrom_;
    QString cacheFolder_;
    std::unique_ptr<QNetworkAccessManager> manager_;
};
