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

QString ReplyVerdictReason(LookupVerdict verdict, const QString& matchText)
{
    switch (verdict) {
    case LookupVerdict::Free: return QStringLiteral("the reply holds \"%1\"").arg(matchText);
    case LookupVerdict::Taken: return QStringLiteral("the reply lacks \"%1\"").arg(matchText);
    case LookupVerdict::ServerError: return QStringLiteral("the reply reports Error WSAHOST_NOT_FOUND");
    case LookupVerdict::LookupFailed: break;
    }
    return QString();
}
