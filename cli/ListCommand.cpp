#include "cli/ListCommand.h"
#include "cli/CliSession.h"
#include "cli/StopOnInterrupt.h"

int ListCommand::Execute(CliSession& session, const QStringList&)
{
    TMisc1& engine = session.engine();
    session.BeginSearch();
    {
        StopOnInterrupt ctrlC(engine);
        engine.PrepareList();
    }
    session.EndSearch();

    // Names gathered before a Ctrl-C are printed all the same; the exit code tells.
    QString block;
    for (int i = 0; i < engine.SearchList.count(); ++i) {
        block += engine.SearchList.view(i);
        block += QLatin1Char('\n');
        if (block.size() >= 64 * 1024) {
            session.console().printBlock(block);
            block.clear();
        }
    }
    session.console().printBlock(block);
    return engine.StopRequest == 0 ? ExitSuccess : ExitFailure;
}
