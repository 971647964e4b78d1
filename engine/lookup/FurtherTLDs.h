#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class BuiltinTables;
class TRdapBootstrap;

// A TLD open today that the built-in TLD table lacks (.app, .dev, .xyz, ...), and the
// whois server assigned to it.
struct FurtherTLD {
    QString TLD;      // with its dot, ".app"; an IDN TLD by its A-label, ".xn--p1ai"
    QString Server;   // its whois host
};

// The TLDs offered after the table's rows, in a fixed order: those of the shipped list
// ("key=host" lines, alphabetical), then those that only the bootstrap in use names
// (alphabetical, each with whois.nic.<tld>), so a refreshed bootstrap appends. Keys of the
// table, labels that are no host name and "arpa" (no names are registered under it) are
// left out, and each TLD comes once.
QList<FurtherTLD> FurtherTLDs(const QStringList& shippedLines, const QStringList& tableKeys,
                              const QStringList& bootstrapLabels);
// The list compiled from data/furthertlds.txt, the built-in table and `bootstrap`.
QList<FurtherTLD> FurtherTLDs(const BuiltinTables& tables, const TRdapBootstrap& bootstrap);
