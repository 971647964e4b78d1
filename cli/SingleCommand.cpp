#include "cli/SingleCommand.h"
#include "cli/CliSession.h"

namespace {
// The single search ends its results with this entry when the lookup failed (after the
// proxy notice, in the same entry, when that is due), followed by the reason when known.
bool endsWithLookupError(const QStringList& results, const QString& domain)
{
    const QString error = QStringLiteral("An error occurred looking up '%1'").arg(domain);
    qsizetype last = results.size() - 1;
    if (last >= 0 && results.at(last).startsWith(QLatin1String("Reason: ")))
        --last;
    return last >= 0 && results.at(last).endsWith(error);
}
} // namespace

QString SingleCommand::ArgumentError(const QStringList& arguments) const
{
    const QString usage = QStringLiteral(" (usage: tarnwick-cli [OPTIONS] %1)").arg(Usage());
    if (arguments.isEmpty() || arguments.size() > 2)
        return QStringLiteral("wrong number of arguments for 'single'") + usage;
    if (arguments.size() == 2) {
        const QString& tld = arguments.at(1);
        if (!tld.startsWith(QLatin1Char('.')) || tld.size() < 2)
            return QStringLiteral("single: '%1' is not a TLD with its leading dot, such as .com").arg(tld) + usage;
        return QString();
    }
    const QString& name = arguments.at(0);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == name.size() - 1)
        return QStringLiteral("single: '%1' carries no TLD").arg(name) + usage;
    return QString();
}

int SingleCommand::Execute(CliSession& session, const QStringList& arguments)
{
    const QString& name = arguments.at(0);
    // With the TLD box empty the lookup takes the TLD from the name.
    const QString tld = arguments.value(1);

    MainOptions options = session.options();
    options.SingleEdit = name;
    options.TLDComboText = tld;
    // A TLD written exactly as an entry of the TLD box counts as chosen from it.
    options.TLDComboIndex = tld.isEmpty() ? -1 : static_cast<int>(session.tldBoxItems().indexOf(tld));
    session.view().applyOptions(options);

    session.BeginSearch();
    session.engine().RunSingleSearch();
    session.EndSearch();

    // An empty name never reaches a server: the search only asks for one.
    if (name.isEmpty())
        return ExitFailure;
    return endsWithLookupError(session.view().singleResults(), name + tld) ? ExitFailure : ExitSuccess;
}
