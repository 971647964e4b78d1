#include "engine/lookup/HttpClient.h"
#include <QEventLoop>
#include <algorithm>

THttpSession& THttpClient::session()
{
    session_.setProxy({ProxyHost, ProxyPort});
    session_.setCredentials({Username, Password});
    return session_;
}

THttpFetch::Limits THttpClient::limits(qint64 maxPageBytes) const
{
    return {IdleTimeoutMs, PageTimeoutMs, std::min(maxPageBytes, MaxPageBytes)};
}

THttpClient::Result THttpClient::Get(const QUrl& url, qint64 maxPageBytes, const Headers& headers)
{
    if (waiting_) {   // called again from inside a wait
        Result result;
        result.failure = QStringLiteral("another request is still waiting");
        return result;
    }
    THttpFetch fetch(session(), url, limits(maxPageBytes), headers);
    QEventLoop loop;
    QObject::connect(&fetch, &THttpFetch::finished, &loop, &QEventLoop::quit);
    waiting_ = &fetch;
    fetch.Start();
    if (!fetch.done())
        loop.exec();
    waiting_ = nullptr;
    return fetch.result();
}

void THttpClient::Abort()
{
    if (waiting_)
        waiting_->Abort();
}

void THttpClient::Disconnect()
{
    Abort();
    session_.CloseIdleConnections();
}
