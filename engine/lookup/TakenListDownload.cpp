#include "engine/lookup/TakenListDownload.h"

TTakenListDownload::TTakenListDownload(THttpSession& session, const QUrl& url, THttpFetch::Limits limits, Store store)
    : fetch_(session, url, limits), store_(std::move(store))
{
    connect(&fetch_, &THttpFetch::finished, this, [this] {
        stopped_ = fetch_.result().outcome == THttpOutcome::Stopped;
        failure_ = stopped_ ? QStringLiteral("stopped") : store_(fetch_.result(), text_);
        done_ = true;
        emit finished();
    });
}
