#include "TinyproxyProcess.h"
#include "FreePort.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>

TinyproxyProcess::~TinyproxyProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
}

QString TinyproxyProcess::Executable()
{
    QString path = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"));
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    return path;
}

QString TinyproxyProcess::Log() const
{
    QFile log(dir_.filePath(QStringLiteral("tinyproxy.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

bool TinyproxyProcess::Start(const QString& user, const QString& password, QString& error)
{
    const QString executable = Executable();
    if (executable.isEmpty()) {
        error = QStringLiteral("tinyproxy is not installed");
        return false;
    }
    if (!dir_.isValid()) {
        error = QStringLiteral("no temporary folder");
        return false;
    }
    port_ = FreeLoopbackPort();
    QByteArray config = "Port " + QByteArray::number(port_) + "\n"
                        "Listen 127.0.0.1\n"
                        "Timeout 30\n"
                        "MaxClients 20\n"
                        "Allow 127.0.0.1\n"
                        "ViaProxyName \"tinyproxy\"\n"
                        "LogLevel Info\n"
                        "LogFile \"" + dir_.filePath(QStringLiteral("tinyproxy.log")).toUtf8() + "\"\n"
                        "PidFile \"" + dir_.filePath(QStringLiteral("tinyproxy.pid")).toUtf8() + "\"\n";
    if (!user.isEmpty())
        config += "BasicAuth " + user.toUtf8() + ' ' + password.toUtf8() + "\n";
    QFile file(dir_.filePath(QStringLiteral("tinyproxy.conf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(config) != config.size()) {
        error = QStringLiteral("cannot write the configuration");
        return false;
    }
    file.close();

    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(executable, {QStringLiteral("-d"), QStringLiteral("-c"), file.fileName()});
    if (!process_.waitForStarted(5000)) {
        error = QStringLiteral("tinyproxy did not start: ") + process_.errorString();
        return false;
    }
    auto accepts = [this] {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), port_);
        return probe.waitForConnected(200);
    };
    if (!QTest::qWaitFor([&] { return accepts() || process_.state() == QProcess::NotRunning; }, 10000) || !accepts()) {
        error = QStringLiteral("tinyproxy does not listen: ") + QString::fromUtf8(process_.readAll()) + Log();
        return false;
    }
    return true;
}
