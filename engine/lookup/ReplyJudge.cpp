#include "engine/lookup/ReplyJudge.h"

LookupVerdict JudgeReply(const QStringList& reply, const QString& upperMatchText)
{
    QString text;
    for (const QString& line : reply)
        text += line + QLatin1String("\r\n");
    if (!upperMatchText.isEmpty() && text.toUpper().contains(upperMatchText))
        return LookupVerdict::Free;
    if (text.contains(QLatin1String("Error WSAHOST_NOT_FOUND"), Qt::CaseSensitive))
        return LookupVerdict::ServerError;
    return LookupVerdict::Taken;
}
