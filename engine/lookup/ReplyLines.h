#pragma once
#include <QByteArrayView>
#include <QStringList>

// Cuts a server reply into lines, byte by byte. Every byte below 32 (CR, LF and the other
// control characters) or from 126 up ("~", DEL and every byte of an accented letter) ends
// the current line, which is kept even when empty; the byte itself is dropped. A TAB is
// white space, not a line end: it stays in its line as a blank, so "Status:<TAB>free"
// reads as "Status: free". The last line is kept only when it is not empty. Lines
// therefore hold codes 32 to 125 only.
QStringList CutReplyIntoLines(QByteArrayView reply);
