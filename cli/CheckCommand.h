#pragma once
#include "cli/Command.h"

// The automated search over names given on the command line or on standard input,
// without the name sources and without a results file.
class CheckCommand : public Command {
public:
    QString Usage() const override { return QStringLiteral("check [NAME...]"); }
    QString ArgumentError(const QStringList&) const override { return QString(); }
    int Execute(CliSession& session, const QStringList& arguments) override;
};
