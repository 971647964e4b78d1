#include "engine/net/HttpFetch.h"
#include "engine/net/NetworkLimits.h"
#include "engine/net/HttpSession.h"
#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <algorithm>

namespace {
// Whether `url` is an https address of the same host and port as `page`.
bool IsSecureAddressOfPage(const QUrl& url, const QUrl& page)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && page.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && url.host().compare(page.host(), Qt::CaseInsensitive) == 0 && url.port(443) == page.port(443);
}
} // namespace

THttpFetch::THttpFetch(THttpSession& session, QUrl url, Limits limits, THttpHeaders headers, QObject* parent)
    : QObject(parent)
    , session_(session)
    , url_(std::move(url))
    , currentUrl_(url_)
    , limits_(limits)
    , headers_(std::move(headers))
{
    idle_.setSingleShot(true);
    deadline_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, [this] { Finish(End::Timeout); });
    connect(&deadline_, &QTimer::timeout, this, [this] { Finish(End::TooSlow); });
}

THttpFetch::~THttpFetch()
{
    if (reply_) {
        session_.Unregister(reply_);
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

void THttpFetch::Fail(THttpFailure kind, const QString& why)
{
    result_.outcome = THttpOutcome::Failed;
    result_.failureKind = kind;
    result_.failure = why;
    done_ = true;
    emit finished();
}

void THttpFetch::Start()
{
    const QString scheme = url_.scheme().toLower();
    if (!url_.isValid() || url_.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        Fail(THttpFailure::NotAnAddress, QStringLiteral("'%1' is not a web address").arg(url_.toString()));
        return;
    }
    const THttpSession::Proxy& proxy = session_.proxy();
    if (!proxy.host.isEmpty() && (proxy.port < 1 || proxy.port > 65535)) {
        Fail(THttpFailure::NotAnAddress, QStringLiteral("the proxy port %1 is not a port number").arg(proxy.port));
        return;
    }

    QNetworkRequest request(url_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(NetworkLimits::MaxRedirects);
    for (const auto& [name, value] : headers_)
        request.setRawHeader(name, value);
    if (!session_.trustedCertificates().isEmpty()) {
        QSslConfiguration tls = request.sslConfiguration();
        tls.addCaCertificates(session_.trustedCertificates());
        request.setSslConfiguration(tls);
    }

    QNetworkReply* reply = session_.manager().get(request);
    reply_ = reply;
    session_.Register(reply, this);
    connect(reply, &QNetworkReply::readyRead, this, &THttpFetch::TakeData);
    connect(reply, &QNetworkReply::downloadProgress, this, [this] { idle_.start(limits_.idleTimeoutMs); });
    connect(reply, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        currentUrl_ = currentUrl_.resolved(target);
        idle_.start(limits_.idleTimeoutMs);
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits_.maxBytes)
            Finish(End::TooLong);
        else
            idle_.start(limits_.idleTimeoutMs);
    });
    connect(reply, &QNetworkReply::finished, this, [this] { Finish(End::Finished); });
    idle_.start(limits_.idleTimeoutMs);
    deadline_.start(limits_.pageTimeoutMs);
    if (reply->isFinished())
        Finish(End::Finished);
}

void THttpFetch::Abort()
{
    Finish(End::Stopped);
}

void THttpFetch::TakeData()
{
    if (!reply_)
        return;
    body_ += reply_->readAll();
    if (body_.size() > limits_.maxBytes)
        Finish(End::TooLong);
    else
        idle_.start(limits_.idleTimeoutMs);
}

bool THttpFetch::AnswerServer(QNetworkReply* reply, QAuthenticator* authenticator)
{
    // Any page could ask for the credentials otherwise: a plain http page, one behind the
    // user's proxy, or a host that a redirect led to.
    const QUrl url = reply->url();
    if (!session_.proxy().host.isEmpty() || !IsSecureAddressOfPage(url, url_) || !IsSecureAddressOfPage(currentUrl_, url_))
        return false;
    return session_.AnswerOnce(answered_, QStringLiteral("server %1:%2 %3").arg(url.host()).arg(url.port()).arg(authenticator->realm()),
                               authenticator);
}

void THttpFetch::Finish(End how)
{
    if (done_ || (!reply_ && how != End::Stopped && how != End::Timeout && how != End::TooSlow))
        return;
    done_ = true;
    idle_.stop();
    deadline_.stop();

    QNetworkReply* reply = reply_.data();
    QNetworkReply::NetworkError error = QNetworkReply::OperationCanceledError;
    QString errorText;
    bool anyAnswer = false;
    if (reply) {
        session_.Unregister(reply);
        reply->disconnect(this);
        if (how != End::Finished)
            reply->abort();
        else
            body_ += reply->readAll();
        error = reply->error();
        errorText = reply->errorString();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        anyAnswer = status.isValid();
        result_.status = status.toInt();
        result_.retryAfter = reply->rawHeader("Retry-After");
        if (how == End::Timeout || how == End::TooSlow || how == End::TooLong)
            session_.RetireManager(reply->manager());
        reply->deleteLater();   // inside its own signal: deleting at once is not safe
        reply_ = nullptr;
    }

    auto failWith = [this](THttpFailure kind, const QString& why) {
        result_.outcome = THttpOutcome::Failed;
        result_.failureKind = kind;
        result_.failure = why;
    };
    switch (how) {
    case End::Stopped:
        result_.outcome = THttpOutcome::Stopped;
        break;
    case End::Timeout:
        failWith(THttpFailure::TimedOut, QStringLiteral("the server did not answer in time"));
        break;
    case End::TooSlow:
        failWith(THttpFailure::TooSlow, QStringLiteral("the page took too long"));
        break;
    case End::TooLong:
        failWith(THttpFailure::TooLong, QStringLiteral("the page is too long"));
        break;
    case End::Finished:
        if (body_.size() > limits_.maxBytes) {
            failWith(THttpFailure::TooLong, QStringLiteral("the page is too long"));
        } else if (error == QNetworkReply::NoError) {
            result_.outcome = THttpOutcome::Fetched;
            result_.body = body_;
        } else if (error == QNetworkReply::RemoteHostClosedError && !anyAnswer && body_.isEmpty()) {
            result_.outcome = THttpOutcome::ClosedBeforeBody;
        } else {
            failWith(THttpFailure::Network, errorText);
            if (result_.status >= 400)
                result_.body = body_;   // an error page can still tell something (RDAP's 404)
        }
        break;
    }
    body_.clear();
    emit finished();
}
