#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

// The three tables compiled into the program (see data/README.md):
//   Servers   - every known server, "@host" for "whois.host", "#url" for "http://url",
//               anything else written in full, optionally followed by "," and the
//               one-based number of the phrase it sends for a name not registered;
//   TLDs      - "key=i,j,k": the servers (indexes into Servers) for one TLD, the
//               first being the default;
//   NoStrings - the phrases, each in double quotes;
//   WhoisHosts - "host,N": the phrase number of whois hosts that Servers does not name.
// The tables never change once loaded.
class BuiltinTables {
public:
    // Loads the tables compiled into the program.
    BuiltinTables();
    // Uses the given lines instead (for tests and tools).
    BuiltinTables(QStringList servers, QStringList tlds, QStringList noStrings, QStringList whoisHosts = {});

    int ServerCount() const { return static_cast<int>(servers_.size()); }
    int TLDCount() const { return static_cast<int>(tlds_.size()); }
    int NoStringCount() const { return static_cast<int>(noStrings_.size()); }

    // The raw lines, as stored.
    QString ServerLine(int index) const { return servers_.value(index); }
    QString TLDLine(int index) const { return tlds_.value(index); }
    QString NoStringLine(int index) const { return noStrings_.value(index); }

    // Full server name of Servers line `index` ("whois.host", "http://url/..."),
    // without its phrase number; empty for an empty line or an index out of range.
    QString GetServerName(int index) const;
    // The phrase meaning "not registered" for Servers line `index`: its phrase,
    // or "No Match" when it names none; empty for an empty line.
    QString GetServerMatchText(int index) const;
    // The phrase for a server given by its full name. A server the user added
    // (`userServers`, with the phrase of each at the same position in `userMatches`)
    // wins over the built-in table; in the table the last line naming the server
    // wins; then the table of further whois hosts; a server found nowhere gets "No Match".
    QString FindMatchTextForServer(const QString& fullName, const QStringList& userServers,
                                   const QStringList& userMatches) const;

    // The key of TLDs line `index` ("com", "co.uk"), without a leading dot.
    QString GetTLDName(int index) const;
    // The server indexes of TLDs line `index`, as texts, the default first.
    QStringList GetTLDServerIndexes(int index) const;

private:
    QString PhraseByNumber(int number) const;

    QStringList servers_;
    QStringList tlds_;
    QStringList noStrings_;
    QHash<QString, int> whoisHostPhrases_;   // lower-case host -> phrase number
};
