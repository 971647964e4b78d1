#pragma once
#include <QString>

// Checks a candidate name (without TLD) before it is looked up. Returns the reason
// the name cannot be a domain name, or an empty text when it may be looked up.
// Emptiness, length, a leading or trailing "-", and the length of its DNS form are tested.
QString IsValidAddress(const QString& name);

// Whether the domain's A-label form fits DNS: no label over 63 octets, no name over 253.
bool FitsInDns(const QString& domain);
