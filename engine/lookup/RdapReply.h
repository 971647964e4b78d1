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
