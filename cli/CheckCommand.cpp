#include "cli/CheckCommand.h"
#include "cli/CheckNames.h"
#include "cli/CliSession.h"

int CheckCommand::Execute(CliSession& session, const QStringList& arguments)
{
    MainOptions options = session.options();
    options.DictCheck = false;
    options.NumbersCheck = false;
    options.CustomListCheck = false;
    options.WordlistCheck = false;
    options.SoundexCheck = false;
    options.SaveCheck = false;
    session.view().applyOptions(options);

    CheckNames names(session.engine(), session.console(), arguments.isEmpty() ? QStringList{QStringLiteral("-")} : arguments);
    return session.RunAutomatedSearch(&names);
}
