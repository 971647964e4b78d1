#include "cli/RoutesCommand.h"
#include "cli/CliSession.h"

int RoutesCommand::Execute(CliSession& session, const QStringList&)
{
    TMisc1& engine = session.engine();
    QString out;
    for (int i = 0; i < engine.TLDInfoList.Count(); ++i) {
        const TLDInfo& e = engine.TLDInfoList.At(i);
        const auto [route, endpoint] = engine.FirstRouteOf(e);
        out += e.TLD + QLatin1Char('\t') + RouteName(route) + QLatin1Char('\t') + endpoint + QLatin1Char('\n');
    }
    session.console().printBlock(out);
    return ExitSuccess;
}
