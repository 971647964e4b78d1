#pragma once
#include "cli/Command.h"

// The automated search: every name of the search list under every ticked TLD.
class AutoCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("auto"); }
    bool NeedsDictionary() const override { return true; }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
