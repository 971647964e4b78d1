#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// The registry replies kept in data/replies/ (see data/README.md): for each registry a
// reply for a name that is not registered and one for a name that is, written with the
// placeholders %DOMAIN% (the domain as asked, lower case) and %DOMAIN_UC% (upper case),
// and the refusals that registries send to clients they limit.
struct RegistrySample {
    QString tld;          // without its dot: "de", "com.co"
    QString host;         // the whois host whose phrase judges the replies
    QByteArray freeReply;
    QByteArray takenReply;
};

QList<RegistrySample> LoadRegistrySamples();
// name -> reply, one per file of data/replies/refusals/
QList<QPair<QString, QByteArray>> LoadRefusalSamples();
// The reply with its placeholders filled for `domain` ("freeone.de").
QByteArray FillReply(const QByteArray& reply, const QByteArray& domain);
