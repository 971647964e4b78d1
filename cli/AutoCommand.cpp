#include "cli/AutoCommand.h"
#include "cli/CliSession.h"
#include "cli/StopOnInterrupt.h"

int AutoCommand::Execute(CliSession& session, const QStringList&)
{
    session.BeginSearch();
    bool reachedEnd = false;
    {
        StopOnInterrupt ctrlC(session.engine());
        session.engine().RunMultipleSearch();
        reachedEnd = session.view().runReachedEnd() && session.engine().StopRequest == 0;
    }
    session.EndSearch();
    session.console().printResult(session.view().counterText());
    return reachedEnd ? ExitSuccess : ExitFailure;
}
