#pragma once
#include <QByteArrayView>
#include <QStringList>

// Cuts a server reply into lines, byte by byte. Every byte below 32 (CR, LF, TAB and the
// other control characters) or from 126 up ("~", DEL and every byte of an accented letter)
// ends the current line, which is kept even when empty; the byte itself is dropped. The
// last line is kept only when it is not empty. Lines therefore hold codes 32 to 125 only.
QStringList CutReplyIntoLines(QByteArrayView reply);
