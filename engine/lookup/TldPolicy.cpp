#include "engine/lookup/TldPolicy.h"
#include "data/BuiltinTablesData.h"
#include <QHash>

namespace {

// The brand and restricted TLDs of data/tld-policy.tsv ("#" comments, a header line, then
// A-label, label, type, brand, general availability, restrictions), by lower-case A-label.
// A brand TLD with eligibility rules is a brand TLD. A line that does not fit is left out.
QHash<QString, TldPolicy> ReadPolicies()
{
    QHash<QString, TldPolicy> policies;
    for (int i = 0; i < tarnwick::data::TldPolicyTextCount; ++i) {
        const QString line = QString::fromUtf8(tarnwick::data::TldPolicyText[i]);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 6)
            continue;
        const QString tld = fields.at(0).trimmed().toLower();
        if (fields.at(3) == QLatin1String("1"))
            policies.insert(tld, TldPolicy::Brand);
        else if (fields.at(5) == QLatin1String("1"))
            policies.insert(tld, TldPolicy::Restricted);
    }
    return policies;
}

} // namespace

TldPolicy PolicyOfTld(const QString& tld)
{
    static const QHash<QString, TldPolicy> policies = ReadPolicies();
    return policies.value(tld.section(QLatin1Char('.'), -1).toLower(), TldPolicy::Open);
}

QString ClosedTldReason()
{
    return QStringLiteral("a brand TLD: only its owner may hold names, so no registry was asked");
}
