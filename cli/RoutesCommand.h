#pragma once
#include "cli/Command.h"

// For each TLD in use, the route that answers it first and where that route asks.
class RoutesCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("routes"); }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
