#include "TestCertificate.h"
#include "LoopbackHttpServer.h"
#include <QFile>
#include <QProcess>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>

bool MakeLoopbackCertificate(QSslCertificate& certificate, QSslKey& key, QString& whyNot)
{
    if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty()) {
        whyNot = QStringLiteral("the openssl command is not installed; it makes the test certificate");
        return false;
    }
    if (!QSslSocket::supportsSsl()) {
        whyNot = QStringLiteral("Qt has no TLS backend here");
        return false;
    }
    QTemporaryDir dir;
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", dir.filePath("key.pem"), "-out",
                   dir.filePath("cert.pem")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        whyNot = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAll());
        return false;
    }
    QFile certFile(dir.filePath("cert.pem"));
    QFile keyFile(dir.filePath("key.pem"));
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        whyNot = QStringLiteral("openssl wrote no certificate");
        return false;
    }
    certificate = QSslCertificate(certFile.readAll());
    key = QSslKey(keyFile.readAll(), QSsl::Rsa);
    if (certificate.isNull() || key.isNull()) {
        whyNot = QStringLiteral("the certificate made cannot be read");
        return false;
    }
    return true;
}

bool ServeOverTls(LoopbackHttpServer& server, QSslCertificate& certificate, QString& whyNot)
{
    QSslKey key;
    if (!MakeLoopbackCertificate(certificate, key, whyNot))
        return false;
    server.useTls(certificate, key);
    return true;
}
