#include "engine/net/LookupScheduler.h"
#include "data/BuiltinTablesData.h"
#include <algorithm>

namespace {

struct Paced {
    QString group;
    qint64 intervalMs;
};

const QHash<QString, Paced>& PacedHosts()
{
    static const QHash<QString, Paced> hosts = [] {
        QHash<QString, Paced> table;
        for (int i = 0; i < tarnwick::data::PacingTextCount; ++i) {
            const QList<QByteArray> fields = QByteArray(tarnwick::data::PacingText[i]).split('\t');
            if (fields.size() == 3 && !fields.at(0).startsWith('#'))
                table.insert(QString::fromLatin1(fields.at(0)).trimmed().toLower(),
                             {QStringLiteral("operator:") + QString::fromLatin1(fields.at(1)).trimmed(), fields.at(2).trimmed().toLongLong()});
        }
        return table;
    }();
    return hosts;
}

} // namespace

TLookupScheduler::TLookupScheduler(int parallel, int perServer, QObject* parent)
    : QObject(parent), parallel_(std::max(1, parallel)), perServer_(std::max(1, perServer))
{
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &TLookupScheduler::Pump);
}

QString TLookupScheduler::ServerKeyOf(const QString& host)
{
    const QString lower = host.toLower();
    const auto paced = PacedHosts().constFind(lower);
    return paced == PacedHosts().cend() ? lower : paced->group;
}

namespace {
// The published interval of a server group; 0 for a server without one.
qint64 PublishedIntervalMs(const QString& key)
{
    for (const Paced& paced : PacedHosts())
        if (paced.group == key)
            return paced.intervalMs;
    return 0;
}
} // namespace

TLookupScheduler::Server& TLookupScheduler::ServerFor(const QString& key)
{
    auto found = servers_.find(key);
    if (found == servers_.end()) {
        Server server;
        server.baseIntervalMs = server.intervalMs = PublishedIntervalMs(key);
        found = servers_.insert(key, server);
    }
    return *found;
}

qint64 TLookupScheduler::IntervalMs(const QString& key) const
{
    const auto found = servers_.constFind(key);
    return found == servers_.cend() ? PublishedIntervalMs(key) : found->intervalMs;
}

int TLookupScheduler::Request(const QString& key, qint64 priority, Grant start)
{
    const int ticket = nextTicket_++;
    // Most requests come in order of priority: look for the place from the back.
    auto place = pending_.end();
    while (place != pending_.begin() && std::prev(place)->priority > priority)
        --place;
    pending_.insert(place, {priority, ticket, key, std::move(start)});
    Pump();
    const bool waits = std::any_of(pending_.cbegin(), pending_.cend(), [ticket](const Pending& p) { return p.ticket == ticket; });
    return waits ? ticket : 0;
}

void TLookupScheduler::Cancel(int ticket)
{
    std::erase_if(pending_, [ticket](const Pending& p) { return p.ticket == ticket; });
}

void TLookupScheduler::Release(const QString& key, Ending ending)
{
    Server& server = ServerFor(key);
    server.inFlight = std::max(0, server.inFlight - 1);
    inFlight_ = std::max(0, inFlight_ - 1);
    if (ending.refused) {
        server.intervalMs = std::min(MaxIntervalMs, std::max<qint64>(server.intervalMs * 2, 500));
        if (ending.retryAfterMs > 0)
            server.notBeforeMs = std::max(server.notBeforeMs, clock_.elapsed() + ending.retryAfterMs);
    } else
        server.intervalMs = std::max(server.baseIntervalMs, server.intervalMs - server.intervalMs / 10);
    Pump();
}

void TLookupScheduler::SetPaused(bool paused)
{
    paused_ = paused;
    if (!paused)
        Pump();
}

void TLookupScheduler::Pump()
{
    // A grant may start a step that ends at once and releases, which pumps again.
    if (pumping_ || paused_)
        return;
    pumping_ = true;
    qint64 soonestMs = -1;
    for (auto it = pending_.begin(); it != pending_.end() && inFlight_ < parallel_;) {
        Server& server = ServerFor(it->key);
        if (server.inFlight >= perServer_) {
            ++it;
            continue;
        }
        const qint64 now = clock_.elapsed();
        const qint64 readyAt = std::max(server.lastStartMs + server.intervalMs, server.notBeforeMs);
        if (now < readyAt) {
            soonestMs = soonestMs < 0 ? readyAt - now : std::min(soonestMs, readyAt - now);
            ++it;
            continue;
        }
        ++server.inFlight;
        server.mostInFlight = std::max(server.mostInFlight, server.inFlight);
        server.lastStartMs = now;
        ++inFlight_;
        Grant start = std::move(it->start);
        it = pending_.erase(it);
        start();
        // The step may have ended at once and changed the queue under us.
        it = pending_.begin();
        if (paused_)
            break;
    }
    pumping_ = false;
    if (soonestMs >= 0 && (!wake_.isActive() || wake_.remainingTime() > soonestMs))
        wake_.start(static_cast<int>(soonestMs));
}
