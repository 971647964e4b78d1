#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QUdpSocket>

// A DNS server on 127.0.0.1 (UDP) for tests and benchmarks: answers each question by a
// table of names, with hostile answers among its ways. Only what a resolver client
// needs: one question per message, NS records in the answer section.
class LoopbackDnsServer : public QObject {
    Q_OBJECT
public:
    enum class Answer {
        Delegated,   // two NS records for the name
        NxDomain,    // the name does not exist
        NoRecords,   // NOERROR with an empty answer section
        ServFail,
        Truncated,   // TC set and nothing else: a client asks again over TCP, where nobody listens
        Garbage,     // the question echoed, then bytes that claim records they do not hold
        Silent,      // no reply at all
    };

    explicit LoopbackDnsServer(QObject* parent = nullptr);
    bool listen();   // a free UDP port of 127.0.0.1
    quint16 port() const { return socket_.localPort(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    // The answer for one name (lower case, without the final dot).
    void set(const QByteArray& name, Answer answer) { answers_.insert(name, answer); }
    Answer otherwise = Answer::NxDomain;   // every name not in the table
    // A wildcard zone: every name under `tld` ("net") not in the table gets `answer`.
    void setOtherwiseUnder(const QByteArray& tld, Answer answer) { wildcards_.insert(tld, answer); }

    QList<QByteArray> questions;   // every name asked, in order, lower case

private:
    void Serve();
    QByteArray Reply(const QByteArray& query);

    QUdpSocket socket_;
    QHash<QByteArray, Answer> answers_;
    QHash<QByteArray, Answer> wildcards_;
};
