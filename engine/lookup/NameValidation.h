#pragma once
#include <QString>

// Checks a candidate name (without TLD) before it is looked up. Returns the reason
// the name cannot be a domain name, or an empty text when it may be looked up.
// Only emptiness, length and a leading or trailing "-" are tested.
QString IsValidAddress(const QString& name);
