#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <list>
#include <functional>

// Decides when the steps of parallel lookups may ask their servers: at most `Parallel`
// steps in flight in all, at most `PerServer` at once to any one server, and between the
// starts of two queries to a server at least that server's interval. A server is a whois
// host, an RDAP host or a web host; the hosts of one operator with a published limit
// share one entry (data/pacing.txt). A refusal or a 429 doubles the server's interval, up
// to a bound; every answer brings it back down by a tenth, never below its published one.
//
// Requests are granted by their priority (the run's order of domains; a retry keeps the
// place of its domain), then in the order they were made, as far as their servers allow,
// so a busy server holds back only the requests for itself. This is the only place where
// the lookups wait for a server; nothing here blocks.
class TLookupScheduler : public QObject {
    Q_OBJECT
public:
    explicit TLookupScheduler(int parallel, int perServer, QObject* parent = nullptr);

    // The key that groups `host` with the other hosts of its operator.
    static QString ServerKeyOf(const QString& host);

    using Grant = std::function<void()>;
    // Runs `start` once the server `key` may be asked, lower `priority` first; the step
    // then holds a slot until Release(). Returns a ticket for Cancel(), or 0 when `start`
    // ran at once, inside this call.
    int Request(const QString& key, qint64 priority, Grant start);
    void Cancel(int ticket);

    struct Ending {
        bool refused = false;        // the server turned the client away (a refusal, a 429)
        qint64 retryAfterMs = -1;    // and asked for this wait before the next query
    };
    // The step ended. A refusal lengthens the server's interval, and a wait it asked for
    // holds every query to it until then.
    void Release(const QString& key, Ending ending);
    void Release(const QString& key) { Release(key, Ending()); }

    // While paused (a question is open), nothing new starts; steps in flight go on.
    void SetPaused(bool paused);

    int InFlight() const { return inFlight_; }
    int MostInFlightAt(const QString& key) const { return servers_.value(key).mostInFlight; }
    qint64 IntervalMs(const QString& key) const;

    static constexpr qint64 MaxIntervalMs = 30'000;

private:
    struct Server {
        int inFlight = 0;
        int mostInFlight = 0;
        qint64 baseIntervalMs = 0;
        qint64 intervalMs = 0;
        qint64 lastStartMs = -1'000'000;
        qint64 notBeforeMs = 0;   // a wait the server asked for
    };
    struct Pending {
        qint64 priority;
        int ticket;
        QString key;
        Grant start;
    };
    Server& ServerFor(const QString& key);
    void Pump();

    int parallel_;
    int perServer_;
    int inFlight_ = 0;
    bool paused_ = false;
    bool pumping_ = false;
    int nextTicket_ = 1;
    std::list<Pending> pending_;   // by priority, then ticket
    QHash<QString, Server> servers_;
    QElapsedTimer clock_;
    QTimer wake_;   // when the next paced request may start
};
