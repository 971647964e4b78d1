#include "engine/lookup/WhoisRefusal.h"
#include "data/BuiltinTablesData.h"
#include <QList>
#include <QRegularExpression>

namespace {

// The refusal texts, lower-cased, read once.
const QList<QByteArray>& RefusalTexts()
{
    static const QList<QByteArray> texts = [] {
        QList<QByteArray> list;
        for (int i = 0; i < tarnwick::data::RefusalsTextCount; ++i) {
            const QByteArray text = QByteArray(tarnwick::data::RefusalsText[i]).trimmed().toLower();
            if (!text.isEmpty())
                list.append(text);
        }
        return list;
    }();
    return texts;
}

} // namespace

bool IsRefusalReply(const QByteArray& reply)
{
    if (reply.trimmed().isEmpty())
        return true;
    const QByteArray lower = reply.toLower();
    for (const QByteArray& text : RefusalTexts())
        if (lower.contains(text))
            return true;
    return false;
}

qint64 RequestedWaitMs(const QByteArray& reply)
{
    static const QRegularExpression wait(QStringLiteral(R"(\bin\s+(\d{1,6})\s*(seconds?|secs?|minutes?|mins?)\b)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = wait.match(QString::fromLatin1(reply.left(4096)));
    if (!match.hasMatch())
        return -1;
    const qint64 amount = match.captured(1).toLongLong();
    return match.captured(2).startsWith(QLatin1Char('m'), Qt::CaseInsensitive) ? amount * 60'000 : amount * 1000;
}

QString RefusalSummary(const QByteArray& reply)
{
    for (const QByteArray& line : reply.split('\n')) {
        const QByteArray text = line.trimmed();
        if (!text.isEmpty())
            return QString::fromLatin1(text.left(200));
    }
    return QStringLiteral("an empty reply");
}
