#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <functional>

class QTcpSocket;

// A whois server on 127.0.0.1 for tests and benchmarks: reads one query line, answers
// and closes, as RFC 3912 servers do. Hostile modes stand in for broken servers.
class LoopbackWhoisServer : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Answer,              // send the reply for the query, then close
        NeverAnswer,         // read the query and keep the connection open, silent
        CloseWithoutReply,   // read the query and close cleanly without a word
        Reset,               // read the query, send the reply and reset the connection (RST)
    };

    explicit LoopbackWhoisServer(QObject* parent = nullptr);
    ~LoopbackWhoisServer() override;

    // Listens on a free port of 127.0.0.1.
    bool listen();
    quint16 port() const { return server_.serverPort(); }
    void close();

    void setMode(Mode mode) { mode_ = mode; }
    // The reply for every query without one of its own.
    void setReply(const QByteArray& reply) { defaultReply_ = reply; }
    // The reply for one query (the text without CR LF).
    void setReplyFor(const QByteArray& query, const QByteArray& reply) { replies_.insert(query, reply); }
    // Computes the reply from the query; overrides the fixed replies.
    void setResponder(std::function<QByteArray(const QByteArray& query)> responder) { responder_ = std::move(responder); }

    QList<QByteArray> queries;   // every query received, in order, without CR LF
    int connections = 0;         // connections accepted

signals:
    void queryReceived(const QByteArray& query);

private:
    void Accept();
    void Serve(QTcpSocket* socket, QByteArray& buffer);

    QTcpServer server_;
    Mode mode_ = Mode::Answer;
    QByteArray defaultReply_;
    QHash<QByteArray, QByteArray> replies_;
    std::function<QByteArray(const QByteArray&)> responder_;
};
