#pragma once
#include <QString>

// The two web addresses the program links to. Kept in one place: the main window
// opens them and the results file names the maker's site in its header.

// The maker's web site, with news and updates.
inline QString MakerWebSite()
{
    return QStringLiteral("https://tarnwick.example.org/");
}

// The registrar's sign-up page behind the "Register Domain" button.
inline QString RegistrarSignUpPage()
{
    return QStringLiteral("https://registrar.example.com/signup?affiliate=tarnwick");
}
