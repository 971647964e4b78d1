#pragma once
#include <QString>
#include <memory>
#include <vector>

// One TLD in use: the server that answers for it and the phrase that means "free".
struct TLDInfo {
    QString TLD;        // with its leading dot: ".com", ".co.uk"
    QString Server;     // whois host, HTTP URL template or "Cache Domains Taken List"
    QString MatchText;  // phrase whose presence in a reply means "not registered"
    bool Checked = false;
};

// The ordered table of TLDs in use, keyed by TLD. Keys may repeat; look-ups ignore
// case and find the first entry. Positions 0 to 3 are the main window's quick ticks.
class TTLDInfoList {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    TLDInfo& At(int index) { return *entries_.at(static_cast<size_t>(index)); }
    const TLDInfo& At(int index) const { return *entries_.at(static_cast<size_t>(index)); }

    // Appends an entry under its TLD key and returns it.
    TLDInfo& Add(const QString& tld, const QString& server, const QString& matchText, bool checked);
    // Index of the first entry whose TLD equals `tld` ignoring case, or -1.
    int IndexOf(const QString& tld) const;
    TLDInfo* Find(const QString& tld);
    const TLDInfo* Find(const QString& tld) const;
    // Frees every entry, leaving an empty list.
    void Clear() { entries_.clear(); }

private:
    std::vector<std::unique_ptr<TLDInfo>> entries_;
};
