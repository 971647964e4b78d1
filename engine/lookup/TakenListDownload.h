#pragma once
#include "engine/net/HttpFetch.h"
#include <QObject>
#include <functional>
#include <memory>

class THttpSession;

// The download of one registry list of taken names, shared by every lookup that needs
// that list: it starts once, and finished() tells all of them. `store` takes the fetch's
// result when it ends and returns why the list could not be used (empty when it was
// stored).
class TTakenListDownload : public QObject {
    Q_OBJECT
public:
    // Returns why the list is unusable (empty when stored); `text` gets the list as the
    // cache holds it, when the page was one (also when storing it failed).
    using Store = std::function<QString(const THttpResult&, QByteArray& text)>;
    TTakenListDownload(THttpSession& session, const QUrl& url, THttpFetch::Limits limits, Store store);

    void Start() { fetch_.Start(); }
    void Abort() { fetch_.Abort(); }

    bool done() const { return done_; }
    bool stopped() const { return stopped_; }
    const QString& failure() const { return failure_; }
    const QByteArray& text() const { return text_; }

signals:
    void finished();

private:
    THttpFetch fetch_;
    Store store_;
    bool done_ = false;
    bool stopped_ = false;
    QString failure_;
    QByteArray text_;
};
