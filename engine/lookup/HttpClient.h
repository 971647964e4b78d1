#pragma once
#include "engine/net/NetworkLimits.h"
#include "engine/net/HttpFetch.h"
#include "engine/net/HttpSession.h"
#include <QString>
#include <QUrl>

class QNetworkCookieJar;

// The blocking HTTP client of the single search and the file downloads: one fetch of the
// shared session (see THttpSession for the proxy, credential and connection rules),
// waited for in a local event loop, so the window keeps repainting and Stop can be
// pressed; Abort() ends the wait at once. The lookups of a run start fetches of the same
// session without waiting.
class THttpClient {
public:
    using Outcome = THttpOutcome;
    using Result = THttpResult;
    using Headers = THttpHeaders;

    THttpClient() = default;
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
    bool Busy() const { return waiting_ != nullptr; }

    // The session with the proxy and credentials above, for fetches that do not wait.
    THttpSession& session();
    // The limits above, for a fetch capped at `maxPageBytes`.
    THttpFetch::Limits limits(qint64 maxPageBytes = NetworkLimits::MaxPageBytes) const;

    QNetworkCookieJar* cookieJar() const { return session_.cookieJar(); }
    // Certificates trusted beside the system's (a test server's self-signed one).
    void addTrustedCertificates(const QList<QSslCertificate>& certificates) { session_.addTrustedCertificates(certificates); }

private:
    THttpSession session_;
    THttpFetch* waiting_ = nullptr;   // set only while Get() waits
};
