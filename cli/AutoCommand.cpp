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
        // Every No or Cancel given to a question of the run ends it there.
        reachedEnd = session.view().runReachedEnd() && session.engine().StopRequest == 0
            && !session.messageBoxes().declinedAQuestion();
    }
    session.EndSearch();
    session.console().printResult(session.view().counterText());
    return reachedEnd ? ExitSuccess : ExitFailure;
}
