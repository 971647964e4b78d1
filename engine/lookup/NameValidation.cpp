#include "engine/lookup/NameValidation.h"
#include <QUrl>
#include <algorithm>

bool FitsInDns(const QString& domain)
{
    qsizetype total = 0;
    for (const QString& label : domain.split(QLatin1Char('.'))) {
        qsizetype octets = label.size();
        if (std::any_of(label.cbegin(), label.cend(), [](QChar c) { return c.unicode() > 127; })) {
            const QByteArray ace = QUrl::toAce(label, QUrl::AceProcessingOption::IgnoreIDNWhitelist);
            if (ace.isEmpty())   // no A-label can be made of it
                return false;
            octets = ace.size();
        }
        if (octets > 63)
            return false;
        total += octets + 1;
    }
    return total - 1 <= 253;
}

QString IsValidAddress(const QString& name)
{
    constexpr int longest = 50;
    constexpr int shortest = 3;
    if (name.isEmpty())
        return QStringLiteral("Invalid Name : No Address specified");
    if (name.size() > longest)
        return QStringLiteral("Invalid Name : Address too long, no longer than 50 characters allowed");
    if (name.size() < shortest)
        return QStringLiteral("Invalid Name : Address too short, must be at least 3 characters");
    if (name.front() == u'-')
        return QStringLiteral("Invalid Name : Must not begin with -");
    if (name.back() == u'-')
        return QStringLiteral("Invalid Name : Must not end with -");
    // Servers are asked by the A-label: a label of a name in another script may be longer
    // there than DNS allows, and then nobody can register it.
    if (!FitsInDns(name))
        return QStringLiteral("Invalid Name : Address too long, its DNS form (xn--...) is longer than 63 characters");
    return {};
}
