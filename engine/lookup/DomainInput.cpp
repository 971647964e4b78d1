#include "engine/lookup/DomainInput.h"
#include <QRegularExpression>
#include <QUrl>

QString TldAsListed(const QString& tld)
{
    bool ascii = true;
    for (const QChar c : tld)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        return tld;
    const bool dotted = tld.startsWith(QLatin1Char('.'));
    const QByteArray ace = QUrl::toAce(dotted ? tld.mid(1) : tld, QUrl::AceProcessingOption::IgnoreIDNWhitelist);
    if (ace.isEmpty())
        return tld;
    return (dotted ? QStringLiteral(".") : QString()) + QString::fromLatin1(ace).toLower();
}

QString StripAddress(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace())
            s += c;

    // A scheme ("https://") and what follows the host: path, query, fragment.
    const qsizetype scheme = s.indexOf(QLatin1String("://"));
    if (scheme >= 0)
        s.remove(0, scheme + 3);
    if (const qsizetype end = s.indexOf(QRegularExpression(QStringLiteral("[/?#\\\\]"))); end >= 0)
        s.truncate(end);
    // "user:password@host" in an address, and "host:port".
    if (const qsizetype at = s.lastIndexOf(QLatin1Char('@')); scheme >= 0 && at >= 0)
        s.remove(0, at + 1);
    if (const qsizetype colon = s.indexOf(QLatin1Char(':')); colon >= 0)
        s.truncate(colon);

    QString kept;
    kept.reserve(s.size());
    for (const QChar c : s)
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.') || c.isMark())
            kept += c;
    while (kept.endsWith(QLatin1Char('.')))
        kept.chop(1);   // written fully qualified
    while (kept.startsWith(QLatin1Char('.')))
        kept.remove(0, 1);
    if (kept.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        kept.remove(0, 4);
    return kept;
}

DomainInput SplitDomainInput(const QString& text, const std::function<QString(const QString& ending)>& listedTld)
{
    const QString stripped = StripAddress(text);
    DomainInput input;
    // The first dot from the left whose ending is known gives the longest known TLD.
    for (qsizetype dot = stripped.indexOf(QLatin1Char('.')); dot >= 0; dot = stripped.indexOf(QLatin1Char('.'), dot + 1)) {
        const QString tld = listedTld(stripped.mid(dot));
        if (!tld.isEmpty()) {
            input.name = stripped.left(dot);
            input.tld = tld;
            return input;
        }
    }
    const qsizetype last = stripped.lastIndexOf(QLatin1Char('.'));
    input.name = last < 0 ? stripped : stripped.left(last);
    if (last >= 0)
        input.unknownEnding = stripped.mid(last).toLower();
    return input;
}
