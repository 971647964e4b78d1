#pragma once
#include <QString>

// Who may register names under a TLD, from data/tld-policy.tsv.
enum class TldPolicy {
    Open,         // the public may register (also every TLD the file does not know)
    Restricted,   // eligibility rules: a licence, residence or membership
    Brand,        // a brand TLD: only its owner may hold names
};

// The policy of the TLD a domain ends in: ".google", "co.uk" and "name.co.uk" alike go by
// their last label, letter case aside; an IDN TLD by its A-label (".xn--...").
TldPolicy PolicyOfTld(const QString& tld);

// A country's TLD (".de", ".xn--p1ai", and "co.uk" by its last label), where the
// registry's own rules apply rather than ICANN's.
bool IsCountryCodeTld(const QString& tld);

// A brand TLD's names are not asked about: nobody but the brand's owner can hold one.
inline bool IsClosedTld(const QString& tld)
{
    return PolicyOfTld(tld) == TldPolicy::Brand;
}

// What the run gives as the reason of a brand TLD's verdict.
QString ClosedTldReason();
