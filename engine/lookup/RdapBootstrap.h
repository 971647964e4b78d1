#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// Which RDAP service answers for which TLD: IANA's bootstrap file for domain names
// (RFC 9224, https://data.iana.org/rdap/dns.json) with our overrides on top. A domain's
// service is the one of its longest listed ending: for name.co.uk, "co.uk" if listed,
// else "uk".
class TRdapBootstrap {
public:
    // Reads IANA's format: {"services": [[["label", ...], ["https://base/", ...]], ...]}.
    // Of a service's URLs the first https one is taken, else the first http one; each base
    // ends with "/". Labels are kept in lower case. False (the map untouched) when the text
    // is not such a file or lists no service at all; `why` then says what is wrong.
    static bool ParseIana(const QByteArray& json, QHash<QString, QString>& services, QString* why = nullptr);
    // Reads the overrides: "tld<TAB>base-url<TAB>source" lines; others are skipped.
    static QHash<QString, QString> ParseOverrides(const QByteArray& text);

    // The shipped data: the bootstrap published with this version, and the overrides.
    static QByteArray ShippedIanaFile();
    static QByteArray ShippedOverrides();

    // Uses IANA's file (already parsed) with the overrides winning.
    void Use(const QHash<QString, QString>& iana, const QHash<QString, QString>& overrides);
    // The shipped file and overrides.
    void UseShipped();

    // The base URL for a TLD (".co.uk" or "co.uk") or a whole domain ("name.co.uk"):
    // the longest listed ending wins; empty when none is listed. For a TLD given with
    // its dot every ending of it counts; a domain's first label is its name.
    QString BaseUrlForTld(const QString& tld) const;
    QString BaseUrlForDomain(const QString& domain) const;

    // The labels that have a service, sorted.
    QStringList Labels() const;
    int Count() const { return static_cast<int>(services_.size()); }

private:
    QString LongestMatch(const QStringList& labels, int from) const;
    QHash<QString, QString> services_;   // label (lower case, no dot) -> base URL
};
