#pragma once
#include <QString>

// Fixed facts about the program that several places show.
namespace ProjectInfo {
inline QString Version() { return QStringLiteral("Tarnwick v2.00"); }
// The reverse-DNS id of the desktop entry, the icon and the AppStream metadata.
inline QString AppId() { return QStringLiteral(TARNWICK_APP_ID); }
// The maker's web site: the results-file header and the link label point here.
inline QString WebSite() { return QStringLiteral("https://www.tarnwick.org/"); }
// Where "Register Domain" sends the user to register a free name.
inline QString RegistrarSignUp() { return QStringLiteral("https://www.tarnwick.org/register/"); }
}
