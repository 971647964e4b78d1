#include "engine/names/TextFileEncoding.h"
#include <QByteArray>
#include <QIODevice>
#include <QStringDecoder>

std::optional<QStringConverter::Encoding> TextFileEncoding(QIODevice& file)
{
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray start = file.peek(3);
    if (start.startsWith("\xEF\xBB\xBF"))
        return QStringConverter::Utf8;
    if (start.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (start.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;

    // Without a mark the bytes decide; a file in a local 8-bit encoding with letters
    // beyond ASCII is almost never valid UTF-8.
    QStringDecoder utf8(QStringConverter::Utf8);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        const QString decoded = utf8(QByteArrayView(chunk.constData(), got));   // decoding is what tells
        if (utf8.hasError())
            break;
    }
    const bool valid = !utf8.hasError();
    if (!file.seek(0))
        return std::nullopt;
    if (valid)
        return QStringConverter::Utf8;
#ifdef Q_OS_WIN
    return QStringConverter::System;   // the ANSI code page
#else
    // Qt takes the local encoding of Unix systems to be UTF-8, which these bytes are not:
    // read them one byte a character, so every ASCII letter stays what it is.
    return QStringConverter::Latin1;
#endif
}
