#pragma once
#include <QSet>
#include <QStringList>

// The servers whose query failed during the current search, by identity (a whois host or
// a whole URL template), upper-cased. A listed server is not asked again until the next
// search empties the list. Shared by the whois and the HTTP queries.
class TFailedServers {
public:
    // Membership ignores case.
    bool Contains(const QString& server) const { return keys_.contains(server.toUpper()); }
    // Adds the server's identity (upper-cased) unless it is listed already.
    void Add(const QString& server);
    void Clear();
    int Count() const { return static_cast<int>(entries_.size()); }
    // The identities in the order they failed.
    const QStringList& Entries() const { return entries_; }

private:
    QStringList entries_;
    QSet<QString> keys_;
};
