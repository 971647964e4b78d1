#include "engine/lookup/TldPolicy.h"
#include "data/BuiltinTablesData.h"
#include <QHash>
#include <QSet>

namespace {

// The brand and restricted TLDs of data/tld-policy.tsv ("#" comments, a header line, then
// A-label, label, type, brand, general availability, restrictions), by lower-case A-label.
// A brand TLD with eligibility rules is a brand TLD. A line that does not fit is left out.
struct PolicyTable {
    QHash<QString, TldPolicy> policies;
    QSet<QString> countryCodes;
};

PolicyTable ReadPolicies()
{
    PolicyTable table;
    for (int i = 0; i < tarnwick::data::TldPolicyTextCount; ++i) {
        const QString line = QString::fromUtf8(tarnwick::data::TldPolicyText[i]);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 6)
            continue;
        const QString tld = fields.at(0).trimmed().toLower();
        if (fields.at(2) == QLatin1String("country-code"))
            table.countryCodes.insert(tld);
        if (fields.at(3) == QLatin1String("1"))
            table.policies.insert(tld, TldPolicy::Brand);
        else if (fields.at(5) == QLatin1String("1"))
            table.policies.insert(tld, TldPolicy::Restricted);
    }
    return table;
}

const PolicyTable& Policies()
{
    static const PolicyTable table = ReadPolicies();
    return table;
}

QString LastLabel(const QString& tld)
{
    return tld.section(QLatin1Char('.'), -1).toLower();
}

} // namespace

TldPolicy PolicyOfTld(const QString& tld)
{
    return Policies().policies.value(LastLabel(tld), TldPolicy::Open);
}

bool IsCountryCodeTld(const QString& tld)
{
    const QString last = LastLabel(tld);
    if (Policies().countryCodes.contains(last))
        return true;
    // Delegated after the file was compiled: every two-letter TLD is a country's.
    const auto isLetter = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };   // lower case already
    return last.size() == 2 && isLetter(last.at(0)) && isLetter(last.at(1));
}

QString ClosedTldReason()
{
    return QStringLiteral("a brand TLD: only its owner may hold names, so no registry was asked");
}
