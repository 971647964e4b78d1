#include "engine/lookup/ReplyLines.h"

QStringList CutReplyIntoLines(QByteArrayView reply)
{
    QStringList lines;
    QByteArray line;
    for (const char byte : reply) {
        const auto code = static_cast<unsigned char>(byte);
        if (code == '\t') {
            line += ' ';
        } else if (code < 32 || code >= 126) {
            lines.append(QString::fromLatin1(line));
            line.clear();
        } else {
            line += byte;
        }
    }
    if (!line.isEmpty())
        lines.append(QString::fromLatin1(line));
    return lines;
}
