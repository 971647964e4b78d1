#include "engine/runs/ReplyText.h"
#include <QStringDecoder>

namespace {
QString Decode(QByteArrayView reply)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(reply);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(reply);
}
} // namespace

QStringList ReplyTextLines(QByteArrayView reply)
{
    const QString text = Decode(reply);
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(line);
            line.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\t') || c.unicode() >= 32) {
            // DEL and the C1 controls are as unreadable as the C0 ones.
            if (c.unicode() != 127 && !(c.unicode() >= 0x80 && c.unicode() < 0xa0))
                line += c;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}
