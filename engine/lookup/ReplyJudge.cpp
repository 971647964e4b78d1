#include "engine/lookup/ReplyJudge.h"
#include "data/BuiltinTablesData.h"
#include <QRegularExpression>

namespace {

// Upper-cased, with each run of blanks or tabs made one blank: a text looked for and a
// reply compare equal across white space of any width.
QString Judged(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    return text.toUpper().replace(blanks, QStringLiteral(" "));
}

// The texts of data/reserved.txt, as Judged, read once.
const QStringList& ReservedTexts()
{
    static const QStringList texts = [] {
        QStringList list;
        for (int i = 0; i < tarnwick::data::ReservedTextCount; ++i)
            if (const QString text = Judged(QString::fromLatin1(tarnwick::data::ReservedText[i]).trimmed()); !text.isEmpty())
                list.append(text);
        return list;
    }();
    return texts;
}

bool SaysReserved(const QString& judgedText)
{
    for (const QString& reserved : ReservedTexts())
        if (judgedText.contains(reserved))
            return true;
    return false;
}

} // namespace

LookupVerdict JudgeReply(const QStringList& reply, const QString& upperMatchText)
{
    QString text;
    for (const QString& line : reply)
        text += line + QLatin1String("\r\n");
    const QString judged = Judged(text);
    if (SaysReserved(judged))
        return LookupVerdict::Reserved;
    if (const QString phrase = Judged(upperMatchText); !phrase.isEmpty() && judged.contains(phrase))
        return LookupVerdict::Free;
    if (text.contains(QLatin1String("Error WSAHOST_NOT_FOUND"), Qt::CaseSensitive))
        return LookupVerdict::ServerError;
    return LookupVerdict::Taken;
}

QString ReplyVerdictReason(LookupVerdict verdict, const QString& matchText, const QStringList& reply)
{
    switch (verdict) {
    case LookupVerdict::Free: return QStringLiteral("the reply holds \"%1\"").arg(matchText);
    case LookupVerdict::Taken: return QStringLiteral("the reply lacks \"%1\"").arg(matchText);
    case LookupVerdict::ServerError: return QStringLiteral("the reply reports Error WSAHOST_NOT_FOUND");
    case LookupVerdict::Reserved:
        for (const QString& line : reply)
            if (SaysReserved(Judged(line)))
                return line.simplified().left(200);
        break;
    case LookupVerdict::LookupFailed:
    case LookupVerdict::Closed: break;
    }
    return QString();
}
