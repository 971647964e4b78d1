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

int SingleCommand::Execute(CliSession& session, const QStringList& arguments)
{
    const QString& name = arguments.at(0);
    const QString& tld = arguments.at(1);

    MainOptions options = session.options();
    options.SingleEdit = name;
    options.TLDComboText = tld;
    // A TLD written exactly as an entry of the TLD box counts as chosen from it.
    options.TLDComboIndex = static_cast<int>(session.tldBoxItems().indexOf(tld));
    session.view().applyOptions(options);

    session.BeginSearch();
    session.engine().RunSingleSearch();
    session.EndSearch();

    // An empty name never reaches a server: the search only asks for one.
    if (name.isEmpty())
        return ExitFailure;
    return endsWithLookupError(session.view().singleResults(), name + tld) ? ExitFailure : ExitSuccess;
}
