#include "engine/names/Soundex.h"

namespace {

// The digit group of a letter; 0 for vowels, Y and non-letters (they separate equal
// digits), -1 for H and W (they neither add a digit nor separate equal digits).
int Score(QChar c)
{
    switch (c.unicode()) {
    case u'B': case u'F': case u'P': case u'V':
    case u'b': case u'f': case u'p': case u'v':
        return 1;
    case u'C': case u'G': case u'J': case u'K': case u'Q': case u'S': case u'X': case u'Z':
    case u'c': case u'g': case u'j': case u'k': case u'q': case u's': case u'x': case u'z':
        return 2;
    case u'D': case u'T': case u'd': case u't':
        return 3;
    case u'L': case u'l':
        return 4;
    case u'M': case u'N': case u'm': case u'n':
        return 5;
    case u'R': case u'r':
        return 6;
    case u'H': case u'W': case u'h': case u'w':
        return -1;
    default:
        return 0;
    }
}

QChar AsciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(char16_t(c.unicode() - (u'a' - u'A'))) : c;
}

} // namespace

QString SoundexCode(QStringView text, int length)
{
    QString code;
    SoundexCodeInto(text, length, code);
    return code;
}

void SoundexCodeInto(QStringView text, int length, QString& code)
{
    code.resize(0);
    if (text.isEmpty() || length < 1)
        return;
    code.append(AsciiUpper(text.front()));
    int previous = Score(text.front());
    for (qsizetype i = 1; i < text.size() && code.size() < length; ++i) {
        const int score = Score(text[i]);
        if (score > 0 && score != previous)
            code.append(QChar(char16_t(u'0' + score)));
        if (score != -1)
            previous = score;
    }
    while (code.size() < length)
        code.append(u'0');
}
