#include "cli/ListCommand.h"
#include "cli/CliSession.h"

int ListCommand::Execute(CliSession&, const QStringList&)
{
    return ExitSuccess;
}
