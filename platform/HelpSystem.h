#pragma once
#include <QString>

// The program's help: one help file beside the executable, shown by a help window
// of the front end. The windows send the commands of the classic help engine; both
// that the program uses open the file at its contents.
enum class HelpCommand : int {
    Finder = 11,   // the advanced dialog's Help button (argument 0)
    Tab = 15,      // the main window's Help button (argument -3)
};

class IHelpSystem {
public:
    virtual ~IHelpSystem() = default;

    // The help file every command refers to (ProgramFolder/Tarnwick.hlp).
    virtual void setHelpFile(const QString& path) = 0;
    virtual QString helpFile() const = 0;

    // Shows the help file; returns false when it could not be shown (the user has
    // then been told why).
    virtual bool Command(HelpCommand command, int argument) = 0;

    // Closes any help window opened for the program (at exit).
    virtual void Quit() = 0;
};

// No help at all: remembers the file, shows nothing. For front ends without windows.
class NoHelpSystem : public IHelpSystem {
public:
    void setHelpFile(const QString& path) override { file_ = path; }
    QString helpFile() const override { return file_; }
    bool Command(HelpCommand, int) override { return false; }
    void Quit() override {}

private:
    QString file_;
};
