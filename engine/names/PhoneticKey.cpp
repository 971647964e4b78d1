#include "engine/names/PhoneticKey.h"

namespace {

bool IsVowel(QChar c)
{
    switch (c.unicode()) {
    case u'A': case u'E': case u'I': case u'O': case u'U':
        return true;
    default:
        return false;
    }
}

bool IsFrontVowel(QChar c)   // E, I or Y: they soften C and G
{
    return c == u'E' || c == u'I' || c == u'Y';
}

// The first word of the upper-cased, trimmed text, with the spellings of its first
// letters that sound like something simpler already replaced.
QString PreparedWord(QStringView text)
{
    QString word = text.toString().toUpper().trimmed();
    const qsizetype space = word.indexOf(u' ');
    if (space >= 0)
        word.truncate(space);
    for (const char16_t* silent : {u"GN", u"KN", u"PN", u"AE", u"WR"}) {
        if (word.startsWith(QStringView(silent))) {
            word.remove(0, 1);
            break;
        }
    }
    if (word.startsWith(u"WH"))
        word.remove(1, 1);   // WH sounds like W
    if (word.startsWith(u'X'))
        word[0] = u'S';
    return word;
}

} // namespace

QString PhoneticKey(QStringView text, int maximum)
{
    const QString word = PreparedWord(text);
    const qsizetype n = word.size();
    // The character at position i, or 0 before the start or past the end.
    const auto at = [&](qsizetype i) { return i >= 0 && i < n ? word[i] : QChar(0); };

    QString key;
    for (qsizetype i = 0; i < n; ++i) {
        if (key.size() >= maximum)
            break;
        const QChar c = word[i];
        const QChar previous = at(i - 1);
        const QChar next = at(i + 1);
        const QChar next1 = at(i + 2);
        const QChar next2 = at(i + 3);
        if (c == previous && c != u'C')
            continue;

        switch (c.unicode()) {
        case u'F': case u'J': case u'L': case u'M': case u'N': case u'R':
            key.append(c);
            break;
        case u'A': case u'E': case u'I': case u'O': case u'U':
            if (i == 0)
                key.append(c);
            break;
        case u'B':
            if (previous != u'M')
                key.append(u'B');
            break;
        case u'C':
            if (IsFrontVowel(next) && previous != u'S') {
                key.append(u'S');
                ++i;
            } else if (next == u'H') {
                key.append(u'X');
                ++i;
            } else if (next == u'I' && next1 == u'A') {
                key.append(u'X');
                i += 2;
            } else {
                key.append(u'K');
            }
            break;
        case u'D':
            if (next == u'G' && IsFrontVowel(next2)) {
                key.append(u'J');
                i += 3;
            } else {
                key.append(u'T');
            }
            break;
        case u'G':
            if (next == u'G' || (next == u'N' && next2 == u'D'))
                break;
            if (IsFrontVowel(next) && next1 != u'G')
                key.append(u'J');
            else
                key.append(u'K');
            break;
        case u'H':
            if (previous == u'C' || previous == u'G' || previous == u'P' || previous == u'S' || previous == u'T')
                break;
            if (IsVowel(previous) && !IsVowel(next))
                break;
            key.append(u'H');
            break;
        case u'K':
            if (previous != u'C')
                key.append(u'K');
            break;
        case u'P':
            key.append(next == u'H' ? u'F' : u'P');
            break;
        case u'Q':
            key.append(u'K');
            break;
        case u'S':
            if (next == u'H' || (next == u'I' && (next2 == u'A' || next2 == u'O')))
                key.append(u'X');
            else
                key.append(u'S');
            break;
        case u'T':
            if (next == u'I' && (next1 == u'A' || next1 == u'O'))
                key.append(u'X');
            else if (next == u'H')
                key.append(u'0');
            else if (!(next == u'C' && next1 == u'H'))
                key.append(u'T');
            break;
        case u'V':
            key.append(u'F');
            break;
        case u'W': case u'Y':
            if (IsVowel(next))
                key.append(c);
            break;
        case u'X':
            key.append(u"KS");
            break;
        case u'Z':
            key.append(u'S');
            break;
        default:
            break;
        }
    }
    return key;
}
