#include "engine/lookup/HttpClient.h"
#include <QAuthenticator>
#include <algorithm>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>

namespace {
// Abandoned managers kept at most; the oldest is let go when one more comes.
constexpr size_t MaxRetiredManagers = 4;

// Whether `url` is an https address of the same host and port as `page`.
bool IsSecureAddressOfPage(const QUrl& url, const QUrl& page)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && page.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && url.host().compare(page.host(), Qt::CaseInsensitive) == 0 && url.port(443) == page.port(443);
}
} // namespace

THttpClient::THttpClient()
    : cookieJar_(std::make_unique<QNetworkCookieJar>())
    , manager_(MakeManager())
{
}

THttpClient::~THttpClient() = default;

std::unique_ptr<QNetworkAccessManager> THttpClient::MakeManager()
{
    auto manager = std::make_unique<QNetworkAccessManager>();
    // One jar for the whole program run, shared by every manager: the manager would
    // take it over, so it is handed back at once.
    manager->setCookieJar(cookieJar_.get());
    cookieJar_->setParent(nullptr);
    QObject::connect(manager.get(), &QNetworkAccessManager::authenticationRequired, manager.get(),
                     [this](QNetworkReply* reply, QAuthenticator* a) { AnswerServer(reply, a); });
    QObject::connect(manager.get(), &QNetworkAccessManager::proxyAuthenticationRequired, manager.get(),
                     [this](const QNetworkProxy& proxy, QAuthenticator* a) { AnswerProxy(proxy, a); });
    return manager;
}

// The manager reads its connections in a thread of its own, and takes in response
// headers one byte per system call. A server that sends headers without end keeps that
// thread reading long after the fetch was given up, with every later fetch of the same
// manager waiting behind it, and closing the manager's connections waits for the
// thread. So a manager whose fetch was abandoned is set aside and a new one takes over.
void THttpClient::RetireManager()
{
    retired_.push_back(std::move(manager_));
    manager_ = MakeManager();
    if (retired_.size() > MaxRetiredManagers)
        retired_.erase(retired_.begin());
}

QNetworkCookieJar* THttpClient::cookieJar() const
{
    return cookieJar_.get();
}

void THttpClient::addTrustedCertificates(const QList<QSslCertificate>& certificates)
{
    extraCertificates_ += certificates;
    manager_->clearConnectionCache();   // connections made under the old trust would be reused
}

bool THttpClient::AnswerOnce(const QString& challenge, QAuthenticator* authenticator)
{
    // Answering a rejected challenge again with the same values would loop for ever.
    if (Username.isEmpty() && Password.isEmpty())
        return false;
    if (answeredChallenges_.contains(challenge))
        return false;
    answeredChallenges_.insert(challenge);
    authenticator->setUser(Username);
    authenticator->setPassword(Password);
    return true;
}

void THttpClient::AnswerServer(QNetworkReply* reply, QAuthenticator* authenticator)
{
    // Any page could ask for the credentials otherwise: a plain http page, one behind the
    // user's proxy, or a host that a redirect led to.
    const QUrl url = reply->url();
    if (!ProxyHost.isEmpty() || !IsSecureAddressOfPage(url, pageUrl_) || !IsSecureAddressOfPage(currentUrl_, pageUrl_))
        return;
    AnswerOnce(QStringLiteral("server %1:%2 %3").arg(url.host()).arg(url.port()).arg(authenticator->realm()), authenticator);
}

void THttpClient::AnswerProxy(const QNetworkProxy& proxy, QAuthenticator* authenticator)
{
    AnswerOnce(QStringLiteral("proxy %1:%2 %3").arg(proxy.hostName()).arg(proxy.port()).arg(authenticator->realm()),
               authenticator);
}

