#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

// Decides when the steps of parallel lookups may ask their servers: at most `Parallel`
// steps in flight in all, at most `PerServer` at once to any one server, and between the
// starts of two queries to a server at least that server's interval. A server is a whois
// host, an RDAP host or a web host; the hosts of one operator with a published limit
// share one entry (data/pacing.txt). A refusal or a 429 doubles the server's interval, up
// to a bound; every answer brings it back down by a tenth, never below its published one.
//
// Requests are granted in the order they were made, as far as their servers allow, so a
// busy server holds back only the requests for itself.
class TLookupScheduler : public QObject {
    Q_OBJECT
public:
    explicit TLookupScheduler(int parallel, int perServer, QObject* parent = nullptr);

    // The key that groups `host` with the other hosts of its operator.
    static QString ServerKeyOf(const QString& host);

    using Grant = std::function<void()>;
    // Runs `start` once the server `key` may be asked; the step then holds a slot until
    // Release(). Returns a ticket for Cancel().
    int Request(const QString& key, Grant start);
    void Cancel(int ticket);
    // The step ended; `refused`: the server turned the client away.
    void Release(const QString& key, bool refused);

    // While paused (a question is open), nothing new starts; steps in flight go on.
    void SetPaused(bool paused);
    // Steps that block the event loop run one at a time and grant nothing while they run.
    void BeginBlockingStep() { ++blocking_; }
    void EndBlockingStep();

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
    };
    struct Pending {
        int ticket;
        QString key;
        Grant start;
    };
    Server& ServerFor(const QString& key);
    void Pump();

    int parallel_;
    int perServer_;
    int inFlight_ = 0;
    int blocking_ = 0;
    bool paused_ = false;
    bool pumping_ = false;
    int nextTicket_ = 1;
    std::deque<Pending> pending_;
    QHash<QString, Server> servers_;
    QElapsedTimer clock_;
    QTimer wake_;   // when the next paced request may start
};
