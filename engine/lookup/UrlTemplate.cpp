#include "engine/lookup/UrlTemplate.h"
#include <QUrl>

namespace {

QString UrlSafe(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString MakeFalseIp(QRandomGenerator& random)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(random.bounded(128, 255))
        .arg(random.bounded(0, 255))
        .arg(random.bounded(0, 255))
        .arg(random.bounded(0, 255));
}

QString FillUrlTemplate(const QString& urlTemplate, const QString& domain, QRandomGenerator& random)
{
    QString url = urlTemplate;
    url.replace(QLatin1String("<name>"), UrlSafe(domain), Qt::CaseInsensitive);

    const qsizetype lastDot = domain.lastIndexOf(QLatin1Char('.'));
    const QString shortName = lastDot < 0 ? QString() : domain.left(lastDot);
    const QString extension = lastDot < 0 ? QString() : domain.mid(lastDot + 1);
    url.replace(QLatin1String("<shortname>"), UrlSafe(shortName), Qt::CaseInsensitive);
    url.replace(QLatin1String("<ext>"), UrlSafe(extension), Qt::CaseInsensitive);

    if (url.contains(QLatin1String("<falseip>"), Qt::CaseSensitive))
        url.replace(QLatin1String("<falseip>"), MakeFalseIp(random), Qt::CaseInsensitive);
    return url;
}
