#pragma once
#include "platform/MessageBoxes.h"
#include <QString>

// Handing documents and links to the desktop, with the numeric results of the
// Windows shell's Open operation: a code up to 32 is an error, anything above is
// success. The codes that the program explains to the user:
namespace ShellCode {
constexpr int OutOfMemory = 0;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int BadFormat = 11;
constexpr int SharingViolation = 26;
constexpr int AssociationIncomplete = 27;
constexpr int NoAssociation = 31;
constexpr int Opened = 42;   // any value above 32 means the request was accepted
}

// Opens a target (a file, a folder or a link) the way the desktop opens it.
class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    // Returns a shell code (ShellCode). `parameters` is used only when not empty.
    virtual int Open(const QString& target, const QString& parameters) = 0;
};

// The Linux launcher: runs xdg-open with the target as its one argument (never
// through a shell) and turns the outcome into a shell code; the mapping is
// described in ShellOpen.cpp.
class XdgOpenLauncher : public IShellLauncher {
public:
    // `program` is the opener to run; `waitMs` how long to wait for its verdict
    // before taking the request as accepted (some openers stay in the foreground).
    explicit XdgOpenLauncher(QString program = QStringLiteral("xdg-open"), int waitMs = 10000);
    int Open(const QString& target, const QString& parameters) override;

private:
    QString program_;
    int waitMs_;
};

// The text of the box shown for a failing code, or an empty text for a code that
// counts as success.
QString ShellErrorText(int code, const QString& target);

// Opens `target`; a failure shows its error box and gives false. Code 31 (no
// application for the target) and every code that is not one of the errors count
// as success.
bool ShellOpen(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& target, const QString& parameters);
bool ShellOpenURL(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& target);
