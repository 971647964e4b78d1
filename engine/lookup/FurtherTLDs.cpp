#include "engine/lookup/FurtherTLDs.h"
#include "data/BuiltinTablesData.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/RdapBootstrap.h"
#include <QSet>
#include <algorithm>

namespace {

// Lower-case LDH labels joined by dots: what may stand in Settings.dat's comma lists and
// after a name without changing its meaning.
bool IsTldKey(const QString& key)
{
    const QStringList labels = key.split(QLatin1Char('.'));
    return std::all_of(labels.cbegin(), labels.cend(), [](const QString& label) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-')) || label.endsWith(QLatin1Char('-')))
            return false;
        return std::all_of(label.cbegin(), label.cend(), [](QChar c) {
            return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                   || c == QLatin1Char('-');
        });
    });
}

} // namespace

QList<FurtherTLD> FurtherTLDs(const QStringList& shippedLines, const QStringList& tableKeys,
                              const QStringList& bootstrapLabels)
{
    QSet<QString> taken{QStringLiteral("arpa")};
    for (const QString& key : tableKeys)
        taken.insert(key.toLower());

    QList<FurtherTLD> further;
    auto offer = [&](const QString& key, const QString& server) {
        if (!IsTldKey(key) || server.isEmpty() || taken.contains(key))
            return;
        taken.insert(key);
        further.append({QLatin1Char('.') + key, server});
    };
    for (const QString& line : shippedLines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        offer(line.left(equals).trimmed(), equals < 0 ? QString() : line.mid(equals + 1).trimmed());
    }
    QStringList onlyBootstrap = bootstrapLabels;
    std::sort(onlyBootstrap.begin(), onlyBootstrap.end());
    for (const QString& label : onlyBootstrap)
        offer(label, QStringLiteral("whois.nic.") + label);
    return further;
}

QList<FurtherTLD> FurtherTLDs(const BuiltinTables& tables, const TRdapBootstrap& bootstrap)
{
    QStringList shipped;
    shipped.reserve(tarnwick::data::FurtherTLDsTextCount);
    for (int i = 0; i < tarnwick::data::FurtherTLDsTextCount; ++i)
        shipped.append(QString::fromUtf8(tarnwick::data::FurtherTLDsText[i]));
    QStringList keys;
    keys.reserve(tables.TLDCount());
    for (int i = 0; i < tables.TLDCount(); ++i)
        keys.append(tables.GetTLDName(i));
    return FurtherTLDs(shipped, keys, bootstrap.Labels());
}
