#include "engine/lookup/BuiltinTables.h"
#include "data/BuiltinTablesData.h"
#include "engine/lookup/ServerKind.h"

namespace {

QStringList LinesOf(const char* const* lines, int count)
{
    QStringList result;
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.append(QString::fromUtf8(lines[i]));
    return result;
}

// The server text of a Servers line: everything before the first comma, blanks at its end removed.
QStringView ServerPart(QStringView line)
{
    const qsizetype comma = line.indexOf(u',');
    QStringView part = comma < 0 ? line : line.left(comma);
    while (!part.isEmpty() && part.back().isSpace())
        part.chop(1);
    return part;
}

} // namespace

BuiltinTables::BuiltinTables()
    : BuiltinTables(LinesOf(tarnwick::data::ServersText, tarnwick::data::ServersTextCount),
                    LinesOf(tarnwick::data::TLDsText, tarnwick::data::TLDsTextCount),
                    LinesOf(tarnwick::data::NoStringsText, tarnwick::data::NoStringsTextCount),
                    LinesOf(tarnwick::data::WhoisHostsText, tarnwick::data::WhoisHostsTextCount))
{
}

BuiltinTables::BuiltinTables(QStringList servers, QStringList tlds, QStringList noStrings, QStringList whoisHosts)
    : servers_(std::move(servers)), tlds_(std::move(tlds)), noStrings_(std::move(noStrings))
{
    for (const QString& line : whoisHosts) {
        const qsizetype comma = line.indexOf(u',');
        bool isNumber = false;
        const int number = comma < 0 ? 0 : line.mid(comma + 1).trimmed().toInt(&isNumber);
        if (isNumber)
            whoisHostPhrases_.insert(line.left(comma).trimmed().toLower(), number);
    }
}

QString BuiltinTables::GetServerName(int index) const
{
    QString name = servers_.value(index);
    if (name.isEmpty())
        return name;
    if (name.front() == u'@')
        name.replace(0, 1, QStringLiteral("whois."));
    else if (name.front() == u'#')
        name.replace(0, 1, QStringLiteral("http://"));
    const qsizetype comma = name.indexOf(u',');
    if (comma >= 0)
        name.truncate(comma);
    return name;
}

QString BuiltinTables::GetServerMatchText(int index) const
{
    const QString line = servers_.value(index);
    if (line.isEmpty())
        return line;
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return DefaultMatchText;
    bool isNumber = false;
    const int number = line.mid(comma + 1).trimmed().toInt(&isNumber);
    return isNumber ? PhraseByNumber(number) : QString(DefaultMatchText);
}

QString BuiltinTables::PhraseByNumber(int number) const
{
    // A number naming no phrase cannot come from the compiled tables; treat it like none.
    if (number < 1 || number > NoStringCount())
        return DefaultMatchText;
    QString phrase = noStrings_.at(number - 1).trimmed();
    if (phrase.startsWith(u'"'))
        phrase.remove(0, 1);
    if (phrase.endsWith(u'"'))
        phrase.chop(1);
    return phrase;
}

QString BuiltinTables::FindMatchTextForServer(const QString& fullName, const QStringList& userServers,
                                              const QStringList& userMatches) const
{
    const QString name = fullName.toLower();
    for (qsizetype i = 0; i < userServers.size(); ++i)
        if (userServers.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i < userMatches.size() ? userMatches.at(i) : QString(DefaultMatchText);

    // Written the way the table writes it.
    QString shortName = name;
    if (shortName.startsWith(QLatin1StringView("whois.")))
        shortName.replace(0, 6, u'@');
    else if (shortName.startsWith(QLatin1StringView("http://")))
        shortName.replace(0, 7, u'#');
    if (shortName.isEmpty())
        return DefaultMatchText;

    // The whole server text must match: "whois.fi" is not "whois.ficora.fi".
    int found = -1;
    for (int i = 0; i < ServerCount(); ++i)
        if (ServerPart(servers_.at(i)).compare(shortName, Qt::CaseInsensitive) == 0)
            found = i;
    if (found >= 0)
        return GetServerMatchText(found);
    const auto further = whoisHostPhrases_.constFind(name);
    return further == whoisHostPhrases_.cend() ? QString(DefaultMatchText) : PhraseByNumber(*further);
}

QString BuiltinTables::GetTLDName(int index) const
{
    const QString line = tlds_.value(index);
    return line.left(line.indexOf(u'='));
}

QStringList BuiltinTables::GetTLDServerIndexes(int index) const
{
    const QString line = tlds_.value(index);
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {};
    const QString items = line.mid(equals + 1);
    if (items.trimmed().isEmpty())
        return {};
    QStringList result = items.split(u',');
    for (QString& item : result)
        item = item.trimmed();
    return result;
}
