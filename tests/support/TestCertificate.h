#pragma once
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// A self-signed certificate for 127.0.0.1 and localhost, made for this run by the openssl
// command, for https servers that tests start. False (with the reason) when it cannot be
// made: no openssl command, or Qt without a TLS backend.
bool MakeLoopbackCertificate(QSslCertificate& certificate, QSslKey& key, QString& whyNot);
