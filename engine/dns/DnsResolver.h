#pragma once
#include "engine/dns/NsAnswer.h"
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QSocketNotifier;
struct ares_channeldata;

// Asks a DNS resolver for the NS records of many names at once, on the thread's event
// loop: c-ares keeps the queries, Qt's socket notifiers and a timer drive it. Answers
// come back by callback, always from the event loop (never inside AskNameServers), so a
// callback may start anything, a nested event loop included.
class TDnsResolver : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString server;            // an IP address; empty: the system's resolvers (/etc/resolv.conf)
        quint16 port = 53;
        int timeoutMs = 1000;      // the first try; c-ares doubles it for each further try
        int tries = 2;
        int maxOutstanding = 200;  // questions at the resolver at once; the rest wait here
    };
    struct Answer {
        NsAnswer verdict = NsAnswer::NoReply;
        QString detail;            // the status in words ("NXDOMAIN", "SERVFAIL", ...)
    };
    using Callback = std::function<void(const Answer&)>;

    explicit TDnsResolver(const Settings& settings, QObject* parent = nullptr);
    ~TDnsResolver() override;

    // False when c-ares could not be set up; error() says why.
    bool isReady() const { return channel_ != nullptr; }
    QString error() const { return error_; }
    // The resolver asked, "ADDRESS:PORT" ("127.0.0.53:53"), for reasons and notices.
    QString serverName() const { return serverName_; }

    // Asks for the NS records of `domain` (ASCII, as the DNS spells it). Returns a
    // ticket for Forget().
    quint64 AskNameServers(const QByteArray& domain, Callback done);
    // The question's answer is not delivered.
    void Forget(quint64 ticket);
    // Every question ends unanswered and nothing more is sent.
    void ForgetAll();
    int pending() const { return static_cast<int>(callbacks_.size()); }

private:
    struct Question {
        quint64 ticket;
        QByteArray domain;
    };
    struct Notifiers {
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
    };

    static void OnSocketState(void* data, int socket, int readable, int writable);
    static void OnAnswer(void* arg, int status, int timeouts, unsigned char* reply, int length);
    void WatchSocket(int socket, bool readable, bool writable);
    void Process(int readSocket, int writeSocket);
    void SendWaiting();
    void ArmTimeout();
    void Deliver();
    QString FirstServerName() const;

    ares_channeldata* channel_ = nullptr;
    Settings settings_;
    QString error_;
    QString serverName_;
    quint64 nextTicket_ = 1;
    int outstanding_ = 0;                       // questions c-ares holds
    std::deque<Question> waiting_;              // beyond maxOutstanding
    QHash<quint64, Callback> callbacks_;        // every question not yet answered or forgotten
    std::vector<std::pair<quint64, Answer>> answered_;   // to be delivered from the event loop
    std::unordered_map<int, Notifiers> notifiers_;
    std::vector<std::unique_ptr<QSocketNotifier>> retired_;   // their socket closed; deleted when safe
    QTimer timeout_;
    QTimer delivery_;
    bool destroying_ = false;
};
