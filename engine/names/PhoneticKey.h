#pragma once
#include <QString>
#include <QStringView>

// A phonetic key of the first word of `text` (spellings that sound alike share a key),
// of `maximum` characters or, when the last piece adds two, one more.
QString PhoneticKey(QStringView text, int maximum);
