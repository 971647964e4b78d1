#pragma once
#include "cli/Command.h"

// The search list that an automated search would check, without checking it.
class ListCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("list"); }
    bool NeedsDictionary() const override { return true; }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
