#pragma once
#include "cli/Command.h"

// The single search: the reply lines of one name under one TLD, the TLD given apart or
// carried by the name after its first dot (as the window takes it with an empty TLD box).
class SingleCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("single NAME TLD, or single NAME.TLD"); }
    QString ArgumentError(const QStringList& arguments) const override;
    int Execute(CliSession& session, const QStringList& arguments) override;
};
