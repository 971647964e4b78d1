// TEMPORARY stand-in for the built-in tables, so that the settings code builds and its
// tests run before the real tables exist. It serves a few TLDs and servers in the
// tables' own formats. Delete this file when engine/lookup/BuiltinTables.cpp arrives.
#include "engine/Misc1.h"
#include <array>

namespace {

// The first row, "com", has the shape of the real one: whois without a phrase, whois,
// whois (phrase 1), whois, whois (phrase 2), HTTP (phrase 48).
const std::array<const char*, 12> kServers = {
    "@stub-a.example",
    "@stub-b.example,",
    "@stub-c.example,1  ",
    "stub-d.example",
    "@stub-e.example,2",
    "#stub-f.example/check?domain=<name><ext>,48",
    "Cache Domains Taken List",
    "@stub-ie.example,3",
    "#stub-g.example/lookup?q=<name>,20",
    "https://stub-h.example/Search?D=<name>&T=<ext>,4",
    "@stub-a.example,5",
    "",
};

const std::array<const char*, 9> kTLDs = {
    "com=0,1,2,3,4,5",
    "net=1,0",
    "org=2,5",
    "edu=3",
    "gov=8",
    "ie=6,7,9",
    "co.uk=4,x,9",
    "or.th=0",
    "or.th=1",
};

const std::array<const char*, 50> kNoStrings = {
    "\"Not found!\"", "\"not found\"", "\"NOT FOUND\"", "\"Domain Not Found\"", "\"nothing found\"",
    "\"No entries\"", "\"not registered\"", "\"does not exist!\"", "\"Could not find a match\"",
    "\"no matches\"", "\"no Match\"", "\"Pattern not found\"", "\"no entries\"", "\"No data\"",
    "\"No domain registered\"", "\"NO MATCH\"", "\"NO entry\"", "\">Domain Available<\"",
    "\">Please complete this form to register your domain<\"", "\"No match\"",
    "\"is available in the following TLDs\"", "\"We do not have an entry in our database\"",
    "\"Inscripción del nombre de dominio\"", "\"<b>0</b> kirje\"", "\"No objects were found\"",
    "\"domain név még nincs regisztrálva\"", "\"The domain specified does not exist\"",
    "\"No matching entries\"", "\"has not yet been registered\"", "\"is available\"",
    "\"El dominio se encuentra disponible\"", "\"No data found\"", "\"no live registration\"",
    "\"Domen je slobodan\"", "\"no records matching\"", "\"<td> REGISTERED &nbsp;\"",
    "\"Domain not registered\"", "\"No such domain name\"", "\"domain is available\"",
    "\"Domínio inexistente\"", "\"No records\"", "\"No se encontro\"", "\"is still available\"",
    "\"nie istnieje\"", "\"Domain Available\"", "\"not currently listed\"",
    "\"domain név még nincs regisztrálva\"", "\"available.gif\"", "\"<b>Yes</b>\"",
    "\"/image/available.gif\"",
};

const QString kDefaultPhrase = QStringLiteral("No Match");

QString serverLine(int i)
{
    if (i < 0 || i >= static_cast<int>(kServers.size()))
        return QString();
    return QString::fromUtf8(kServers[static_cast<size_t>(i)]);
}

QString tldLine(int i)
{
    if (i < 0 || i >= static_cast<int>(kTLDs.size()))
        return QString();
    return QString::fromUtf8(kTLDs[static_cast<size_t>(i)]);
}

QString expanded(const QString& line)
{
    if (line.startsWith(QLatin1Char('@')))
        return QStringLiteral("whois.") + line.mid(1);
    if (line.startsWith(QLatin1Char('#')))
        return QStringLiteral("http://") + line.mid(1);
    return line;
}

QString phraseOfLine(const QString& line)
{
    if (line.isEmpty())
        return QString();
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0)
        return kDefaultPhrase;
    bool ok = false;
    const int n = line.mid(comma + 1).trimmed().toInt(&ok);
    if (!ok || n < 1 || n > static_cast<int>(kNoStrings.size()))
        return kDefaultPhrase;
    QString phrase = QString::fromUtf8(kNoStrings[static_cast<size_t>(n - 1)]).trimmed();
    if (phrase.startsWith(QLatin1Char('"')))
        phrase.remove(0, 1);
    if (phrase.endsWith(QLatin1Char('"')))
        phrase.chop(1);
    return phrase;
}

} // namespace

int TMisc1::ServerCount() const
{
    return static_cast<int>(kServers.size());
}

int TMisc1::TLDCount() const
{
    return static_cast<int>(kTLDs.size());
}

QString TMisc1::GetServerName(int i) const
{
    const QString line = expanded(serverLine(i));
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    return comma < 0 ? line : line.left(comma);
}

QString TMisc1::GetServerMatchText(int i) const
{
    return phraseOfLine(serverLine(i));
}

QString TMisc1::FindMatchTextForServer(const QString& name) const
{
    const QString lowered = name.toLower();
    for (qsizetype i = 0; i < NewServerList.size(); ++i)
        if (NewServerList[i].compare(lowered, Qt::CaseInsensitive) == 0)
            return i < NewMatchList.size() ? NewMatchList[i] : kDefaultPhrase;
    QString shortName = lowered;
    if (shortName.startsWith(QLatin1String("whois.")))
        shortName = QLatin1Char('@') + shortName.mid(6);
    else if (shortName.startsWith(QLatin1String("http://")))
        shortName = QLatin1Char('#') + shortName.mid(7);
    QString result = kDefaultPhrase;
    if (shortName.isEmpty())
        return result;
    for (int i = 0; i < ServerCount(); ++i) {
        QString line = serverLine(i);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        if (line.startsWith(shortName, Qt::CaseInsensitive))
            result = phraseOfLine(line);
    }
    return result;
}

QString TMisc1::GetTLDName(int i) const
{
    const QString line = tldLine(i);
    return line.left(line.indexOf(QLatin1Char('=')));
}

QStringList TMisc1::GetTLDServerIndexes(int i) const
{
    const QString line = tldLine(i);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(','));
}
