#include "cli/AutoCommand.h"
#include "cli/CliSession.h"

int AutoCommand::Execute(CliSession& session, const QStringList&)
{
    return session.RunAutomatedSearch();
}
