#include "engine/net/HttpSession.h"
#include "engine/net/HttpFetch.h"
#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>

namespace {
// Abandoned managers kept at most; the oldest is let go when one more comes.
constexpr size_t MaxRetiredManagers = 4;
} // namespace

THttpSession::THttpSession(QObject* parent)
    : QObject(parent)
    , cookieJar_(std::make_unique<QNetworkCookieJar>())
{
    manager_ = MakeManager();   // once every member is there
}

THttpSession::~THttpSession()
{
    // Fetches still running hold replies of these managers; they end with them.
    fetches_.clear();
}

std::unique_ptr<QNetworkAccessManager> THttpSession::MakeManager()
{
    auto manager = std::make_unique<QNetworkAccessManager>();
    // One jar for the whole program run, shared by every manager: the manager would
    // take it over, so it is handed back at once.
    manager->setCookieJar(cookieJar_.get());
    cookieJar_->setParent(nullptr);
    manager->setProxy(proxy_.host.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy)
                                            : QNetworkProxy(QNetworkProxy::HttpProxy, proxy_.host, static_cast<quint16>(proxy_.port)));
    answeredProxyChallenges_.clear();
    connect(manager.get(), &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                if (THttpFetch* fetch = fetches_.value(reply))
                    fetch->AnswerServer(reply, authenticator);
            });
    connect(manager.get(), &QNetworkAccessManager::proxyAuthenticationRequired, this,
            [this](const QNetworkProxy& proxy, QAuthenticator* authenticator) {
                AnswerOnce(answeredProxyChallenges_,
                           QStringLiteral("proxy %1:%2 %3").arg(proxy.hostName()).arg(proxy.port()).arg(authenticator->realm()),
                           authenticator);
            });
    return manager;
}

QNetworkAccessManager& THttpSession::manager()
{
    return *manager_;
}

void THttpSession::setProxy(const Proxy& proxy)
{
    if (proxy == proxy_)
        return;
    proxy_ = proxy;
    manager_->setProxy(proxy_.host.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy)
                                             : QNetworkProxy(QNetworkProxy::HttpProxy, proxy_.host, static_cast<quint16>(proxy_.port)));
    answeredProxyChallenges_.clear();
}

void THttpSession::setCredentials(const Credentials& credentials)
{
    if (credentials == credentials_)
        return;
    credentials_ = credentials;
    answeredProxyChallenges_.clear();
}

void THttpSession::addTrustedCertificates(const QList<QSslCertificate>& certificates)
{
    extraCertificates_ += certificates;
    manager_->clearConnectionCache();   // connections made under the old trust would be reused
}

void THttpSession::CloseIdleConnections()
{
    manager_->clearConnectionCache();
}

void THttpSession::RetireManager(QNetworkAccessManager* manager)
{
    if (manager != manager_.get())
        return;   // already set aside by another fetch
    retired_.push_back(std::move(manager_));
    manager_ = MakeManager();
    if (retired_.size() > MaxRetiredManagers)
        retired_.erase(retired_.begin());
}

void THttpSession::Register(QNetworkReply* reply, THttpFetch* fetch)
{
    fetches_.insert(reply, fetch);
}

void THttpSession::Unregister(QNetworkReply* reply)
{
    fetches_.remove(reply);
}

bool THttpSession::AnswerOnce(QSet<QString>& answered, const QString& challenge, QAuthenticator* authenticator) const
{
    // Answering a rejected challenge again with the same values would loop for ever.
    if (credentials_.empty() || answered.contains(challenge))
        return false;
    answered.insert(challenge);
    authenticator->setUser(credentials_.username);
    authenticator->setPassword(credentials_.password);
    return true;
}
