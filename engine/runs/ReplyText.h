#pragma once
#include <QByteArrayView>
#include <QStringList>

// A server's reply as a person reads it: the bytes decoded as UTF-8, or as Latin-1 when
// they are not valid UTF-8; lines end at CR LF, LF or a lone CR; tabs stay; the other
// control characters (NUL, ESC, ...) are dropped. Blank lines stay; the line break after
// the last line makes no empty line of its own.
QStringList ReplyTextLines(QByteArrayView reply);
