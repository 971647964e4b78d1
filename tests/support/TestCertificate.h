#pragma once
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// A self-signed certificate for 127.0.0.1 and localhost, made for this run by the openssl
// command, for https servers that tests start. False (with the reason) when it cannot be
// made: no openssl command, or Qt without a TLS backend.
bool MakeLoopbackCertificate(QSslCertificate& certificate, QSslKey& key, QString& whyNot);

class LoopbackHttpServer;
// Makes such a certificate and has `server` (not yet listening) serve https with it; the
// client under test must trust `certificate`. False, with the reason, as above.
bool ServeOverTls(LoopbackHttpServer& server, QSslCertificate& certificate, QString& whyNot);
