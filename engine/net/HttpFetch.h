#pragma once
#include "engine/net/HttpResult.h"
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUrl>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;
class THttpSession;

// One HTTP GET that runs by itself on the event loop: Start() sends it through the
// session's manager (its proxy, cookies and kept connections), redirects are followed,
// and finished() says, once, that result() is there. Abort() ends it at once as Stopped.
//
// Every wait is bounded: each stretch without data by the idle time-out (counted from
// the request, so it covers the connect too), the whole fetch with its redirects by the
// page time-out; a page longer than its cap is a failure.
class THttpFetch : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int idleTimeoutMs = 30'000;
        int pageTimeoutMs = 300'000;
        qint64 maxBytes = 32LL << 20;
    };

    THttpFetch(THttpSession& session, QUrl url, Limits limits, THttpHeaders headers = {}, QObject* parent = nullptr);
    ~THttpFetch() override;

    // finished() may come before this returns (an address that is no web address).
    void Start();
    void Abort();

    bool done() const { return done_; }
    const THttpResult& result() const { return result_; }
    const QUrl& url() const { return url_; }

signals:
    void finished();

private:
    friend class THttpSession;   // answers the server's challenges for this fetch
    enum class End { Finished, Timeout, TooSlow, TooLong, Stopped };
    void TakeData();
    void Finish(End how);
    void Fail(THttpFailure kind, const QString& why);
    bool AnswerServer(QNetworkReply* reply, QAuthenticator* authenticator);

    THttpSession& session_;
    QUrl url_;
    QUrl currentUrl_;   // where the redirects have led so far
    Limits limits_;
    THttpHeaders headers_;
    QPointer<QNetworkReply> reply_;
    QTimer idle_;
    QTimer deadline_;
    QByteArray body_;
    QSet<QString> answered_;   // challenges answered: a rejected answer is not repeated
    bool done_ = false;
    THttpResult result_;
};
