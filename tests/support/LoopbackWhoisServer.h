#pragma once
#include <QByteArray>
#include <QHostAddress>
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
        Trickle,             // send the reply a byte at a time, every trickleIntervalMs, without end
        Flood,               // send reply-like lines as fast as they are taken, without end
    };

    explicit LoopbackWhoisServer(QObject* parent = nullptr);
    ~LoopbackWhoisServer() override;

    // Listens on a free port of 127.0.0.1.
    bool listen();
    // Listens on a given loopback address and port: a second server on 127.0.0.3 can
    // share the port of one on 127.0.0.1, as every whois lookup goes to one port.
    bool listen(const QHostAddress& address, quint16 port);
    quint16 port() const { return server_.serverPort(); }
    void close();

    void setMode(Mode mode) { mode_ = mode; }
    // Picks the mode by query; overrides setMode().
    void setModeChooser(std::function<Mode(const QByteArray& query)> chooser) { chooser_ = std::move(chooser); }
    int trickleIntervalMs = 1000;
    int answerDelayMs = 0;       // Answer mode: the reply comes this long after the query
    // The reply for every query without one of its own.
    void setReply(const QByteArray& reply) { defaultReply_ = reply; }
    // The reply for one query (the text without CR LF).
    void setReplyFor(const QByteArray& query, const QByteArray& reply) { replies_.insert(query, reply); }
    // Computes the reply from the query; overrides the fixed replies.
    void setResponder(std::function<QByteArray(const QByteArray& query)> responder) { responder_ = std::move(responder); }

    QList<QByteArray> queries;   // every query received, in order, without CR LF
    int connections = 0;         // connections accepted
    int openConnections = 0;     // accepted and not yet closed
    int mostOpenConnections = 0; // the most that were open at one time
    qint64 bytesSent = 0;        // by the endless modes

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
    std::function<Mode(const QByteArray&)> chooser_;
};
