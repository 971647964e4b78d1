#pragma once
#include <QHash>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <memory>
#include <vector>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkCookieJar;
class QNetworkReply;
class THttpFetch;

// What every fetch of a session shares: one QNetworkAccessManager, so the connections
// (and TLS sessions, HTTP/2 where a server offers it) are kept from one fetch to the
// next; one cookie jar for the whole program run; the proxy and the one user name and
// password, given as plain values.
//
// The credentials are meant for the proxy, or for a firewall that challenges requests
// when no proxy is set, so they answer every proxy challenge (407) but a web server's
// (401) only when no proxy is set, over https, and only from the host and port of the
// page asked for, never from one a redirect led to. A rejected answer is not repeated.
class THttpSession : public QObject {
    Q_OBJECT
public:
    struct Proxy {
        QString host;   // empty: no proxy
        int port = 80;
        bool operator==(const Proxy&) const = default;
    };
    struct Credentials {
        QString username;
        QString password;
        bool empty() const { return username.isEmpty() && password.isEmpty(); }
        bool operator==(const Credentials&) const = default;
    };

    explicit THttpSession(QObject* parent = nullptr);
    ~THttpSession() override;

    // Takes effect for the fetches that start afterwards.
    void setProxy(const Proxy& proxy);
    const Proxy& proxy() const { return proxy_; }
    void setCredentials(const Credentials& credentials);
    const Credentials& credentials() const { return credentials_; }
    // Certificates trusted beside the system's (a test server's self-signed one).
    void addTrustedCertificates(const QList<QSslCertificate>& certificates);
    const QList<QSslCertificate>& trustedCertificates() const { return extraCertificates_; }

    QNetworkCookieJar* cookieJar() const { return cookieJar_.get(); }
    // Closes the connections kept for reuse (fetches in flight go on).
    void CloseIdleConnections();

private:
    friend class THttpFetch;
    QNetworkAccessManager& manager();
    // The manager's reading thread can be held by a server that sends headers without
    // end, and every later fetch of the same manager would wait behind it; so a fetch
    // abandoned for its time or size sets the manager aside, and a new one takes over.
    void RetireManager(QNetworkAccessManager* manager);
    void Register(QNetworkReply* reply, THttpFetch* fetch);
    void Unregister(QNetworkReply* reply);
    bool AnswerOnce(QSet<QString>& answered, const QString& challenge, QAuthenticator* authenticator) const;
    std::unique_ptr<QNetworkAccessManager> MakeManager();

    // Declared before the managers, which use it until they go.
    std::unique_ptr<QNetworkCookieJar> cookieJar_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    std::vector<std::unique_ptr<QNetworkAccessManager>> retired_;
    Proxy proxy_;
    Credentials credentials_;
    QSet<QString> answeredProxyChallenges_;   // of the manager in use
    QList<QSslCertificate> extraCertificates_;
    QHash<QNetworkReply*, THttpFetch*> fetches_;   // in flight, for the server's challenges
};
