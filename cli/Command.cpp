#include "cli/Command.h"
#include "cli/AutoCommand.h"
#include "cli/CheckCommand.h"
#include "cli/ListCommand.h"
#include "cli/RoutesCommand.h"
#include "cli/SingleCommand.h"
#include "cli/TldsCommand.h"

std::unique_ptr<Command> Command::Create(const QString& name)
{
    if (name == QLatin1String("single"))
        return std::make_unique<SingleCommand>();
    if (name == QLatin1String("auto"))
        return std::make_unique<AutoCommand>();
    if (name == QLatin1String("check"))
        return std::make_unique<CheckCommand>();
    if (name == QLatin1String("list"))
        return std::make_unique<ListCommand>();
    if (name == QLatin1String("tlds"))
        return std::make_unique<TldsCommand>();
    if (name == QLatin1String("routes"))
        return std::make_unique<RoutesCommand>();
    return nullptr;
}

QString Command::ArgumentError(const QStringList& arguments) const
{
    if (arguments.isEmpty())
        return QString();
    return QStringLiteral("'%1' takes no arguments (usage: tarnwick-cli [OPTIONS] %2)").arg(Usage().section(QLatin1Char(' '), 0, 0), Usage());
}
