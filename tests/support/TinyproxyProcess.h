#pragma once
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's tinyproxy, started by a test on a free port of 127.0.0.1 with a configuration
// of its own (BasicAuth when a user name is given), and stopped with the object.
class TinyproxyProcess {
public:
    TinyproxyProcess() = default;
    ~TinyproxyProcess();
    TinyproxyProcess(const TinyproxyProcess&) = delete;
    TinyproxyProcess& operator=(const TinyproxyProcess&) = delete;

    // The tinyproxy executable, or empty when it is not installed.
    static QString Executable();

    // Starts the proxy and waits until it accepts connections. On false, `error` says why.
    bool Start(const QString& user, const QString& password, QString& error);
    quint16 port() const { return port_; }
    // What the proxy logged, for failure messages.
    QString Log() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
};
