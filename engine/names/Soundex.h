#pragma once
#include <QString>
#include <QStringView>

// The Soundex code of `text`: its first character in upper case followed by the digits
// of the consonant groups that follow, cut or padded with "0" to `length` characters.
// Empty text gives an empty code.
QString SoundexCode(QStringView text, int length);
// The same, written into `code` (reusing its memory).
void SoundexCodeInto(QStringView text, int length, QString& code);
