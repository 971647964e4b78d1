#include "platform/EnvironmentProxySource.h"
#include <QUrl>

QString EnvironmentProxySource::ProxyServerFromVariable(const QString& variable)
{
    QString text = variable.trimmed();
    if (text.isEmpty())
        return QString();
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("http://"));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QString();
    const int port = url.port();
    return port < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(port);
}

ProxyValue EnvironmentProxySource::Value(const QString& name) const
{
    QString variable = environment_.value(QStringLiteral("http_proxy"));
    if (variable.trimmed().isEmpty())
        variable = environment_.value(QStringLiteral("HTTP_PROXY"));
    const QString server = ProxyServerFromVariable(variable);
    if (server.isEmpty())
        return {};
    if (name.compare(QLatin1String("ProxyServer"), Qt::CaseInsensitive) == 0)
        return ProxyValue::String(server);
    if (name.compare(QLatin1String("ProxyEnable"), Qt::CaseInsensitive) == 0)
        return ProxyValue::Integer(1);
    return {};
}
