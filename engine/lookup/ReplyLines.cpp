#include "engine/lookup/ReplyLines.h"

QStringList CutReplyIntoLines(QByteArrayView reply)
{
    QStringList lines;
    const char* data = reply.data();
    const qsizetype size = reply.size();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const auto code = static_cast<unsigned char>(data[i]);
        if (code < 32 || code >= 126) {
            lines.append(QString::fromLatin1(data + lineStart, i - lineStart));
            lineStart = i + 1;
        }
    }
    if (lineStart < size)
        lines.append(QString::fromLatin1(data + lineStart, size - lineStart));
    return lines;
}
