#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// What an RDAP domain object (RFC 9083) tells a person: the facts the single search
// shows, one a line.
struct RdapDomainRecord {
    QString name;            // ldhName (or unicodeName)
    QStringList status;      // "active", "client transfer prohibited", ...
    QString registrar;       // the full name of the entity with the role "registrar"
    QString created;         // the "registration" event's date
    QString expires;         // the "expiration" event's date
    QStringList nameServers;
};

// Reads a body as an RDAP domain object: a JSON object whose "objectClassName" is
// "domain". False for anything else (not JSON, another object class, an error object),
// with `why` saying what it was.
bool ReadRdapDomain(const QByteArray& body, RdapDomainRecord& record, QString* why = nullptr);

// The record as lines for the single search ("Domain: EXAMPLE.COM", "Status: active", ...).
QStringList RdapRecordLines(const RdapDomainRecord& record);

// The lines of a "not found" answer: its title and description when the server sent an
// error object, else a line of our own.
QStringList RdapNotFoundLines(const QString& domain, const QByteArray& body);

// What an RDAP answer says about the domain that was asked.
struct RdapAnswer {
    enum class Kind {
        NotFound,      // 404: not registered (free, when the service is the TLD's own)
        Found,         // a domain object for the domain asked, or one that names no domain: registered
        Reserved,      // a 404, or a 200 error object, whose words say that the registry holds the name back
        OtherDomain,   // a domain object for a different domain: no verdict, the next route answers
        NoAnswer,      // anything else: no verdict
    };
    Kind kind = Kind::NoAnswer;
    QString reason;      // what decided, in words; for Reserved the registry's own words
    QStringList lines;   // what the single search shows: the record, or the "not found" answer
};

// Classifies an answer of HTTP status `status` with `body` to "GET <base>domain/<asked>".
// `asked` is the domain in its A-label form, lower case. Reserved: the title, description
// or notices (other than terms of use and the like) say "reserved", "blocked", "premium"
// or "not available for registration" ("All rights reserved" aside). A domain object's
// ldhName or unicodeName names the domain asked when they are equal, a trailing dot and
// letter case aside.
RdapAnswer ClassifyRdapAnswer(int status, const QByteArray& body, const QString& asked);