THttpClient::Result THttpClient::Get(const QUrl& url, qint64 maxPageBytes, const Headers& headers)
{
    const qint64 cap = std::min(maxPageBytes, MaxPageBytes);
    Result result;
    if (abort_) {   // called again from inside a wait
        result.failure = QStringLiteral("another request is still waiting");
        return result;
    }
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        result.failure = QStringLiteral("'%1' is not a web address").arg(url.toString());
        return result;
    }

    if (ProxyHost.isEmpty()) {
        manager_->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    } else if (ProxyPort < 1 || ProxyPort > 65535) {
        result.failure = QStringLiteral("the proxy port %1 is not a port number").arg(ProxyPort);
        return result;
    } else {
        manager_->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, ProxyHost, static_cast<quint16>(ProxyPort)));
    }
    answeredChallenges_.clear();
    pageUrl_ = url;
    currentUrl_ = url;

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(NetworkLimits::MaxRedirects);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    if (!extraCertificates_.isEmpty()) {
        QSslConfiguration tls = request.sslConfiguration();
        tls.addCaCertificates(extraCertificates_);
        request.setSslConfiguration(tls);
    }

    enum class End { Waiting, Finished, Timeout, TooSlow, TooLong, Stopped };
    End end = End::Waiting;
    QEventLoop loop;
    QTimer timer;   // each stretch without data
    timer.setSingleShot(true);
    QTimer deadline;   // the whole fetch
    deadline.setSingleShot(true);
    QByteArray body;
    QNetworkReply* reply = manager_->get(request);
    auto finish = [&](End how) {
        if (end != End::Waiting)
            return;
        end = how;
        if (how != End::Finished)
            reply->abort();
        loop.quit();
    };
    auto takeData = [&] {
        body += reply->readAll();
        if (body.size() > cap)
            finish(End::TooLong);
        else
            timer.start(IdleTimeoutMs);
    };
    auto progress = [&] { timer.start(IdleTimeoutMs); };
    QObject::connect(reply, &QNetworkReply::readyRead, takeData);
    QObject::connect(reply, &QNetworkReply::downloadProgress, progress);
    QObject::connect(reply, &QNetworkReply::redirected, [&](const QUrl& target) {
        currentUrl_ = currentUrl_.resolved(target);
        progress();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > cap)
            finish(End::TooLong);
        else
            timer.start(IdleTimeoutMs);
    });
    QObject::connect(reply, &QNetworkReply::finished, [&] { finish(End::Finished); });
    QObject::connect(&timer, &QTimer::timeout, [&] { finish(End::Timeout); });
    QObject::connect(&deadline, &QTimer::timeout, [&] { finish(End::TooSlow); });
    abort_ = [&] { finish(End::Stopped); };

    timer.start(IdleTimeoutMs);
    deadline.start(PageTimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    else
        end = End::Finished;
    abort_ = nullptr;
    timer.stop();
    deadline.stop();

    QObject::disconnect(reply, nullptr, nullptr, nullptr);
    if (end == End::Finished)
        body += reply->readAll();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool anyAnswer = status.isValid();
    result.status = status.toInt();
    result.retryAfter = reply->rawHeader("Retry-After");
    delete reply;   // outside its own signals, so deleting at once is safe
    if (end == End::Timeout || end == End::TooSlow || end == End::TooLong)
        RetireManager();

    switch (end) {
    case End::Stopped:
        result.outcome = Outcome::Stopped;
        return result;
    case End::Timeout:
        result.failure = QStringLiteral("the server did not answer in time");
        return result;
    case End::TooSlow:
        result.failure = QStringLiteral("the page took too long");
        return result;
    case End::TooLong:
        result.failure = QStringLiteral("the page is too long");
        return result;
    case End::Waiting:
    case End::Finished:
        break;
    }
    if (body.size() > cap) {
        result.failure = QStringLiteral("the page is too long");
        return result;
    }
    if (error == QNetworkReply::NoError) {
        result.outcome = Outcome::Fetched;
        result.body = body;
        return result;
    }
    if (error == QNetworkReply::RemoteHostClosedError && !anyAnswer && body.isEmpty()) {
        result.outcome = Outcome::ClosedBeforeBody;
        return result;
    }
    result.failure = errorText;
    if (result.status >= 400)
        result.body = body;   // an error page can still tell something (RDAP's 404)
    return result;
}

void THttpClient::Abort()
{
    if (abort_)
        abort_();
}

void THttpClient::Disconnect()
{
    Abort();
    manager_->clearConnectionCache();
}
