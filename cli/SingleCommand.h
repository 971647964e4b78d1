#pragma once
#include "cli/Command.h"

// The single search: the reply lines of one name under one TLD.
class SingleCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("single NAME TLD"); }
    int ArgumentCount() const override { return 2; }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
