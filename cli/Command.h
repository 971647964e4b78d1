#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class CliSession;

// One command of tarnwick-cli. Each command is a small class of its own; the session
// has already read the program folder and applied the options when Execute runs.
class Command {
public:
    virtual ~Command() = default;

    // How the command is written, e.g. "single NAME TLD".
    virtual QString Usage() const = 0;
    // What is wrong with the command's arguments as a one-line usage error, or an empty
    // text. By default the command takes none.
    virtual QString ArgumentError(const QStringList& arguments) const;
    // Whether the command builds names, so the dictionary must be loaded.
    virtual bool NeedsDictionary() const { return false; }
    // Returns the exit code.
    virtual int Execute(CliSession& session, const QStringList& arguments) = 0;

    // The command called `name`, or none.
    static std::unique_ptr<Command> Create(const QString& name);
};
