#pragma once
#include <QString>
#include <QStringView>

// Candidate names are upper case and keep only "-", the digits and the letters A-Z.

// The character a candidate name keeps for `c`: "-", "0".."9" and "A".."Z" as they
// are, "a".."z" in upper case; 0 for every other character, which is dropped.
constexpr char16_t NameCharFor(char16_t c)
{
    if (c == u'-' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
        return c;
    if (c >= u'a' && c <= u'z')
        return char16_t(c - (u'a' - u'A'));
    return 0;
}

// Removes a leading "WWW" from a name already made of kept characters.
inline QStringView WithoutWwwPrefix(QStringView name)
{
    return name.startsWith(u"WWW") ? name.sliced(3) : name;
}

// The normalised form of `name`: its kept characters in order, without a leading "WWW".
QString NormaliseName(QStringView name);
QString NormaliseName(QLatin1String name);
