#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSslCertificate>
#include <QSslKey>
#include <functional>
#include <memory>

class QHostAddress;
class QTcpServer;
class QTcpSocket;

// One request as the server saw it.
struct HttpRequestSeen {
    QByteArray method;
    QByteArray target;                      // as sent: "/path?query"
    QByteArray path;                        // the target without its query
    QHash<QByteArray, QByteArray> headers;  // names lower-cased

    QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
};

// What the server does with one request.
struct ScriptedReply {
    enum class Mode {
        Respond,             // status, headers and body, then close
        NeverAnswer,         // read the request and stay silent
        CloseWithoutReply,   // close the connection without sending anything
        CloseMidBody,        // announce the whole body, send half of it, close
        Stream,              // send streamBytes of body without a length, then close
        EndlessHeaders,      // send the status line, then header lines without end
        TrickleBody,         // send the headers, then the body a byte every trickleIntervalMs, without end
    };
    int status = 200;
    QByteArray reason = "OK";
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    Mode mode = Mode::Respond;
    qint64 streamBytes = 0;
    int trickleIntervalMs = 1000;

    static ScriptedReply Page(const QByteArray& body, int status = 200);
    static ScriptedReply Redirect(const QByteArray& location, int status = 302);
    static ScriptedReply Hostile(Mode mode);
    ScriptedReply& withHeader(const QByteArray& name, const QByteArray& value)
    {
        headers.append({name, value});
        return *this;
    }
};

// An HTTP/1.1 server on 127.0.0.1 with scripted replies by path, for tests: every
// connection carries one request and is closed after the reply, unless keepAlive is set
// (then a connection serves request after request, as servers of today do). Optionally
// speaks TLS with a given certificate, and answers after a delay.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    // Serve TLS with this certificate and key (call before listen()).
    void useTls(const QSslCertificate& certificate, const QSslKey& key);
    // Listens on a free port of 127.0.0.1, or on the given address and port.
    bool listen();
    bool listen(const QHostAddress& address, quint16 port);
    quint16 port() const;
    // "http://127.0.0.1:<port>" (or https).
    QByteArray origin() const;
    QByteArray hostAndPort() const;

    // The reply for a path (the target without its query) or, first, for a whole target.
    void route(const QByteArray& pathOrTarget, const ScriptedReply& reply) { routes_.insert(pathOrTarget, reply); }
    // Computes the reply; when set it is asked before the routes.
    void setHandler(std::function<ScriptedReply(const HttpRequestSeen&)> handler) { handler_ = std::move(handler); }

    bool keepAlive = false;   // serve further requests on a connection after a reply
    int answerDelayMs = 0;    // the pause before each reply of the Respond mode

    QList<HttpRequestSeen> requests;
    int connections = 0;
    int answering = 0;        // requests read and not yet answered
    int mostAnswering = 0;    // the most of them at once
    qint64 bytesSent = 0;   // by the endless modes

signals:
    void requestReceived(const HttpRequestSeen& request);

private:
    void Accept();
    void Serve(QTcpSocket* socket, std::shared_ptr<QByteArray> buffer);
    void Respond(QTcpSocket* socket, const ScriptedReply& reply, std::shared_ptr<QByteArray> buffer);
    ScriptedReply ReplyFor(const HttpRequestSeen& request) const;

    std::unique_ptr<QTcpServer> server_;
    bool tls_ = false;
    QHash<QByteArray, ScriptedReply> routes_;
    std::function<ScriptedReply(const HttpRequestSeen&)> handler_;
};
