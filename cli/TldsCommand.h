#pragma once
#include "cli/Command.h"

// The table of TLDs in use, with each one's server, match text and tick.
class TldsCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("tlds"); }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
