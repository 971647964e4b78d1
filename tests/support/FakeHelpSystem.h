#pragma once
#include "platform/HelpSystem.h"
#include <QList>
#include <QPair>

// A help system without a window: records the commands it is sent.
class FakeHelpSystem : public IHelpSystem {
public:
    QString file;
    QList<QPair<int, int>> commands;   // (command, argument)
    int quitCount = 0;

    void setHelpFile(const QString& path) override { file = path; }
    QString helpFile() const override { return file; }
    bool Command(HelpCommand command, int argument) override
    {
        commands.append({static_cast<int>(command), argument});
        return true;
    }
    void Quit() override { ++quitCount; }
};
