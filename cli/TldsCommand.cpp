#include "cli/TldsCommand.h"
#include "cli/CliSession.h"

int TldsCommand::Execute(CliSession& session, const QStringList&)
{
    const TTLDInfoList& list = session.engine().TLDInfoList;
    QString out;
    for (int i = 0; i < list.Count(); ++i) {
        const TLDInfo& e = list.At(i);
        out += e.TLD + QLatin1Char('\t') + e.Server + QLatin1Char('\t') + e.MatchText + QLatin1Char('\t')
            + (e.Checked ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1Char('\n');
    }
    session.console().printBlock(out);
    return ExitSuccess;
}
