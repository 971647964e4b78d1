#pragma once
#include <QString>
#include <QStringView>

// Candidate names are upper case and keep only "-", the digits and the letters: A-Z,
// and the letters of any other script (a name in any script is asked by its A-label).

// The ASCII part of the rule, for bytes: "-", "0".."9" and "A".."Z" as they are,
// "a".."z" in upper case; 0 for every other byte, which is dropped.
constexpr char16_t AsciiNameCharFor(char16_t c)
{
    if (c == u'-' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
        return c;
    if (c >= u'a' && c <= u'z')
        return char16_t(c - (u'a' - u'A'));
    return 0;
}

// The character a candidate name keeps for `c`: as above for ASCII; a letter of another
// script (one UTF-16 unit) upper-cased; 0 for everything else.
inline char16_t NameCharFor(char16_t c)
{
    if (c < 128)
        return AsciiNameCharFor(c);
    const QChar letter(c);
    if (letter.isSurrogate() || !(letter.isLetter() || letter.isMark()))
        return 0;
    return letter.toUpper().unicode();
}

// Removes a leading "WWW" from a name already made of kept characters.
inline QStringView WithoutWwwPrefix(QStringView name)
{
    return name.startsWith(u"WWW") ? name.sliced(3) : name;
}

// The normalised form of `name`: its kept characters in order, without a leading "WWW".
QString NormaliseName(QStringView name);
QString NormaliseName(QLatin1String name);
