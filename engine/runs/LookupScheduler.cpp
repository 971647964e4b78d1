#include "engine/runs/LookupScheduler.h"
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

int TLookupScheduler::Request(const QString& key, Grant start)
{
    const int ticket = nextTicket_++;
    pending_.push_back({ticket, key, std::move(start)});
    Pump();
    return ticket;
}

void TLookupScheduler::Cancel(int ticket)
{
    std::erase_if(pending_, [ticket](const Pending& p) { return p.ticket == ticket; });
}

void TLookupScheduler::Release(const QString& key, bool refused)
{
    Server& server = ServerFor(key);
    server.inFlight = std::max(0, server.inFlight - 1);
    inFlight_ = std::max(0, inFlight_ - 1);
    if (refused)
        server.intervalMs = std::min(MaxIntervalMs, std::max<qint64>(server.intervalMs * 2, 500));
    else
        server.intervalMs = std::max(server.baseIntervalMs, server.intervalMs - server.intervalMs / 10);
    Pump();
}

void TLookupScheduler::SetPaused(bool paused)
{
    paused_ = paused;
    if (!paused)
        Pump();
}

void TLookupScheduler::EndBlockingStep()
{
    blocking_ = std::max(0, blocking_ - 1);
    Pump();
}

void TLookupScheduler::Pump()
{
    // A grant may start a step that ends at once and releases, which pumps again.
    if (pumping_ || paused_ || blocking_ > 0)
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
        const qint64 readyAt = server.lastStartMs + server.intervalMs;
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
        // The step may have run the event loop; the queue may have changed under us.
        it = pending_.begin();
        if (paused_ || blocking_ > 0)
            break;
    }
    pumping_ = false;
    if (soonestMs >= 0 && (!wake_.isActive() || wake_.remainingTime() > soonestMs))
        wake_.start(static_cast<int>(soonestMs));
}
