#pragma once
#include "platform/ShellOpen.h"
#include <QStringList>

// A launcher that opens nothing: records every target and answers a set shell code.
class FakeShellLauncher : public IShellLauncher {
public:
    int code = ShellCode::Opened;
    QStringList targets;
    QStringList parameters;

    int Open(const QString& target, const QString& params) override
    {
        targets.append(target);
        parameters.append(params);
        return code;
    }
};
