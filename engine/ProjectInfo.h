#pragma once
#include <QString>

// Fixed facts about the program that several places show.
namespace ProjectInfo {
inline QString Version() { return QStringLiteral("Tarnwick v2.00"); }
// The maker's web site: the results-file header and the link label point here.
inline QString WebSite() { return QStringLiteral("https://www.tarnwick.org/"); }
// Where "Register Domain" sends the user to register a free name.
inline QString RegistrarSignUp() { return QStringLiteral("https://www.tarnwick.org/register/"); }
}
