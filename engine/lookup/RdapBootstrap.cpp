#include "engine/lookup/RdapBootstrap.h"
#include "data/BuiltinTablesData.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>

namespace {

QByteArray JoinedLines(const char* const* lines, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray(lines[i]) + '\n';
    return text;
}

// A base URL we will ask: http or https with a host; given a trailing "/".
QString UsableBase(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return QString();
    QString base = url.toString();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

QString LowerLabel(QString label)
{
    label = label.trimmed().toLower();
    while (label.startsWith(QLatin1Char('.')))
        label.remove(0, 1);
    return label;
}

} // namespace

bool TRdapBootstrap::ParseIana(const QByteArray& json, QHash<QString, QString>& services, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(QStringLiteral("not JSON: ") + error.errorString());
    const QJsonValue list = document.object().value(QLatin1String("services"));
    if (!list.isArray())
        return fail(QStringLiteral("no list of services"));

    QHash<QString, QString> found;
    for (const QJsonValue& service : list.toArray()) {
        const QJsonArray parts = service.toArray();
        if (parts.size() < 2 || !parts.at(0).isArray() || !parts.at(1).isArray())
            continue;
        QString https, http;
        for (const QJsonValue& url : parts.at(1).toArray()) {
            const QString base = UsableBase(url.toString());
            if (base.startsWith(QLatin1String("https:"), Qt::CaseInsensitive) && https.isEmpty())
                https = base;
            else if (base.startsWith(QLatin1String("http:"), Qt::CaseInsensitive) && http.isEmpty())
                http = base;
        }
        const QString base = https.isEmpty() ? http : https;
        if (base.isEmpty())
            continue;
        for (const QJsonValue& label : parts.at(0).toArray()) {
            const QString key = LowerLabel(label.toString());
            if (!key.isEmpty() && !found.contains(key))
                found.insert(key, base);
        }
    }
    if (found.isEmpty())
        return fail(QStringLiteral("no service with a usable address"));
    services = found;
    return true;
}

QHash<QString, QString> TRdapBootstrap::ParseOverrides(const QByteArray& text)
{
    QHash<QString, QString> overrides;
    for (const QByteArray& line : text.split('\n')) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 2)
            continue;
        const QString key = LowerLabel(QString::fromUtf8(fields.at(0)));
        const QString base = UsableBase(QString::fromUtf8(fields.at(1)));
        if (!key.isEmpty() && !base.isEmpty())
            overrides.insert(key, base);
    }
    return overrides;
}

QByteArray TRdapBootstrap::ShippedIanaFile()
{
    return JoinedLines(tarnwick::data::RdapBootstrapText, tarnwick::data::RdapBootstrapTextCount);
}

QByteArray TRdapBootstrap::ShippedOverrides()
{
    return JoinedLines(tarnwick::data::RdapOverridesText, tarnwick::data::RdapOverridesTextCount);
}

void TRdapBootstrap::Use(const QHash<QString, QString>& iana, const QHash<QString, QString>& overrides)
{
    services_ = iana;
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
        services_.insert(it.key(), it.value());
}

void TRdapBootstrap::UseShipped()
{
    QHash<QString, QString> iana;
    ParseIana(ShippedIanaFile(), iana);
    Use(iana, ParseOverrides(ShippedOverrides()));
}

QString TRdapBootstrap::LongestMatch(const QStringList& labels, int from) const
{
    for (int i = from; i < labels.size(); ++i) {
        const auto found = services_.constFind(labels.mid(i).join(QLatin1Char('.')));
        if (found != services_.cend())
            return *found;
    }
    return QString();
}

QString TRdapBootstrap::BaseUrlForTld(const QString& tld) const
{
    return LongestMatch(LowerLabel(tld).split(QLatin1Char('.'), Qt::SkipEmptyParts), 0);
}

QString TRdapBootstrap::BaseUrlForDomain(const QString& domain) const
{
    return LongestMatch(LowerLabel(domain).split(QLatin1Char('.'), Qt::SkipEmptyParts), 1);
}

QStringList TRdapBootstrap::Labels() const
{
    QStringList labels = services_.keys();
    std::sort(labels.begin(), labels.end());
    return labels;
}
