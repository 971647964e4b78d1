#pragma once
#include "engine/lookup/NetworkLimits.h"
#include <QByteArray>
#include <QList>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkCookieJar;
class QNetworkProxy;
class QNetworkReply;

// The HTTP client of the lookups and the taken-list downloads: GET over http:// and
// https://, redirects followed, cookies kept for the whole program run, an optional HTTP
// proxy, and one user name and password. They are meant for the proxy, or for a
// firewall that challenges requests when no proxy is set, so they answer every proxy
// challenge (407) but a web server's (401) only when no proxy is set, over https, and
// only from the host and port of the page asked for, never from one a redirect led to.
//
// Get() waits in a local event loop, so the window keeps repainting and Stop can be
// pressed; Abort() ends the wait at once. The wait is bounded by IdleTimeoutMs without
// data (counted from the request, so it covers the connect too), the whole fetch with
// its redirects by PageTimeoutMs, and a page longer than MaxPageBytes is a failure.
class THttpClient {
public:
    enum class Outcome {
        Fetched,            // a page arrived (its body may be empty)
        ClosedBeforeBody,   // the server closed the connection in an orderly way before any answer
        Failed,             // not resolvable, refused, lost, error status, timed out, too long
        Stopped,            // ended by Abort(); no fault of the server
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QByteArray body;      // the page when Fetched, else empty (also kept with an error status)
        QString failure;      // a short reason when Failed
        int status = 0;       // the HTTP status of the last answer; 0 without one
        QByteArray retryAfter;   // its Retry-After header, when it has one
    };
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Proxy and credentials in use; the proxy settings put them here (an empty host means
    // no proxy).
    QString ProxyHost;
    int ProxyPort = 80;
    QString Username;
    QString Password;

    int IdleTimeoutMs = NetworkLimits::IdleTimeoutMs;
    int PageTimeoutMs = NetworkLimits::PageTimeoutMs;
    qint64 MaxPageBytes = NetworkLimits::MaxPageBytes;

    // `maxPageBytes` below MaxPageBytes lowers the cap for this fetch.
    // `headers` go with the request (and its redirects).
    Result Get(const QUrl& url, qint64 maxPageBytes = NetworkLimits::MaxPageBytes, const Headers& headers = {});

    // Ends a fetch in progress at once; it reports Stopped. Does nothing when idle.
    void Abort();
    // Ends a fetch in progress and closes the idle connections kept for reuse.
    void Disconnect();
    bool Busy() const { return static_cast<bool>(abort_); }

    QNetworkCookieJar* cookieJar() const;
    // Certificates trusted beside the system's (a test server's self-signed one).
    void addTrustedCertificates(const QList<QSslCertificate>& certificates);

private:
    void AnswerServer(QNetworkReply* reply, QAuthenticator* authenticator);
    void AnswerProxy(const QNetworkProxy& proxy, QAuthenticator* authenticator);
    bool AnswerOnce(const QString& challenge, QAuthenticator* authenticator);

    std::unique_ptr<QNetworkAccessManager> MakeManager();
    void RetireManager();

    // Declared before the managers, which use it until they go.
    std::unique_ptr<QNetworkCookieJar> cookieJar_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    // Managers whose last fetch was abandoned (see RetireManager).
    std::vector<std::unique_ptr<QNetworkAccessManager>> retired_;
    std::function<void()> abort_;      // set only while a fetch waits
    QSet<QString> answeredChallenges_; // per fetch: a rejected answer is not repeated
    QUrl pageUrl_;                     // per fetch: the page asked for
    QUrl currentUrl_;                  // per fetch: where the redirects have led so far
    QList<QSslCertificate> extraCertificates_;
};
