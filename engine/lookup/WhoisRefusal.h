#pragma once
#include <QByteArray>
#include <QString>

// Registries that limit their clients answer a query with a refusal instead of a record:
// "WHOIS LIMIT EXCEEDED", "The WHOIS query quota for ... has been exceeded", or nothing at
// all. Such a reply says nothing about the name, so it is neither free nor taken.

// True for a reply of no bytes, or one that holds one of the refusal texts of
// data/refusals.txt (compared without regard to case).
bool IsRefusalReply(const QByteArray& reply);

// The wait a refusal asks for ("replenished in 50 seconds", "try again in 2 minutes"), in
// milliseconds; -1 when it names none.
qint64 RequestedWaitMs(const QByteArray& reply);

// The first line of a refusal with text in it, for the reason of a verdict; "an empty
// reply" for one without.
QString RefusalSummary(const QByteArray& reply);
